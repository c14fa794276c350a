// "无线传送信息": air rate (display only), transmit power and send retries.
#pragma once

#include "pages/CelConfigPage.h"

class CNumEdit;
class QComboBox;
class QLabel;

class CPageDevTranCel : public CelConfigPage {
    Q_OBJECT
public:
    explicit CPageDevTranCel(CPanViewCel* panel);

    // The Quickmesh panels: the four power codes of their radio, selectable, and the interval in ms.
    void useQuickmeshFields();

protected:
    void fill(const CelRecord& record) override;
    void collect(CelRecord& record) override;

private:
    // Transmit power code of list position 0 (0x02 for the VNET list, 0x00 for the Quickmesh list).
    int firstPowerCode_ = 2;
    QComboBox* rate_ = nullptr;
    QComboBox* power_ = nullptr;
    CNumEdit* retryCount_ = nullptr;
    CNumEdit* retryInterval_ = nullptr;
    QLabel* intervalLabel_ = nullptr;
};
