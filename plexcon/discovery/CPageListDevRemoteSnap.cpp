#include "discovery/CPageListDevRemoteSnap.h"

#include <QTreeWidget>

#include "discovery/CDlgSearchSnap.h"
#include "discovery/SnapSearchRows.h"
#include "shell/CPanViewSnap.h"

CPageListDevRemoteSnap::CPageListDevRemoteSnap(CPanViewSnap* panel)
    : OrlnetSnapRemoteList(panel, {QStringLiteral("#"), tr("网络ID"), tr("通道"), tr("MAC")}, {20, 60, 50, 160}) {}

int CPageListDevRemoteSnap::fillRows() { return snap::FillSearchRows(list()); }

void CPageListDevRemoteSnap::search() {
    CDlgSearchSnap dialog(panel()->context(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (fillRows() > 0) list()->setCurrentItem(list()->topLevelItem(0));
}
