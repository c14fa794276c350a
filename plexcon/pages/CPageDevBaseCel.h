// "基本信息": identity, addresses, channel, send mode and voice settings of a CEL module.
#pragma once

#include "pages/CelConfigPage.h"

class CDataEdit;
class CDevNameEdit;
class CEditMacAdd;
class QComboBox;
class QLineEdit;

class CPageDevBaseCel : public CelConfigPage {
    Q_OBJECT
public:
    explicit CPageDevBaseCel(CPanViewCel* panel);

    // The Quickmesh panels: network addresses editable, run state disabled, no coordinator device type.
    void useQuickmeshFields();

    // "V1.05" for 0x0105, "V12.34" for 0x1234.
    static QString FirmwareText(unsigned short version);

protected:
    void fill(const CelRecord& record) override;
    void collect(CelRecord& record) override;

private:
    CDevNameEdit* name_ = nullptr;
    QLineEdit* firmware_ = nullptr;
    QComboBox* deviceType_ = nullptr;
    QComboBox* runState_ = nullptr;
    QComboBox* channel_ = nullptr;
    CDataEdit* panId_ = nullptr;
    CDataEdit* netAddress_ = nullptr;
    QLineEdit* macAddress_ = nullptr;
    CDataEdit* dstNetAddress_ = nullptr;
    CEditMacAdd* dstMacAddress_ = nullptr;
    QComboBox* sendMode_ = nullptr;
    QComboBox* sampleRate_ = nullptr;
    QComboBox* compression_ = nullptr;
    QComboBox* voiceMode_ = nullptr;
    QComboBox* outputVolume_ = nullptr;
    QComboBox* micVolume_ = nullptr;
};
