#include "shell/CPanViewCel.h"

#include <QPushButton>

#include "discovery/CPageListDevRemoteCel.h"
#include "discovery/CPageListLocalDev.h"
#include "pages/CLowPowerDlg.h"
#include "pages/CPageDevADCel.h"
#include "pages/CPageDevAdvCel.h"
#include "pages/CPageDevBaseCel.h"
#include "pages/CPageDevComCel.h"
#include "pages/CPageDevIOCel.h"
#include "pages/CPageDevTerminalVnet.h"
#include "pages/CPageDevTranCel.h"
#include "shell/CDlgChangePass.h"
#include "shell/LibraryCall.h"

using Icon = Operator::Icon;

CPanViewCel::CPanViewCel(const ShellContext& context, QWidget* parent) : CPanViewCel(context, Kind::Vnet, parent) {}

CPanViewCel::CPanViewCel(const ShellContext& context, Kind kind, QWidget* parent)
    : FamilyPanel(context, parent), kind_(kind) {
    local_ = new CPageListLocalDev(this);
    setLocalPage(local_);

    base_ = new CPageDevBaseCel(this);
    com_ = new CPageDevComCel(this);
    tran_ = new CPageDevTranCel(this);
    adv_ = new CPageDevAdvCel(this);
    addCategory(tr("基本信息"), base_);
    addCategory(tr("串口信息"), com_);
    addCategory(tr("无线传送信息"), tran_);
    addCategory(tr("高级设置"), adv_);
    if (kind_ == Kind::Vnet) {
        terminal_ = new CPageDevTerminalVnet(this);
        addCategory(tr("终端设置"), terminal_);
    } else if (kind_ == Kind::LowPower) {
        lowPower_ = new CLowPowerDlg(this);
        addCategory(tr("低功耗参数"), lowPower_);
    }
    changePass_ = new CDlgChangePass(this);
    addCategory(tr("安全设置"), changePass_);
    io_ = new CPageDevIOCel(this);
    ad_ = new CPageDevADCel(this);
    if (context.showHidden) {
        addCategory(tr("IO测试"), io_);
        addCategory(tr("AD采样"), ad_);
    } else {
        addHiddenPage(io_);
        addHiddenPage(ad_);
    }
    selectCategory(0);

    if (kind_ != Kind::Vnet) {
        base_->useQuickmeshFields();
        tran_->useQuickmeshFields();
        remote_ = new CPageListDevRemoteCel(this);
        setRemoteList(remote_);
        local_->searchButton()->setEnabled(true);
        local_->loadButton()->hide();
    }
}

QString CPanViewCel::NoSelectionMessage() {
    return tr("你没有选择设备，请先选择左边设备列表的一个设备再进行此操作...");
}

void CPanViewCel::loadInfoCommand() {
    if (base_->read() == 1 && com_->read() == 1 && tran_->read() == 1)
        say(tr("获取属性成功"), Icon::Information);
    update();
}

void CPanViewCel::resetCommand() {
    if (!PortIsOpen()) {
        say(tr("操作失败，串口未打开..."), Icon::Critical);
        return;
    }
    int done = 0;
    if (remoteMode()) {
        const int index = selectedRemote();
        if (index < 0) {
            say(NoSelectionMessage(), Icon::Critical);
            return;
        }
        done = BusyLibraryCall([index] { return QVZB_CEL_ResetRemoteDev(index); });
    } else {
        done = BusyLibraryCall([] { return QVZB_CEL_ResetDev(); });
    }
    if (done) say(tr("复位命令发送成功"), Icon::Information);
    else say(tr("复位命令发送失败"), Icon::Critical);
}

CPanViewCel_Change::CPanViewCel_Change(const ShellContext& context, QWidget* parent)
    : CPanViewCel(context, Kind::Quickmesh, parent) {}

CPanViewCelLowPower::CPanViewCelLowPower(const ShellContext& context, QWidget* parent)
    : CPanViewCel_Change(context, Kind::LowPower, parent) {}
