// The "本地模块" tab of every family panel: commands for the module on the serial port, which it posts to its
// panel once the port is found open.
#pragma once

#include <QWidget>

class FamilyPanel;
class QPushButton;

class CPageListLocalDev : public QWidget {
    Q_OBJECT
public:
    explicit CPageListLocalDev(FamilyPanel* panel);

    QPushButton* loadButton() const { return load_; }
    QPushButton* resetButton() const { return reset_; }
    // Created disabled; the panels with remote modules enable it.
    QPushButton* searchButton() const { return search_; }

private:
    FamilyPanel* panel_;
    QPushButton* load_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* search_ = nullptr;
};
