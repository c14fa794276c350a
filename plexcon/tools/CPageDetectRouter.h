// "查找路由表" of the ORLNET panel: asks the local or remote route table for a module address; each answer becomes
// or updates one row (hops, weakest link, route). The selected row's route is drawn as a chain of nodes from the
// local module to the target with the weakest link marked; the table can be saved as CSV.
#pragma once

#include <QWidget>

#include <vector>

#include "radlink.h"

class CPanViewOrlnet;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

// The drawing of one route: "本地", then each hop; the link into the weakest node is drawn red with its signal.
class RouteChainView : public QWidget {
    Q_OBJECT
public:
    explicit RouteChainView(QWidget* parent = nullptr);
    void setRoute(const OrlnetRoute* route);
    // What the drawing shows, as text ("本地 → 2001 → 2004, 最弱链路 -62dBm → 2004"); empty without a route.
    QString chainText() const { return text_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool hasRoute_ = false;
    OrlnetRoute route_{};
    QString text_;
};

class CPageDetectRouter : public QWidget {
    Q_OBJECT
public:
    explicit CPageDetectRouter(CPanViewOrlnet* panel);

    // The message of a module status code.
    static QString StatusMessage(int code);

    void detectCommand();
    void clearCommand();
    void saveCsvCommand();

    QLineEdit* addressField() const { return address_; }
    QRadioButton* localTable() const { return local_; }
    QRadioButton* remoteTable() const { return remote_; }
    QTreeWidget* list() const { return list_; }
    RouteChainView* chain() const { return chain_; }
    const std::vector<unsigned short>& routeIds() const { return routeIds_; }

private:
    void showSelectedRoute();

    CPanViewOrlnet* panel_;
    QLineEdit* address_ = nullptr;
    QRadioButton* local_ = nullptr;
    QRadioButton* remote_ = nullptr;
    QTreeWidget* list_ = nullptr;
    RouteChainView* chain_ = nullptr;
    std::vector<unsigned short> routeIds_;
    std::vector<OrlnetRoute> routes_;  // the last answer of each row
};
