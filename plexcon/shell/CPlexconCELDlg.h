// The main window: a navigation bar of eight buttons over one content area in which exactly one of eight panels
// is visible. Every panel is created once, here, and lives as long as the window; switching only hides and shows.
#pragma once

#include <QWidget>

#include <array>
#include <memory>

#include "shell/ShellContext.h"

class QAbstractButton;

class CPlexconCELDlg : public QWidget {
    Q_OBJECT
public:
    // Panel and button indexes, in navigation order.
    enum Panel { SerialPort, Snap, Vnet, Sample, Help, Orlnet, Quickmesh, LowPower };
    static constexpr int kPanelCount = 8;

    explicit CPlexconCELDlg(const ShellContext& context, QWidget* parent = nullptr);
    ~CPlexconCELDlg() override;

    // The command of navigation button i.
    void showPanel(int index);
    int currentPanel() const { return current_; }
    QWidget* panel(int index) const { return panels_[static_cast<size_t>(index)]; }
    QAbstractButton* navigationButton(int index) const { return buttons_[static_cast<size_t>(index)]; }
    // The content area, in the window's co-ordinates.
    QRect contentRect() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildNavigationBar();

    ShellContext context_;
    std::unique_ptr<UsbBridge> usbBridge_;  // the production bridge, when the context brings none
    QWidget* contentArea_ = nullptr;
    std::array<QWidget*, kPanelCount> panels_{};
    std::array<QAbstractButton*, kPanelCount> buttons_{};
    int current_ = SerialPort;
};
