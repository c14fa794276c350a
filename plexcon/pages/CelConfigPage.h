// The flow the CEL configuration pages share: which module (the panel's tab and remote selection), the read, the
// get command ("获取信息") and the modify command ("更改配置": fresh read, password question, the page's
// properties in the page's order, submit). Each page declares how it fills its controls from a record, how it
// collects them back, and its property order; the messages are the pages' own where they differ.
#pragma once

#include <vector>

#include "pages/ConfigPageFrame.h"
#include "radlink.h"

class CPanViewCel;

class CelConfigPage : public ConfigPageFrame {
    Q_OBJECT
public:
    // Read the module into the controls: 1 done, 0 the read failed (controls untouched), 2 ended early with its own
    // message or silently.
    int read();
    void getCommand();
    void modifyCommand();

protected:
    struct Traits {
        // The port-closed message carries the error icon (else none).
        bool portClosedErrorIcon = false;
        // Local reads run the module access check first.
        bool accessCheckOnLocalRead = false;
        // Message of a failed submit.
        QString submitFailed;
        std::vector<int> localOrder;
        std::vector<int> remoteOrder;
    };

    CelConfigPage(CPanViewCel* panel, Traits traits);

    virtual void fill(const CelRecord& record) = 0;
    virtual void collect(CelRecord& record) = 0;

    CPanViewCel* panel() const { return panel_; }

private:
    // Reads the module of the current tab into `record`: 1, 0 or 2 as read() (the no-selection message shown).
    int readRecord(CelRecord& record, bool forModify);
    void showPortClosed();

    CPanViewCel* panel_;
    Traits traits_;
};

// The record bytes behind a property number (the property's width in *width); null for an unknown number.
unsigned char* CelPropertyBytes(CelRecord& record, int property, unsigned int* width);
