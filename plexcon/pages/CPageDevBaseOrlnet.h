// "基本信息" of the ORLNET panel: name, type, channel, PAN ID, address and the routing timers and signal
// thresholds of a module.
#pragma once

#include <array>

#include "pages/OrlnetConfigPage.h"

class QComboBox;
class QLineEdit;

class CPageDevBaseOrlnet : public OrlnetConfigPage {
    Q_OBJECT
public:
    explicit CPageDevBaseOrlnet(CPanViewOrlnet* panel);

protected:
    void fill(const OrlnetConfig& record) override;
    bool takeValues() override;
    void collect(OrlnetConfig& record) override;

private:
    // The decimal fields in their order on the page: offset, width, signed.
    struct Number {
        const char* caption;
        size_t offset;
        int width;
        bool isSigned;
        long min;
        long max;
    };
    static const std::array<Number, 10> kNumbers;

    QLineEdit* name_ = nullptr;
    QLineEdit* firmware_ = nullptr;
    QComboBox* deviceType_ = nullptr;
    QComboBox* runState_ = nullptr;
    QComboBox* channel_ = nullptr;
    QLineEdit* panId_ = nullptr;
    QLineEdit* netAddress_ = nullptr;
    std::array<QLineEdit*, 10> numbers_{};
    std::array<long, 10> numberValues_{};
    unsigned short panIdValue_ = 0;
    unsigned short netAddressValue_ = 0;
};
