// "基本信息" of the SNAP panel: versions, addresses, network, channel, work mode and heartbeat.
#pragma once

#include <array>

#include "pages/SnapConfigPage.h"

class QComboBox;
class QLineEdit;

class CPageDevBaseSnap : public SnapConfigPage {
    Q_OBJECT
public:
    explicit CPageDevBaseSnap(CPanViewSnap* panel);

    // Colon-separated hexadecimal groups, the low 8 bits of each; false when a group is missing or not a number.
    static bool ParseGroups(const QString& text, unsigned char* bytes, int count);
    static QString GroupsText(const unsigned char* bytes, int count);

protected:
    void fill(const SnapRecord& record) override;
    bool takeValues() override;
    void collect(SnapRecord& record) override;

private:
    QLineEdit* version_ = nullptr;
    QLineEdit* scriptVersion_ = nullptr;
    QLineEdit* mac_ = nullptr;
    QLineEdit* netId_ = nullptr;
    QComboBox* channel_ = nullptr;
    QComboBox* workMode_ = nullptr;
    QLineEdit* dstAdr_ = nullptr;
    QLineEdit* heartbeatTime_ = nullptr;
    QLineEdit* heartbeatChars_ = nullptr;
    QComboBox* heartbeatEnable_ = nullptr;
    QComboBox* sourceEnable_ = nullptr;
    QComboBox* rs485Enable_ = nullptr;

    // Taken by takeValues().
    std::array<unsigned char, 8> macValue_{};
    unsigned short netIdValue_ = 0;
    std::array<unsigned char, 3> dstValue_{};
    unsigned char heartbeatTimeValue_ = 0;
};
