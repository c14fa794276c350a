#include "shell/CPanViewOrlnet.h"

#include "discovery/CPageListDevRemoteOrlnet.h"
#include "discovery/CPageListLocalDev.h"
#include "pages/CPageDevAdvOrlnet.h"
#include "tools/CDlgUpgradeOrlnet.h"
#include "pages/CPageDevBaseOrlnet.h"
#include "pages/CPageDevComOrlnet.h"
#include "pages/CPageDevTranOrlnet.h"
#include "pages/OrlnetConfigPage.h"
#include "shell/LibraryCall.h"
#include "tools/CPageDetectRouter.h"
#include "tools/CPageTranData.h"
#include "tools/CTestLed.h"

using Icon = Operator::Icon;

CPanViewOrlnet::CPanViewOrlnet(const ShellContext& context, QWidget* parent) : FamilyPanel(context, parent) {
    local_ = new CPageListLocalDev(this);
    setLocalPage(local_);
    remote_ = new CPageListDevRemoteOrlnet(this);
    setRemoteList(remote_);

    base_ = new CPageDevBaseOrlnet(this);
    com_ = new CPageDevComOrlnet(this);
    tran_ = new CPageDevTranOrlnet(this);
    route_ = new CPageDetectRouter(this);
    adv_ = new CPageDevAdvOrlnet(this);
    ledTest_ = new CTestLed(this);
    data_ = new CPageTranData(this);
    addCategory(tr("基本信息"), base_);
    addCategory(tr("串口信息"), com_);
    addCategory(tr("无线传送信息"), tran_);
    addCategory(tr("查找路由表"), route_);
    addCategory(tr("高级设置"), adv_);
    addCategory(tr("LED测试"), ledTest_);
    addCategory(tr("数据传输"), data_);
    selectCategory(0);

    adv_->setUpgradeOpener([this](QWidget* owner, const CPageDevAdvOrlnet::UpgradeTarget& target) {
        CDlgUpgradeOrlnet dialog(this->context(), owner);
        dialog.setTarget(target.device, target.runState, target.netAddress, target.controlWord);
        dialog.exec();
    });
}

QList<int> CPanViewOrlnet::selectedRemotes() const { return remote_->selectedRows(); }

void CPanViewOrlnet::refreshRemoteList() { remote_->refresh(); }

void CPanViewOrlnet::loadInfoCommand() {
    if (base_->read() == 1 && com_->read() == 1 && tran_->read() == 1) say(tr("获取属性成功"), Icon::Information);
    else say(tr("获取失败"), Icon::Critical);
    update();
}

void CPanViewOrlnet::resetCommand() {
    if (!PortIsOpen()) {
        say(tr("操作失败，串口未打开..."), Icon::Critical);
        return;
    }
    if (!remoteMode()) {
        BusyLibraryCall([] { return QVZB_ORLNET_ResetDev(); });
        return;
    }
    const int index = selectedRemote();
    if (index < 0) {
        say(orlnet::NoSelectionMessage(), Icon::Critical);
        return;
    }
    BusyLibraryCall([index] { return QVZB_ORLNET_ResetRemoteDev(index); });
}
