// "修改虚拟串口配置": lists the USB-to-serial bridges that are plugged in, shows the identity string ("虚拟串口ID")
// of the selected one and writes a new one. Every operation opens the bridge it needs and closes it again before
// it ends; failures are reported to the operator and leave the dialog usable.
#pragma once

#include <QDialog>
#include <QString>

#include <chrono>

class Operator;
class QComboBox;
class QLineEdit;
class QPushButton;
class UsbBridge;

class CSetUSBId : public QDialog {
    Q_OBJECT
public:
    static QString NotReady() { return tr("设备还未就绪，更新列表失败"); }
    static QString ReadFailed() { return tr("获取虚拟串口ID失败"); }
    static QString OpenFailed() { return tr("打开虚拟串口失败"); }
    static QString WriteFailed() { return tr("设置虚拟串口ID失败"); }
    static QString Changed() {
        return tr("\t    修改成功,正在复位设备……\n\n(如果系统提示重装设备驱动，请正确安装后再点确定）");
    }
    // Steps of the progress bar while a reset bridge re-enumerates.
    static constexpr int kSettleSteps = 50;

    // The bridge and the operator must outlive the dialog. The list is built when the dialog is first shown.
    CSetUSBId(UsbBridge& bridge, Operator& op, QWidget* parent = nullptr);

    // "刷新列表": lists the bridges again and shows the identity of the selection.
    void refresh();
    // Reads the identity of the selected bridge into the edit field.
    void showSelection();
    // "修改": writes the edit field's text as the selected bridge's identity and resets the bridge.
    void change();

    // Time per progress step while the bridge re-enumerates (tests shorten it).
    void setSettleStep(std::chrono::milliseconds step) { settleStep_ = step; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Bridge number of the selected entry, or -1.
    int selectedBridge() const;
    void waitForReenumeration();

    UsbBridge& bridge_;
    Operator& op_;
    int selection_ = -1;
    bool listed_ = false;
    std::chrono::milliseconds settleStep_{60};

    QComboBox* devices_ = nullptr;
    QLineEdit* identity_ = nullptr;
    QPushButton* refreshButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
};
