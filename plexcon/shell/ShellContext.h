// What the main window hands to its panels: the operator, where the settings live, where the ports come from.
#pragma once

#include <QString>
#include <QStringList>

class Operator;
class UsbBridge;

struct ShellContext {
    Operator* op = nullptr;
    // Full path of "Plexcon.ini".
    QString settingsPath;
    // The folder of the program's logs (SettingsLocation): upgrade/ and log/ go under it.
    QString logFolder;
    // Where the machine's serial ports are listed (tests point it at a folder of their own).
    QString sysTtyRoot = QStringLiteral("/sys/class/tty");
    // Ports named on the command line or in the environment, and the demo module's port.
    QStringList extraPorts;
    // A port to select at start instead of the stored position (the demo module's port); empty for none.
    QString preferredPort;
    // Show the screens the standard navigation does not reach: the "SNAP" and "ORLNET" panels, the IO and
    // analogue-input categories of the CEL panels, and the CEL upgrade button (--show-hidden).
    bool showHidden = false;
    // The USB bridge behind the identity dialog of "高级"; the main window supplies the production one when null.
    UsbBridge* usbBridge = nullptr;
};
