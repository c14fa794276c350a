#include "pages/CPageDevComCel.h"

#include <QComboBox>

#include <array>

#include "pages/PageLists.h"
#include "shell/CPanViewPcCom.h"

namespace {

constexpr std::array<int, 4> kDataBits = {5, 6, 7, 8};
constexpr std::array<int, 2> kStopBits = {1, 2};

// The entry of a looked-up number; the first entry for a number not in the list.
template <size_t N>
int LookUp(const std::array<int, N>& values, int value) {
    for (size_t i = 0; i < N; ++i)
        if (values[i] == value) return static_cast<int>(i);
    return 0;
}

QStringList Numbers(std::initializer_list<int> values) {
    QStringList items;
    for (int v : values) items << QString::number(v);
    return items;
}

}  // namespace

CPageDevComCel::CPageDevComCel(CPanViewCel* panel)
    : CelConfigPage(panel, {false, true, tr("修改配置失败"), {15, 16, 17, 18}, {15, 16, 17, 18}}) {
    baud_ = MakeList(CPanViewPcCom::BaudRates());
    dataBits_ = MakeList(Numbers({5, 6, 7, 8}));
    stopBits_ = MakeList(Numbers({1, 2}));
    parity_ = MakeList({tr("无"), tr("奇校验"), tr("偶校验")});
    addField(0, 0, tr("波特率"), baud_);
    addField(1, 0, tr("数据位"), dataBits_);
    addField(2, 0, tr("停止位"), stopBits_);
    addField(3, 0, tr("校验位"), parity_);
}

void CPageDevComCel::fill(const CelRecord& r) {
    SelectEntry(baud_, r.baudIndex);
    dataBits_->setCurrentIndex(LookUp(kDataBits, r.dataBits));
    stopBits_->setCurrentIndex(LookUp(kStopBits, r.stopBits));
    SelectEntry(parity_, r.parity);
}

void CPageDevComCel::collect(CelRecord& r) {
    CollectEntry(baud_, r.baudIndex);
    CollectEntry(parity_, r.parity);
    r.dataBits = static_cast<unsigned char>(kDataBits[static_cast<size_t>(dataBits_->currentIndex())]);
    r.stopBits = static_cast<unsigned char>(kStopBits[static_cast<size_t>(stopBits_->currentIndex())]);
}
