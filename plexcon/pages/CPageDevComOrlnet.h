// "串口信息" of the ORLNET panel: the module's own serial interface.
#pragma once

#include "pages/OrlnetConfigPage.h"

class QComboBox;

class CPageDevComOrlnet : public OrlnetConfigPage {
    Q_OBJECT
public:
    explicit CPageDevComOrlnet(CPanViewOrlnet* panel);

protected:
    void fill(const OrlnetConfig& record) override;
    void collect(OrlnetConfig& record) override;

private:
    QComboBox* baud_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QComboBox* parity_ = nullptr;
};
