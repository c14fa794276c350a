#include "pages/CPageDevTerminalVnet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls/CTerminalEdit.h"
#include "pages/PageLayout.h"
#include "pages/VnetAccess.h"
#include "radlink.h"
#include "shell/CPanViewCel.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

namespace {

// Parameter codes in the order the commands read and write them: sleep, online and polling time.
constexpr std::array<uint8_t, 3> kCodes = {0xDB, 0xDC, 0xDD};
constexpr uint8_t kRead = 0;
constexpr uint8_t kWrite = 1;

}  // namespace

uint16_t CPageDevTerminalVnet::FieldValue(const QString& text) {
    unsigned value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') break;
        value = (value * 10 + static_cast<unsigned>(c.unicode() - u'0')) & 0xFFFF;
    }
    return static_cast<uint16_t>(value);
}

CPageDevTerminalVnet::CPageDevTerminalVnet(CPanViewCel* panel) : panel_(panel) {
    const QString captions[kParameters] = {tr("终端休眠时间"), tr("终端在线时间"), tr("终端轮询时间")};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(3, 1);
    for (size_t i = 0; i < kParameters; ++i) {
        fields_[i] = new CTerminalEdit(panel->op());
        fields_[i]->setText(QStringLiteral("0"));
        fields_[i]->setMinimumWidth(160);
        auto* caption = new QLabel(captions[i]);
        caption->setBuddy(fields_[i]);
        const int row = static_cast<int>(i);
        grid->addWidget(caption, row, 0);
        grid->addWidget(fields_[i], row, 1);
        grid->addWidget(new QLabel(tr("(单位100ms)")), row, 2);
    }

    get_ = new QPushButton(tr("获取信息"));
    set_ = new QPushButton(tr("更改配置"));
    connect(get_, &QPushButton::clicked, this, &CPageDevTerminalVnet::getCommand);
    connect(set_, &QPushButton::clicked, this, &CPageDevTerminalVnet::setCommand);
    LayOutPage(this, grid, {get_, set_});
}

bool CPageDevTerminalVnet::portOpenAndAccessGranted(bool portClosedErrorIcon) {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败，串口未打开！"), portClosedErrorIcon ? Icon::Critical : Icon::Plain);
        return false;
    }
    return vnet::CheckAccess(this, panel_->op()) == vnet::Access::Granted;
}

void CPageDevTerminalVnet::getCommand() {
    if (!portOpenAndAccessGranted(true)) return;
    Operator& op = panel_->op();
    std::array<uint16_t, kParameters> values{};
    for (size_t i = 0; i < kParameters; ++i) {
        const std::optional<uint16_t> value = vnet::ExchangeParameter(kCodes[i], kRead, 0);
        if (!value) {
            op.message(this, tr("获取设备信息失败"), Icon::Critical);
            return;
        }
        values[i] = *value;
    }
    for (size_t i = 0; i < kParameters; ++i) fields_[i]->setText(QString::number(values[i]));
    op.message(this, tr("获取设备信息成功..."), Icon::Information);
}

void CPageDevTerminalVnet::setCommand() {
    if (!portOpenAndAccessGranted(false)) return;
    Operator& op = panel_->op();
    // Only a presence check: the record itself is not used.
    CelRecord scratch{};
    if (!BusyLibraryCall([&] { return QVZB_CEL_GetPropertyAll(&scratch); })) {
        op.message(this, tr("获取设备属性失败!"), Icon::Plain);
        return;
    }
    for (size_t i = 0; i < kParameters; ++i) {
        if (!vnet::ExchangeParameter(kCodes[i], kWrite, FieldValue(fields_[i]->text()))) {
            op.message(this, tr("获取设备信息失败"), Icon::Critical);
            return;
        }
    }
    op.message(this, tr("修改配置成功"), Icon::Information);
}
