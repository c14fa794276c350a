// The CEL family panels: "VNET" (CPanViewCel), "Quickmesh" (CPanViewCel_Change) and "LowPower"
// (CPanViewCelLowPower). The two Quickmesh kinds set lowPowerKind, which the CEL pages read, and have the remote
// module tab.
#pragma once

#include "shell/FamilyPanel.h"

class CDlgChangePass;
class CLowPowerDlg;
class CPageDevADCel;
class CPageDevAdvCel;
class CPageDevBaseCel;
class CPageDevComCel;
class CPageDevIOCel;
class CPageDevTerminalVnet;
class CPageDevTranCel;
class CPageListDevRemoteCel;
class CPageListLocalDev;

class CPanViewCel : public FamilyPanel {
    Q_OBJECT
public:
    explicit CPanViewCel(const ShellContext& context, QWidget* parent = nullptr);

    bool lowPowerKind() const { return kind_ != Kind::Vnet; }
    // Shown when a remote command finds no row selected.
    static QString NoSelectionMessage();

    CPageListLocalDev* localPage() const { return local_; }
    CPageListDevRemoteCel* remoteCelList() const { return remote_; }
    CPageDevBaseCel* basePage() const { return base_; }
    CPageDevComCel* comPage() const { return com_; }
    CPageDevTranCel* tranPage() const { return tran_; }
    CPageDevAdvCel* advPage() const { return adv_; }
    CLowPowerDlg* lowPowerPage() const { return lowPower_; }
    CPageDevTerminalVnet* terminalPage() const { return terminal_; }
    CDlgChangePass* changePassPage() const { return changePass_; }
    // The IO and analogue-input pages: no category row leads to them unless the hidden screens are shown.
    CPageDevIOCel* ioPage() const { return io_; }
    CPageDevADCel* adPage() const { return ad_; }

protected:
    enum class Kind { Vnet, Quickmesh, LowPower };
    CPanViewCel(const ShellContext& context, Kind kind, QWidget* parent);

    void loadInfoCommand() override;
    void resetCommand() override;

private:
    Kind kind_;
    CPageListLocalDev* local_ = nullptr;
    CPageListDevRemoteCel* remote_ = nullptr;
    CPageDevBaseCel* base_ = nullptr;
    CPageDevComCel* com_ = nullptr;
    CPageDevTranCel* tran_ = nullptr;
    CPageDevAdvCel* adv_ = nullptr;
    CLowPowerDlg* lowPower_ = nullptr;
    CPageDevTerminalVnet* terminal_ = nullptr;
    CDlgChangePass* changePass_ = nullptr;
    CPageDevIOCel* io_ = nullptr;
    CPageDevADCel* ad_ = nullptr;
};

class CPanViewCel_Change : public CPanViewCel {
    Q_OBJECT
public:
    explicit CPanViewCel_Change(const ShellContext& context, QWidget* parent = nullptr);

protected:
    using CPanViewCel::CPanViewCel;
};

class CPanViewCelLowPower : public CPanViewCel_Change {
    Q_OBJECT
public:
    explicit CPanViewCelLowPower(const ShellContext& context, QWidget* parent = nullptr);
};
