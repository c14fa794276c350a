#include "pages/CPageDevComOrlnet.h"

#include <QComboBox>

#include "pages/PageLists.h"
#include "shell/CPanViewOrlnet.h"

namespace {

// The list entry showing this number; the first entry for a number not in the list.
int EntryOf(const QComboBox* box, int number) {
    const int i = box->findText(QString::number(number));
    return i < 0 ? 0 : i;
}

}  // namespace

CPageDevComOrlnet::CPageDevComOrlnet(CPanViewOrlnet* panel)
    : OrlnetConfigPage(panel, {tr("获取信息"), tr("更改配置"), false, {{60, 4}}, {15, 16, 17, 18}, {15, 16, 18, 17}}) {
    baud_ = MakeList({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400", "460800"});
    dataBits_ = MakeList({"5", "6", "7", "8"});
    stopBits_ = MakeList({"1", "2"});
    parity_ = MakeList({tr("无"), tr("奇校验"), tr("偶校验"), tr("强制为0"), tr("强制为1")});
    addField(0, 0, tr("波特率"), baud_);
    addField(1, 0, tr("数据位"), dataBits_);
    addField(2, 0, tr("停止位"), stopBits_);
    addField(3, 0, tr("校验位"), parity_);
}

void CPageDevComOrlnet::fill(const OrlnetConfig& r) {
    SelectEntry(baud_, r.baudIndex);
    dataBits_->setCurrentIndex(EntryOf(dataBits_, r.dataBits));
    stopBits_->setCurrentIndex(EntryOf(stopBits_, r.stopBits));
    SelectEntry(parity_, r.parity);
}

void CPageDevComOrlnet::collect(OrlnetConfig& r) {
    CollectEntry(baud_, r.baudIndex);
    CollectEntry(parity_, r.parity);
    r.dataBits = static_cast<unsigned char>(dataBits_->currentText().toInt());
    r.stopBits = static_cast<unsigned char>(stopBits_->currentText().toInt());
}
