#include "shell/CPanViewSnap.h"

#include "discovery/CPageListDevRemoteSnap.h"
#include "discovery/CPageListLocalDev.h"
#include "pages/CPageDevAdvSnap.h"
#include "pages/CPageDevBaseSnap.h"
#include "pages/CPageDevComSnap.h"
#include "pages/CPageDevTranSnap.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

CPanViewSnap::CPanViewSnap(const ShellContext& context, QWidget* parent) : FamilyPanel(context, parent) {
    local_ = new CPageListLocalDev(this);
    setLocalPage(local_);
    remote_ = new CPageListDevRemoteSnap(this);
    setRemoteList(remote_);

    base_ = new CPageDevBaseSnap(this);
    com_ = new CPageDevComSnap(this);
    tran_ = new CPageDevTranSnap(this);
    adv_ = new CPageDevAdvSnap(this);
    addCategory(tr("基本信息"), base_);
    addCategory(tr("串口信息"), com_);
    addCategory(tr("无线传送信息"), tran_);
    addCategory(tr("高级设置"), adv_);
    selectCategory(0);
}

void CPanViewSnap::forgetPasswords(bool remote) {
    for (auto& page : accepted_) page[remote ? 1 : 0] = false;
}

void CPanViewSnap::refreshRemoteList() { remote_->refresh(); }

void CPanViewSnap::loadInfoCommand() {
    if (!PortIsOpen()) {
        say(tr("操作失败，串口未打开..."), Icon::Critical);
        return;
    }
    if (base_->read() == 1 && com_->read() == 1 && tran_->read() == 1) say(tr("获取属性成功"), Icon::Information);
    else say(tr("获取失败"), Icon::Critical);
    update();
}

void CPanViewSnap::resetCommand() {
    if (!PortIsOpen()) {
        say(tr("操作失败，串口未打开..."), Icon::Critical);
        return;
    }
    if (!remoteMode()) {
        BusyLibraryCall([] { return QVZB_SNAP_ResetDev(); });
        return;
    }
    const int index = selectedRemote();
    if (index >= 0) BusyLibraryCall([index] { return QVZB_SNAP_ResetRemoteDev(index); });
}

void CPanViewSnap::tabChosen(int tab) {
    FamilyPanel::tabChosen(tab);
    if (tab != RemoteTab || showingRemote_) return;
    // Entering the remote tab with nothing found yet starts the search, once the tab switch has finished.
    if (WithLibrary([] { return QVZB_SNAP_GetSearchDevCount(); }) == 0)
        QMetaObject::invokeMethod(this, [this] { remote_->search(); }, Qt::QueuedConnection);
}

void CPanViewSnap::showRemoteCommand() {
    showingRemote_ = true;
    FamilyPanel::showRemoteCommand();
    showingRemote_ = false;
}
