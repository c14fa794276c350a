// The serial port panel: pick a port and its line settings, open and close it through the library, ask which CEL
// product line answers on it. Its "COM" settings are read once when it is built and written once when it goes.
#pragma once

#include <QStringList>
#include <QWidget>

#include "shell/ShellContext.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CPanViewPcCom : public QWidget {
    Q_OBJECT
public:
    // Captions and texts of the panel.
    static QString NoPortOpen() { return tr("没有打开任何的串口"); }
    static const QStringList& BaudRates();

    explicit CPanViewPcCom(const ShellContext& context, QWidget* parent = nullptr);
    // Writes the "COM" settings and closes the port.
    ~CPanViewPcCom() override;

    // The buttons' commands.
    void openPort();
    void closePort();
    void identifyFirmware();
    void rescanPorts();
    void openUsbIdentity();

    bool portOpen() const { return open_; }

private:
    QWidget* buildPortGroup();
    QWidget* buildParameterGroup();
    void buildPortList();
    void loadSettings();
    void saveSettings();
    void showOpenState(bool open);

    ShellContext context_;
    int storedPortPosition_ = 0;
    bool open_ = false;

    QComboBox* ports_ = nullptr;
    QPushButton* rescan_ = nullptr;
    QPushButton* advanced_ = nullptr;
    QComboBox* baud_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QLineEdit* timeout_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* identify_ = nullptr;
    QLabel* status_ = nullptr;
};
