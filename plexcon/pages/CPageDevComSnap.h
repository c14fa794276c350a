// "串口信息" of the SNAP panel: the module's serial interface (one stop bit only).
#pragma once

#include "pages/SnapConfigPage.h"

class QComboBox;

class CPageDevComSnap : public SnapConfigPage {
    Q_OBJECT
public:
    explicit CPageDevComSnap(CPanViewSnap* panel);

protected:
    void fill(const SnapRecord& record) override;
    void collect(SnapRecord& record) override;

private:
    QComboBox* baud_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* stopBits_ = nullptr;
};
