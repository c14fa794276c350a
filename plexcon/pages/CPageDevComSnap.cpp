#include "pages/CPageDevComSnap.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "pages/PageLists.h"
#include "shell/CPanViewSnap.h"

using Icon = Operator::Icon;

CPageDevComSnap::CPageDevComSnap(CPanViewSnap* panel)
    : SnapConfigPage(panel, {snap::ComPage, tr("获取信息"), tr("更改配置"),
                             {tr("操作失败，串口未打开！"), Icon::Critical},
                             {tr("修改成功..."), Icon::Information},
                             {tr("修改失败...."), Icon::Plain},
                             {4, 5, 6}}) {
    baud_ = MakeList({"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
    dataBits_ = MakeList({"7", "8"});
    parity_ = MakeList({tr("无"), tr("奇校验"), tr("偶校验")});
    stopBits_ = MakeList({"1"});
    addField(0, 0, tr("波特率"), baud_);
    addField(1, 0, tr("数据位"), dataBits_);
    addField(2, 0, tr("校验位"), parity_);
    addField(3, 0, tr("停止位"), stopBits_);
    fields()->addWidget(new QLabel(tr("硬件只支持1个停止位")), 3, 2);
}

void CPageDevComSnap::fill(const SnapRecord& r) {
    SelectEntry(baud_, r.BAUD - 1);
    dataBits_->setCurrentIndex(r.DEVDATABIT == 7 ? 0 : 1);
    parity_->setCurrentIndex(r.DEVPARITY == 'N' ? 0 : r.DEVPARITY == 'O' ? 1 : 2);
}

void CPageDevComSnap::collect(SnapRecord& r) {
    r.BAUD = static_cast<unsigned char>(baud_->currentIndex() + 1);
    r.DEVDATABIT = dataBits_->currentIndex() == 0 ? 7 : 8;
    static constexpr char kParity[] = {'N', 'O', 'E'};
    r.DEVPARITY = static_cast<unsigned char>(kParity[parity_->currentIndex() < 0 ? 0 : parity_->currentIndex()]);
}
