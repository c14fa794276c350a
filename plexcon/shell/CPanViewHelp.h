// The help panel: the program's name and version, and whom to call.
#pragma once

#include <QWidget>

class CPanViewHelp : public QWidget {
    Q_OBJECT
public:
    static QString Version() { return tr("Plexcon V1.20.2 LowPower"); }

    explicit CPanViewHelp(QWidget* parent = nullptr);
};
