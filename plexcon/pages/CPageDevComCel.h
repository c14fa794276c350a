// "串口信息": the module's own serial interface.
#pragma once

#include "pages/CelConfigPage.h"

class QComboBox;

class CPageDevComCel : public CelConfigPage {
    Q_OBJECT
public:
    explicit CPageDevComCel(CPanViewCel* panel);

protected:
    void fill(const CelRecord& record) override;
    void collect(CelRecord& record) override;

private:
    QComboBox* baud_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QComboBox* parity_ = nullptr;
};
