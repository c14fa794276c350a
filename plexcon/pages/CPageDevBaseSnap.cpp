#include "pages/CPageDevBaseSnap.h"

#include <QComboBox>
#include <QLineEdit>

#include <cstring>

#include "pages/PageLists.h"
#include "shell/CPanViewSnap.h"

using Icon = Operator::Icon;

namespace {

QComboBox* YesNo() { return MakeList({QObject::tr("否"), QObject::tr("是")}); }

}  // namespace

bool CPageDevBaseSnap::ParseGroups(const QString& text, unsigned char* bytes, int count) {
    const QStringList groups = text.split(u':');
    if (groups.size() != count) return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const uint v = groups[i].trimmed().toUInt(&ok, 16);
        if (!ok) return false;
        bytes[i] = static_cast<unsigned char>(v & 0xFF);
    }
    return true;
}

QString CPageDevBaseSnap::GroupsText(const unsigned char* bytes, int count) {
    QStringList groups;
    for (int i = 0; i < count; ++i) groups << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
    return groups.join(u':');
}

CPageDevBaseSnap::CPageDevBaseSnap(CPanViewSnap* panel)
    : SnapConfigPage(panel, {snap::BasePage, tr("获取信息"), tr("更改配置"),
                             {tr("操作失败，串口未打开！"), Icon::Critical},
                             {tr("修改成功!"), Icon::Information},
                             {tr("修改失败...."), Icon::Plain},
                             {1, 2, 3, 13, 15, 9, 8, 10, 14, 17}}) {
    version_ = new QLineEdit;
    version_->setReadOnly(true);
    scriptVersion_ = new QLineEdit;
    scriptVersion_->setReadOnly(true);
    mac_ = new QLineEdit;
    netId_ = new QLineEdit;
    channel_ = MakeList(CelChannelEntries());
    workMode_ = MakeList({tr("主机模式"), tr("从机模式")});
    dstAdr_ = new QLineEdit;
    heartbeatTime_ = new QLineEdit;
    heartbeatChars_ = new QLineEdit;
    heartbeatChars_->setMaxLength(2);
    heartbeatEnable_ = YesNo();
    sourceEnable_ = YesNo();
    rs485Enable_ = YesNo();

    int row = 0;
    addField(row++, 0, tr("固件版本号"), version_);
    addField(row++, 0, tr("SNAP脚本版本号"), scriptVersion_);
    addField(row++, 0, tr("MAC地址"), mac_);
    addField(row++, 0, tr("网络ID(HEX)"), netId_);
    addField(row++, 0, tr("通道号"), channel_);
    addField(row++, 0, tr("工作模式"), workMode_);
    row = 0;
    addField(row++, 1, tr("目的地址"), dstAdr_);
    addField(row++, 1, tr("心跳包间隔时间"), heartbeatTime_);
    addField(row++, 1, tr("心跳包字符"), heartbeatChars_);
    addField(row++, 1, tr("心跳包使能"), heartbeatEnable_);
    addField(row++, 1, tr("显示源地址使能"), sourceEnable_);
    addField(row++, 1, tr("485使能"), rs485Enable_);
}

void CPageDevBaseSnap::fill(const SnapRecord& r) {
    version_->setText(QStringLiteral("V%1.%2.%3").arg(r.VER[0]).arg(r.VER[2]).arg(r.VER[4]));
    scriptVersion_->setText(QStringLiteral("V%1.%2").arg(r.SNAPVER[0]).arg(r.SNAPVER[2]));
    mac_->setText(GroupsText(r.MAC, 8));
    netId_->setText(QString::number(r.NETID, 16));
    SelectEntry(channel_, r.CHANNAL);
    workMode_->setCurrentIndex(r.WORKMOD == 'M' ? 0 : 1);
    dstAdr_->setText(GroupsText(r.DSTADR, 3));
    heartbeatTime_->setText(QString::number(r.SPTIME));
    heartbeatChars_->setText(QString::fromLatin1(r.SPCHAR, static_cast<qsizetype>(strnlen(r.SPCHAR, 2))));
    SelectEntry(heartbeatEnable_, r.SPEN);
    SelectEntry(sourceEnable_, r.ENSRC);
    SelectEntry(rs485Enable_, r.EN485);
}

bool CPageDevBaseSnap::takeValues() {
    auto refuse = [this](const QString& caption) {
        panel()->op().message(this, tr("您的输入有误：%1").arg(caption), Icon::Warning);
        return false;
    };
    if (!ParseGroups(mac_->text(), macValue_.data(), 8)) return refuse(tr("MAC地址"));
    bool ok = false;
    const uint net = netId_->text().trimmed().toUInt(&ok, 16);
    if (!ok) return refuse(tr("网络ID(HEX)"));
    netIdValue_ = static_cast<unsigned short>(net & 0xFFFF);
    if (!ParseGroups(dstAdr_->text(), dstValue_.data(), 3)) return refuse(tr("目的地址"));
    const int time = heartbeatTime_->text().trimmed().toInt(&ok);
    if (!ok) return refuse(tr("心跳包间隔时间"));
    heartbeatTimeValue_ = static_cast<unsigned char>(time & 0xFF);
    return true;
}

void CPageDevBaseSnap::collect(SnapRecord& r) {
    std::memcpy(r.MAC, macValue_.data(), macValue_.size());
    r.NETID = netIdValue_;
    CollectEntry(channel_, r.CHANNAL);
    r.WORKMOD = workMode_->currentIndex() == 0 ? 'M' : 'S';
    std::memcpy(r.DSTADR, dstValue_.data(), dstValue_.size());
    r.SPTIME = heartbeatTimeValue_;
    // Two characters; a shorter text fills with zero bytes.
    const QByteArray chars = heartbeatChars_->text().toLatin1().left(2);
    r.SPCHAR[0] = chars.size() > 0 ? chars[0] : '\0';
    r.SPCHAR[1] = chars.size() > 1 ? chars[1] : '\0';
    CollectEntry(heartbeatEnable_, r.SPEN);
    CollectEntry(sourceEnable_, r.ENSRC);
    CollectEntry(rs485Enable_, r.EN485);
}
