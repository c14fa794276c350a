// The ORLNET family panel (its navigation button stays hidden unless --show-hidden): local and remote modules,
// the configuration pages and the network tools (route tables, LED test, data transfer).
#pragma once

#include "shell/FamilyPanel.h"

class CPageDetectRouter;
class CPageDevAdvOrlnet;
class CPageDevBaseOrlnet;
class CPageDevComOrlnet;
class CPageDevTranOrlnet;
class CPageListDevRemoteOrlnet;
class CPageListLocalDev;
class CPageTranData;
class CTestLed;

class CPanViewOrlnet : public FamilyPanel {
    Q_OBJECT
public:
    explicit CPanViewOrlnet(const ShellContext& context, QWidget* parent = nullptr);

    // Every selected row of the remote list, in list order.
    QList<int> selectedRemotes() const;
    // Rebuilds the remote list from the library, keeping the selection.
    void refreshRemoteList();

    CPageListLocalDev* localPage() const { return local_; }
    CPageListDevRemoteOrlnet* remoteOrlnetList() const { return remote_; }
    CPageDevBaseOrlnet* basePage() const { return base_; }
    CPageDevComOrlnet* comPage() const { return com_; }
    CPageDevTranOrlnet* tranPage() const { return tran_; }
    CPageDetectRouter* routePage() const { return route_; }
    CPageDevAdvOrlnet* advPage() const { return adv_; }
    CTestLed* ledTestPage() const { return ledTest_; }
    CPageTranData* dataPage() const { return data_; }

protected:
    void loadInfoCommand() override;
    void resetCommand() override;

private:
    CPageListLocalDev* local_ = nullptr;
    CPageListDevRemoteOrlnet* remote_ = nullptr;
    CPageDevBaseOrlnet* base_ = nullptr;
    CPageDevComOrlnet* com_ = nullptr;
    CPageDevTranOrlnet* tran_ = nullptr;
    CPageDetectRouter* route_ = nullptr;
    CPageDevAdvOrlnet* adv_ = nullptr;
    CTestLed* ledTest_ = nullptr;
    CPageTranData* data_ = nullptr;
};
