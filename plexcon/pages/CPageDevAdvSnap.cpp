#include "pages/CPageDevAdvSnap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "pages/PageLists.h"
#include "shell/CPanViewSnap.h"
#include "shell/LibraryCall.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace {

constexpr int kPasswordBytes = 15;

}  // namespace

CPageDevAdvSnap::CPageDevAdvSnap(CPanViewSnap* panel)
    : SnapConfigPage(panel, {snap::AdvPage, tr("获取信息"), tr("更改配置"), {tr("操作失败,串口未打开"), Icon::Warning},
                             {tr("更改配置成功..."), Icon::Information}, {tr("更改配置失败..."), Icon::Critical},
                             {18}}) {
    update_ = MakeList({tr("否"), tr("是")});
    changePassword_ = new QCheckBox(tr("修改密码"));
    newPassword_ = new QLineEdit;
    newPassword_->setMaxLength(kPasswordBytes);
    address_ = new QLineEdit;
    value_ = new QLineEdit;
    auto* readEeprom = new QPushButton(tr("读EEPROOM"));
    auto* writeEeprom = new QPushButton(tr("写EEPROOM"));
    auto* reset = new QPushButton(tr("恢复出厂设置"));

    addField(0, 0, tr("是否支持远程升级"), update_);
    fields()->addWidget(changePassword_, 1, 0);
    addField(2, 0, tr("新密码"), newPassword_);
    addField(3, 0, tr("地址(hex)"), address_);
    addField(4, 0, tr("值(hex)"), value_);
    auto* eepromRow = new QHBoxLayout;
    eepromRow->addWidget(readEeprom);
    eepromRow->addWidget(writeEeprom);
    eepromRow->addStretch();
    eepromRow->addWidget(reset);
    fields()->addLayout(eepromRow, 5, 0, 1, 5);

    connect(readEeprom, &QPushButton::clicked, this, &CPageDevAdvSnap::readEepromCommand);
    connect(writeEeprom, &QPushButton::clicked, this, &CPageDevAdvSnap::writeEepromCommand);
    connect(reset, &QPushButton::clicked, this, &CPageDevAdvSnap::factoryResetCommand);
}

void CPageDevAdvSnap::fill(const SnapRecord& r) { SelectEntry(update_, r.ENUPD); }

void CPageDevAdvSnap::collect(SnapRecord& r) { CollectEntry(update_, r.ENUPD); }

void CPageDevAdvSnap::afterSubmit(int index, const QByteArray& password) {
    if (!changePassword_->isChecked()) return;
    const QByteArray fresh = ToModuleText(newPassword_->text()).left(kPasswordBytes);
    BusyLibraryCall([&] {
        return index < 0 ? QVZB_SNAP_SetLocalPwd(password.constData(), fresh.constData())
                         : QVZB_SNAP_SetRemotePwd(index, password.constData(), fresh.constData());
    });
    panel()->forgetPasswords(index >= 0);
}

bool CPageDevAdvSnap::portOpenOrSay() {
    if (PortIsOpen()) return true;
    panel()->op().message(this, tr("操作失败,串口未打开"), Icon::Warning);
    return false;
}

bool CPageDevAdvSnap::takeAddress(int& address) {
    bool ok = false;
    address = address_->text().trimmed().toInt(&ok, 16);
    if (ok && address >= 0 && address <= 0xFF) return true;
    panel()->op().message(this, tr("您的输入有误：%1").arg(tr("地址(hex)")), Icon::Warning);
    return false;
}

void CPageDevAdvSnap::readEepromCommand() {
    if (!portOpenOrSay()) return;
    int address = 0;
    if (!takeAddress(address)) return;
    const int index = target();
    if (index == kNoSelection) return;
    unsigned char reply[kEepromRead] = {};
    unsigned int count = 0;
    const int done = BusyLibraryCall([&] {
        return index < 0 ? QVZB_SNAP_GetLocalEEPROM(address, reply, kEepromRead, &count)
                         : QVZB_SNAP_GetRemoteEEPROM(index, address, reply, kEepromRead, &count);
    });
    if (!done) return;
    // The library hands back the whole reply; the operator wants the bytes stored, which follow its head.
    QString text;
    for (unsigned int i = kEepromReplyHead; i < count; ++i) text += QStringLiteral("%1 ").arg(reply[i], 2, 16, QLatin1Char('0'));
    value_->setText(text);
}

void CPageDevAdvSnap::writeEepromCommand() {
    if (!portOpenOrSay()) return;
    int address = 0;
    if (!takeAddress(address)) return;
    bool ok = false;
    const uint v = value_->text().trimmed().left(3).toUInt(&ok, 16);
    if (!ok || v > 0xFF) {
        panel()->op().message(this, tr("您的输入有误：%1").arg(tr("值(hex)")), Icon::Warning);
        return;
    }
    const int index = target();
    if (index == kNoSelection) return;
    const unsigned char byte = static_cast<unsigned char>(v);
    const int done = BusyLibraryCall([&] {
        return index < 0 ? QVZB_SNAP_SetLocalEEPROM(address, &byte, 1) : QVZB_SNAP_SetRemoteEEPROM(index, address, &byte, 1);
    });
    panel()->op().message(this, done ? tr("修改成功") : tr("修改失败"), done ? Icon::Information : Icon::Critical);
}

void CPageDevAdvSnap::factoryResetCommand() {
    if (!portOpenOrSay()) return;
    const int index = target();
    if (index == kNoSelection) return;
    const int done = BusyLibraryCall(
        [index] { return index < 0 ? QVZB_SNAP_SetLocalResetToDefault() : QVZB_SNAP_SetRemoteResetToDefault(index); });
    panel()->op().message(this, done ? tr("恢复出厂设置成功") : tr("恢复出厂设置失败..."),
                          done ? Icon::Information : Icon::Critical);
}
