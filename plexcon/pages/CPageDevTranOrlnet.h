// "无线传送信息" of the ORLNET panel: air rate and transmit power.
#pragma once

#include "pages/OrlnetConfigPage.h"

class QComboBox;

class CPageDevTranOrlnet : public OrlnetConfigPage {
    Q_OBJECT
public:
    explicit CPageDevTranOrlnet(CPanViewOrlnet* panel);

protected:
    void fill(const OrlnetConfig& record) override;
    void collect(OrlnetConfig& record) override;

private:
    QComboBox* rate_ = nullptr;
    QComboBox* power_ = nullptr;
};
