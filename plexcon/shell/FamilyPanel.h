// The frame shared by the family panels: the device tabs ("本地模块", and "远程模块" where the family has remote
// modules), the category list with one row per configuration page, and the page area in which only the page of
// the selected row is visible. The panel is the hub between its pages: the device lists post it commands, the
// configuration pages ask it which module to work on.
#pragma once

#include <QWidget>

#include "shell/Operator.h"
#include "shell/ShellContext.h"

class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class RemoteDeviceList;

class FamilyPanel : public QWidget {
    Q_OBJECT
public:
    enum Tab { LocalTab = 0, RemoteTab = 1 };

    const ShellContext& context() const { return context_; }
    Operator& op() const { return *context_.op; }

    // ---- services for the pages
    // True while the current tab is "远程模块".
    bool remoteMode() const { return currentTab_ == RemoteTab; }
    int currentTab() const { return currentTab_; }
    // Position of the selected remote module in the library's search list; -1 when none is selected.
    int selectedRemote() const;
    RemoteDeviceList* remoteList() const { return remoteList_; }

    // ---- commands of the device lists; each runs after the handler that posts it has returned
    void postShowRemote();
    void postLoadInfo();
    void postReset();

    // ---- layout
    QTabWidget* deviceTabs() const { return tabs_; }
    QTreeWidget* categoryList() const { return categories_; }
    int categoryCount() const;
    QWidget* page(int row) const;
    QWidget* currentPage() const;
    // Shows the page of row `row` and hides the others; a row outside the list changes nothing.
    void selectCategory(int row);

protected:
    FamilyPanel(const ShellContext& context, QWidget* parent);

    // Builds tab 0 with the local module page; tab 1 follows with setRemoteList().
    void setLocalPage(QWidget* page);
    void setRemoteList(RemoteDeviceList* list);
    void addCategory(const QString& caption, QWidget* page);
    // A page the panel owns that no category row leads to.
    void addHiddenPage(QWidget* page);

    // WM_PANEL_SHOW_REMOTE: the remote tab becomes current and its search runs.
    virtual void showRemoteCommand();
    // WM_PANEL_LOAD_INFO and WM_PANEL_RESET, per family.
    virtual void loadInfoCommand() = 0;
    virtual void resetCommand() = 0;
    // The operator picked a tab.
    virtual void tabChosen(int tab);

    // The panel-wide messages.
    void say(const QString& text, Operator::Icon icon);

private:
    ShellContext context_;
    QTabWidget* tabs_ = nullptr;
    QTreeWidget* categories_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    RemoteDeviceList* remoteList_ = nullptr;
    int currentTab_ = LocalTab;
};
