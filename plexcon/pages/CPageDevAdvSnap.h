// "高级设置" of the SNAP panel: the remote-upgrade switch with an optional password change, EEPROM read and
// write, and factory reset.
#pragma once

#include "pages/SnapConfigPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CPageDevAdvSnap : public SnapConfigPage {
    Q_OBJECT
public:
    // An EEPROM read answers with the request's echo and a status byte before the data.
    static constexpr int kEepromReplyHead = 10;
    static constexpr int kEepromRead = 64;

    explicit CPageDevAdvSnap(CPanViewSnap* panel);

    void readEepromCommand();
    void writeEepromCommand();
    void factoryResetCommand();

    QLineEdit* eepromAddress() const { return address_; }
    QLineEdit* eepromValue() const { return value_; }
    QCheckBox* changePassword() const { return changePassword_; }
    QLineEdit* newPassword() const { return newPassword_; }

protected:
    void fill(const SnapRecord& record) override;
    void collect(SnapRecord& record) override;
    void afterSubmit(int index, const QByteArray& password) override;

private:
    bool portOpenOrSay();
    bool takeAddress(int& address);

    QComboBox* update_ = nullptr;
    QCheckBox* changePassword_ = nullptr;
    QLineEdit* newPassword_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* value_ = nullptr;
};
