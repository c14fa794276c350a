#include "discovery/CDlgSearchSnap.h"

#include <QTreeWidget>

#include "discovery/SnapSearchRows.h"
#include "radlink.h"
#include "shell/LibraryLock.h"

namespace {

std::atomic<bool> g_searching{false};

}  // namespace

CDlgSearchSnap::CDlgSearchSnap(const ShellContext& context, QWidget* parent)
    : OrlnetSnapSearchDialog(context,
                             {15, 2, {tr("全选"), true, {tr("序号"), tr("网络ID"), tr("通道"), tr("MAC")}, {70, 70, 70, 200}}},
                             g_searching, parent) {}

CDlgSearchSnap::~CDlgSearchSnap() { stopWorker(); }

bool CDlgSearchSnap::prepareSearch(const Selection&) {
    WithLibrary([] { return QVZB_SNAP_ClearSearchArr(); });
    foundList()->clear();
    return true;
}

void CDlgSearchSnap::runSearch(const Selection& selection) {
    for (int rate : selection.rates) {
        for (int channel : selection.channels) {
            if (stopRequested()) return;
            const int index = channel - kFirstChannel;
            if (!WithLibrary([index, rate] { return QVZB_SNAP_SearchDev(index, rate); })) return;
        }
    }
}

int CDlgSearchSnap::libraryCount() const {
    return WithLibrary([] { return QVZB_SNAP_GetSearchDevCount(); });
}

QStringList CDlgSearchSnap::libraryRow(int index) const { return snap::SearchRow(index); }

void CDlgSearchSnap::stopCommand() {
    stopWorker();
    stopTimerAndRestore();
}
