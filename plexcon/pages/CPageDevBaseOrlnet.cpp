#include "pages/CPageDevBaseOrlnet.h"

#include <QComboBox>
#include <QLineEdit>

#include <cstddef>
#include <cstring>
#include <limits>

#include "pages/CPageDevBaseCel.h"
#include "pages/PageLists.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/ModuleText.h"

using Icon = Operator::Icon;

namespace {

constexpr int kFirstChannel = 11;
constexpr unsigned char kNormalFirmware = 0xAA;
constexpr long kWordMin = std::numeric_limits<short>::min(), kWordMax = std::numeric_limits<unsigned short>::max();

// Hexadecimal with an optional "0x"; the low 16 bits. False when the text holds no hexadecimal number.
bool ParseHexWord(const QString& text, unsigned short& value) {
    QString t = text.trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) t = t.mid(2);
    bool ok = false;
    const qulonglong v = t.toULongLong(&ok, 16);
    if (!ok) return false;
    value = static_cast<unsigned short>(v & 0xFFFF);
    return true;
}

QString HexWord(unsigned short v) { return QStringLiteral("0x%1").arg(v, 4, 16, QLatin1Char('0')); }

}  // namespace

// Byte fields take any number and keep its low 8 bits, words their low 16 bits; the retry count is 0..5.
const std::array<CPageDevBaseOrlnet::Number, 10> CPageDevBaseOrlnet::kNumbers = {{
    {QT_TR_NOOP("路由表生存时间(s)"), offsetof(OrlnetConfig, routeTableLifetime), 1, false, kWordMin, kWordMax},
    {QT_TR_NOOP("临时路由表生存时间(ms)"), offsetof(OrlnetConfig, tempRouteLifetime), 2, true, kWordMin, kWordMax},
    {QT_TR_NOOP("查询路由超时时间(ms)"), offsetof(OrlnetConfig, routeQueryTimeout), 2, true, kWordMin, kWordMax},
    {QT_TR_NOOP("路由转发重试时间(ms)"), offsetof(OrlnetConfig, routeRetryTime), 2, true, kWordMin, kWordMax},
    {QT_TR_NOOP("路由转发重试次数"), offsetof(OrlnetConfig, routeRetryCount), 1, false, 0, 5},
    {QT_TR_NOOP("数据访问超时时间(ms)"), offsetof(OrlnetConfig, dataAccessTimeout), 2, true, kWordMin, kWordMax},
    {QT_TR_NOOP("短路径传输重发时间(ms)"), offsetof(OrlnetConfig, shortPathResendTime), 1, false, kWordMin, kWordMax},
    {QT_TR_NOOP("短路径传输重试次数"), offsetof(OrlnetConfig, shortPathRetryCount), 1, false, kWordMin, kWordMax},
    {QT_TR_NOOP("最小信号强度(dBm)"), offsetof(OrlnetConfig, minSignal), 1, true, kWordMin, kWordMax},
    {QT_TR_NOOP("最佳信号强度(dBm)"), offsetof(OrlnetConfig, bestSignal), 1, true, kWordMin, kWordMax},
}};

CPageDevBaseOrlnet::CPageDevBaseOrlnet(CPanViewOrlnet* panel)
    : OrlnetConfigPage(panel, {tr("获取信息"), tr("更改配置"), true, {{0, 38}, {65, 14}},
                               {1, 5, 6, 7, 4, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28},
                               {1, 4, 5, 6, 7, 19, 20, 21, 27, 28, 22, 23, 24, 25, 26}}) {
    name_ = new QLineEdit;
    name_->setMaxLength(16);
    firmware_ = new QLineEdit;
    firmware_->setReadOnly(true);
    deviceType_ = MakeList({tr("终端设备"), tr("路由设备"), tr("ORLNET设备")});
    deviceType_->setEnabled(false);
    runState_ = MakeList({tr("正常模式"), tr("固件升级模式")});
    channel_ = MakeList(CelChannelEntries());
    panId_ = new QLineEdit;
    netAddress_ = new QLineEdit;

    int row = 0;
    addField(row++, 0, tr("设备名称"), name_);
    addField(row++, 0, tr("设备类型"), deviceType_);
    addField(row++, 0, tr("通道号"), channel_);
    addField(row++, 0, tr("PanID"), panId_);
    addField(row++, 0, tr("本地网络地址"), netAddress_);
    addField(row++, 0, tr("固件版本号"), firmware_);
    addField(row++, 0, tr("运行状态"), runState_);
    for (size_t i = 0; i < kNumbers.size(); ++i) {
        numbers_[i] = new QLineEdit;
        addField(static_cast<int>(i), 1, tr(kNumbers[i].caption), numbers_[i]);
    }
}

void CPageDevBaseOrlnet::fill(const OrlnetConfig& r) {
    name_->setText(FromModuleText(r.deviceName, sizeof r.deviceName));
    firmware_->setText(CPageDevBaseCel::FirmwareText(r.firmwareVersion));
    SelectEntry(deviceType_, r.deviceType);
    runState_->setCurrentIndex(r.runState == kNormalFirmware ? 0 : 1);
    runState_->setEnabled(false);
    SelectEntry(channel_, r.channel - kFirstChannel);
    panId_->setText(HexWord(r.panId));
    netAddress_->setText(HexWord(r.netAddress));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&r);
    for (size_t i = 0; i < kNumbers.size(); ++i) {
        const Number& n = kNumbers[i];
        long v = 0;
        if (n.width == 1) v = n.isSigned ? static_cast<signed char>(bytes[n.offset]) : bytes[n.offset];
        else {
            unsigned short w = 0;
            std::memcpy(&w, bytes + n.offset, sizeof w);
            v = static_cast<short>(w);
        }
        numbers_[i]->setText(QString::number(v));
    }
}

bool CPageDevBaseOrlnet::takeValues() {
    for (size_t i = 0; i < kNumbers.size(); ++i)
        if (!takeNumber(numbers_[i], tr(kNumbers[i].caption), kNumbers[i].min, kNumbers[i].max, numberValues_[i]))
            return false;
    if (!ParseHexWord(panId_->text(), panIdValue_)) {
        panel()->op().message(this, tr("您的输入有误：%1").arg(tr("PanID")), Icon::Warning);
        return false;
    }
    if (!ParseHexWord(netAddress_->text(), netAddressValue_)) {
        panel()->op().message(this, tr("您的输入有误：%1").arg(tr("本地网络地址")), Icon::Warning);
        return false;
    }
    return true;
}

void CPageDevBaseOrlnet::collect(OrlnetConfig& r) {
    const QByteArray name = ToModuleText(name_->text());
    if (name.size() >= static_cast<qsizetype>(sizeof r.deviceName)) {
        panel()->op().message(this, tr("修改名称失败！设备名称不能大于16个字符"), Icon::Plain);
    } else {
        std::memset(r.deviceName, 0, sizeof r.deviceName);
        std::memcpy(r.deviceName, name.constData(), static_cast<size_t>(name.size()));
    }
    r.channel = static_cast<unsigned char>(channel_->currentIndex() + kFirstChannel);
    CollectEntry(deviceType_, r.deviceType);
    r.panId = panIdValue_;
    r.netAddress = netAddressValue_;
    auto* bytes = reinterpret_cast<unsigned char*>(&r);
    for (size_t i = 0; i < kNumbers.size(); ++i) {
        const Number& n = kNumbers[i];
        const auto low16 = static_cast<unsigned short>(static_cast<unsigned long>(numberValues_[i]) & 0xFFFF);
        if (n.width == 1) bytes[n.offset] = static_cast<unsigned char>(low16 & 0xFF);
        else std::memcpy(bytes + n.offset, &low16, sizeof low16);
    }
}
