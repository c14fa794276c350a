// The SNAP family panel (its navigation button stays hidden unless --show-hidden): local and remote modules and
// the four configuration pages. It keeps the pages' password memory, one flag per page and direction, which a
// password change clears for its direction; entering the remote tab with an empty search list starts a search.
#pragma once

#include "pages/SnapConfigPage.h"
#include "shell/FamilyPanel.h"

class CPageDevAdvSnap;
class CPageDevBaseSnap;
class CPageDevComSnap;
class CPageDevTranSnap;
class CPageListDevRemoteSnap;
class CPageListLocalDev;

class CPanViewSnap : public FamilyPanel {
    Q_OBJECT
public:
    explicit CPanViewSnap(const ShellContext& context, QWidget* parent = nullptr);

    bool passwordAccepted(snap::PageId page, bool remote) const { return accepted_[page][remote ? 1 : 0]; }
    void acceptPassword(snap::PageId page, bool remote) { accepted_[page][remote ? 1 : 0] = true; }
    // After a password change: every page asks again in that direction.
    void forgetPasswords(bool remote);
    // Rebuilds the remote list from the library, keeping the selection.
    void refreshRemoteList();

    CPageListLocalDev* localPage() const { return local_; }
    CPageListDevRemoteSnap* remoteSnapList() const { return remote_; }
    CPageDevBaseSnap* basePage() const { return base_; }
    CPageDevComSnap* comPage() const { return com_; }
    CPageDevTranSnap* tranPage() const { return tran_; }
    CPageDevAdvSnap* advPage() const { return adv_; }

protected:
    void loadInfoCommand() override;
    void resetCommand() override;
    void tabChosen(int tab) override;
    void showRemoteCommand() override;

private:
    // The panel's own search command switches tabs itself: no second search from the tab switch.
    bool showingRemote_ = false;
    bool accepted_[snap::PageCount][2] = {};
    CPageListLocalDev* local_ = nullptr;
    CPageListDevRemoteSnap* remote_ = nullptr;
    CPageDevBaseSnap* base_ = nullptr;
    CPageDevComSnap* com_ = nullptr;
    CPageDevTranSnap* tran_ = nullptr;
    CPageDevAdvSnap* adv_ = nullptr;
};
