#include "discovery/CPageListDevRemoteOrlnet.h"

#include <QTreeWidget>

#include "discovery/CDlgSearchOrlnet.h"
#include "discovery/OrlnetSearchRows.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

CPageListDevRemoteOrlnet::CPageListDevRemoteOrlnet(CPanViewOrlnet* panel)
    : OrlnetSnapRemoteList(panel, orlnet::SearchColumns(), {53, 48, 53, 53, 70}) {}

int CPageListDevRemoteOrlnet::fillRows() { return orlnet::FillSearchRows(list()); }

void CPageListDevRemoteOrlnet::search() {
    if (!PortIsOpen()) {
        panel()->op().message(this, tr("操作失败,串口未打开..."), Icon::Critical);
        return;
    }
    CDlgSearchOrlnet dialog(panel()->context(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (fillRows() == 0) panel()->op().message(this, tr("搜索不到设备"), Icon::Critical);
    else list()->setCurrentItem(list()->topLevelItem(0));
}
