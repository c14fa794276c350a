// "低功耗参数" of the LowPower panel: sleep time, receive delay and forwarding delay.
#pragma once

#include "pages/CelConfigPage.h"

class CTerminalEdit;

class CLowPowerDlg : public CelConfigPage {
    Q_OBJECT
public:
    explicit CLowPowerDlg(CPanViewCel* panel);

protected:
    void fill(const CelRecord& record) override;
    void collect(CelRecord& record) override;

private:
    CTerminalEdit* sleepTime_ = nullptr;
    CTerminalEdit* receiveDelay_ = nullptr;
    CTerminalEdit* forwardDelay_ = nullptr;
};
