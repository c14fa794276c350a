// "高级设置" of the ORLNET panel: factory reset, firmware upgrade and the LED switches of one module or of all.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

class CPanViewOrlnet;
class QCheckBox;
class QPushButton;

class CPageDevAdvOrlnet : public QWidget {
    Q_OBJECT
public:
    // What the upgrade dialog is handed.
    struct UpgradeTarget {
        unsigned short controlWord;
        unsigned short netAddress;
        unsigned char runState;
        unsigned char device;  // 0xFF the local module, else the remote module's index
    };
    using UpgradeOpener = std::function<void(QWidget* parent, const UpgradeTarget&)>;

    explicit CPageDevAdvOrlnet(CPanViewOrlnet* panel);

    // The upgrade dialog; "升级" stays disabled until one is set.
    void setUpgradeOpener(UpgradeOpener opener);

    void factoryResetCommand();
    void upgradeCommand();
    void singleLedCommand();
    void broadcastLedCommand();

    // LED1 is bit 3 .. LED4 bit 0, checked = 1.
    int ledMask() const;

private:
    // The module of the current tab: -1 local; -2 when remote with no row selected (message shown).
    int target();
    bool portOpenOrSay();

    CPanViewOrlnet* panel_;
    UpgradeOpener upgradeOpener_;
    QPushButton* upgrade_ = nullptr;
    std::array<QCheckBox*, 4> leds_{};
};
