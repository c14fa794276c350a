// The VNET panel's "终端设置" page: the terminals' sleep, online and polling times, read and written with raw
// parameter frames behind the module's access check.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class CPanViewCel;
class CTerminalEdit;
class QPushButton;

class CPageDevTerminalVnet : public QWidget {
    Q_OBJECT
public:
    explicit CPageDevTerminalVnet(CPanViewCel* panel);

    // "获取信息": the three parameters read into the fields, all or none.
    void getCommand();
    // "更改配置": the three fields written in order; a failure leaves the ones before it written.
    void setCommand();

    QPushButton* getButton() const { return get_; }
    QPushButton* setButton() const { return set_; }

    // The value a field's text stands for: its leading digits as a decimal number (empty text gives 0), low 16
    // bits.
    static uint16_t FieldValue(const QString& text);

private:
    static constexpr size_t kParameters = 3;

    // The first steps of both commands: false when the port is closed (reported, with the error icon or none) or
    // the access check ended the command.
    bool portOpenAndAccessGranted(bool portClosedErrorIcon);

    CPanViewCel* panel_;
    std::array<CTerminalEdit*, kParameters> fields_{};
    QPushButton* get_ = nullptr;
    QPushButton* set_ = nullptr;
};
