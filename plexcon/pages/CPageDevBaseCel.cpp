#include "pages/CPageDevBaseCel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

#include <cstring>

#include "controls/CDataEdit.h"
#include "controls/CDevNameEdit.h"
#include "controls/CEditMacAdd.h"
#include "pages/PageLists.h"
#include "shell/ModuleText.h"

namespace {

constexpr unsigned char kNoSendMode = 0x88;
constexpr unsigned char kNoVoice = 0x99;
constexpr unsigned char kNormalFirmware = 0xAA;
constexpr int kFirstChannel = 11;
constexpr int kCoordinator = 2;

QString MacText(const unsigned char* bytes) {
    QStringList groups;
    for (int i = 0; i < 8; ++i) groups << QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0'));
    return groups.join(u':');
}

// Eight colon-separated hexadecimal groups, the low 8 bits of each; missing or unreadable groups give 0.
void ParseMac(const QString& text, unsigned char* bytes) {
    const QStringList groups = text.split(u':');
    for (int i = 0; i < 8; ++i)
        bytes[i] = i < groups.size() ? static_cast<unsigned char>(groups[i].trimmed().toUInt(nullptr, 16) & 0xFF) : 0;
}

QStringList Volumes() {
    QStringList items;
    for (int v = 0; v <= 21; ++v) items << QString::number(v);
    return items;
}

}  // namespace

QString CPageDevBaseCel::FirmwareText(unsigned short version) {
    const int h = version >> 8, l = version & 0xFF;
    if ((h >> 4) == 0) return QStringLiteral("V%1.%2%3").arg(h & 0x0F).arg(l >> 4).arg(l & 0x0F);
    return QStringLiteral("V%1%2.%3%4").arg(h >> 4).arg(h & 0x0F).arg(l >> 4).arg(l & 0x0F);
}

CPageDevBaseCel::CPageDevBaseCel(CPanViewCel* panel)
    : CelConfigPage(panel, {true, false, tr("操作失败..."), {1, 5, 6, 7, 8, 9, 10, 19, 4, 20, 21, 22, 23, 24},
                            {1, 5, 6, 7, 8, 9, 10, 4, 19, 20, 21, 22, 23, 24}}) {
    name_ = new CDevNameEdit;
    firmware_ = new QLineEdit;
    firmware_->setReadOnly(true);
    deviceType_ = MakeList({tr("终端设备"), tr("路由设备"), tr("协调器设备")});
    runState_ = MakeList({tr("正常模式"), tr("固件升级模式")});
    runState_->setEnabled(false);
    channel_ = MakeList(CelChannelEntries());
    panId_ = new CDataEdit;
    netAddress_ = new CDataEdit;
    netAddress_->setReadOnly(true);
    macAddress_ = new QLineEdit;
    macAddress_->setReadOnly(true);
    dstNetAddress_ = new CDataEdit;
    dstNetAddress_->setReadOnly(true);
    dstMacAddress_ = new CEditMacAdd;
    // Both physical addresses in the fixed-pitch font, wide enough for all eight groups.
    macAddress_->setFont(dstMacAddress_->font());
    const int macWidth = dstMacAddress_->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00:00:00:00:00:00")) + 18;
    macAddress_->setMinimumWidth(macWidth);
    dstMacAddress_->setMinimumWidth(macWidth);
    sendMode_ = MakeList({tr("单播模式"), tr("广播模式")});
    sampleRate_ = MakeList({tr("8kHZ"), tr("16kHZ")});
    compression_ = MakeList({tr("PCM"), tr("ULAW"), tr("ALAW"), tr("ADPCM")});
    voiceMode_ = MakeList({tr("全双工"), tr("只发送"), tr("只接收")});
    outputVolume_ = MakeList(Volumes());
    micVolume_ = MakeList(Volumes());

    int row = 0;
    addField(row++, 0, tr("设备名称"), name_);
    addField(row++, 0, tr("设备类型"), deviceType_);
    addField(row++, 0, tr("通道号"), channel_);
    addField(row++, 0, tr("网络号(PanID)"), panId_);
    addField(row++, 0, tr("本地网络地址"), netAddress_);
    addField(row++, 0, tr("本地物理地址"), macAddress_);
    addField(row++, 0, tr("目的网络地址"), dstNetAddress_);
    addField(row++, 0, tr("目的物理地址"), dstMacAddress_);
    row = 0;
    addField(row++, 1, tr("固件版本号"), firmware_);
    addField(row++, 1, tr("运行状态"), runState_);
    addField(row++, 1, tr("发送模式"), sendMode_);
    addField(row++, 1, tr("采样率"), sampleRate_);
    addField(row++, 1, tr("压缩方式"), compression_);
    addField(row++, 1, tr("语音工作模式"), voiceMode_);
    addField(row++, 1, tr("输出音量"), outputVolume_);
    addField(row++, 1, tr("麦克风音量"), micVolume_);
}

void CPageDevBaseCel::useQuickmeshFields() {
    netAddress_->setReadOnly(false);
    dstNetAddress_->setReadOnly(false);
    runState_->setEnabled(false);
    deviceType_->removeItem(kCoordinator);
}

void CPageDevBaseCel::fill(const CelRecord& r) {
    name_->setText(FromModuleText(r.deviceName, sizeof r.deviceName));
    firmware_->setText(FirmwareText(r.firmwareVersion));
    SelectEntry(deviceType_, r.deviceType);
    runState_->setCurrentIndex(r.runState == kNormalFirmware ? 0 : 1);
    runState_->setEnabled(false);
    panId_->setValue(r.panId);
    netAddress_->setValue(r.netAddress);
    dstNetAddress_->setValue(r.dstNetAddress);
    macAddress_->setText(MacText(r.macAddress));
    CEditMacAdd::Address dst{};
    std::memcpy(dst.data(), r.dstMacAddress, dst.size());
    dstMacAddress_->setAddress(dst);
    SelectEntry(channel_, r.channel - kFirstChannel);
    SelectEntry(sendMode_, r.sendMode);
    sendMode_->setEnabled(r.sendMode != kNoSendMode);
    sampleRate_->setCurrentIndex(r.sampleRate == 8 ? 0 : 1);
    SelectEntry(compression_, r.compression);
    SelectEntry(voiceMode_, r.voiceMode);
    SelectEntry(outputVolume_, r.outputVolume);
    SelectEntry(micVolume_, r.micVolume);
    const bool voice = r.compression != kNoVoice;
    for (QComboBox* box : {sampleRate_, compression_, voiceMode_, outputVolume_, micVolume_}) box->setEnabled(voice);
}

void CPageDevBaseCel::collect(CelRecord& r) {
    ToModuleField(name_->text(), r.deviceName, sizeof r.deviceName);
    CollectEntry(channel_, r.channel, kFirstChannel);
    CollectEntry(deviceType_, r.deviceType);
    CollectEntry(sendMode_, r.sendMode);
    CollectEntry(compression_, r.compression);
    CollectEntry(voiceMode_, r.voiceMode);
    CollectEntry(outputVolume_, r.outputVolume);
    CollectEntry(micVolume_, r.micVolume);
    r.sampleRate = sampleRate_->currentIndex() == 0 ? 8 : 16;
    r.panId = panId_->value();
    r.netAddress = netAddress_->value();
    r.dstNetAddress = dstNetAddress_->value();
    ParseMac(macAddress_->text(), r.macAddress);
    const CEditMacAdd::Address dst = dstMacAddress_->address();
    std::memcpy(r.dstMacAddress, dst.data(), dst.size());
}
