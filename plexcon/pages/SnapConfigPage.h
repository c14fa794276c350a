// The flow the SNAP configuration pages share: the module of the current tab, the read, the get command and the
// modify command, which fetches the module's password from the module itself (not from the record) and asks the
// operator for it once per page and direction. The flags live in the panel, because a password change on the
// advanced page clears those of all four pages for its direction.
#pragma once

#include <vector>

#include "pages/ConfigPageFrame.h"
#include "radlink.h"
#include "shell/Operator.h"

class CPanViewSnap;

namespace snap {

// Pages with a password memory, in category order.
enum PageId { BasePage = 0, ComPage, TranPage, AdvPage, PageCount };

// The record bytes behind a property number (its width in *width); null for an unknown number.
unsigned char* PropertyBytes(SnapRecord& record, int property, unsigned int* width);
// The module's password into a zeroed 32-byte buffer: local (index < 0) or remote module `index`.
bool FetchPassword(int index, QByteArray& password);
QString NoSelectionMessage();

}  // namespace snap

class SnapConfigPage : public ConfigPageFrame {
    Q_OBJECT
public:
    // What target() gives in remote mode with no row selected.
    static constexpr int kNoSelection = -2;

    // Reads the module into the controls: 1 done, 0 the read failed, 2 no remote module selected (message shown).
    int read();
    void getCommand();
    void modifyCommand();

protected:
    struct Message {
        QString text;
        Operator::Icon icon;
    };
    struct Traits {
        snap::PageId id;
        QString getCaption;
        QString modifyCaption;
        Message portClosed;
        Message done;
        Message failed;
        // Properties set, in the order sent.
        std::vector<int> properties;
    };

    SnapConfigPage(CPanViewSnap* panel, Traits traits);

    virtual void fill(const SnapRecord& record) = 0;
    // Takes the values typed into the page; false (with the field's message shown) when one does not parse.
    virtual bool takeValues() { return true; }
    virtual void collect(SnapRecord& record) = 0;
    // After the submit, whatever it gave; `password` is the module's as fetched.
    virtual void afterSubmit(int /*index*/, const QByteArray& /*password*/) {}

    // The module of the current tab: -1 local, else the remote index; -2 with the message shown when none is
    // selected.
    int target();
    CPanViewSnap* panel() const { return panel_; }

private:
    CPanViewSnap* panel_;
    Traits traits_;
};
