// The flow the ORLNET configuration pages share: which module (local, remote, remote over a route), the read,
// the get command and the modify command with the page's own password memory (one flag per direction, kept
// until the program ends). Each page declares its route spans, its property orders and how it fills and collects
// its controls.
#pragma once

#include <vector>

#include "pages/ConfigPageFrame.h"
#include "radlink.h"

class CPanViewOrlnet;
class QLineEdit;

namespace orlnet {

// A part of the record that a module reached over a route is read from and written to.
struct Span {
    int offset;
    int length;
};

// Reads the local module (index < 0) or remote module `index` into `record`: over a route only the spans, each
// after the one before succeeded (the result is that of the last read made). 1 success, 0 failure.
int ReadRecord(int index, OrlnetConfig& record, const std::vector<Span>& routeSpans);
// Writes the library's edit record back: local, remote in spans over a route, or remote whole.
int SubmitRecord(int index, const std::vector<Span>& routeSpans);
// The record bytes behind a property number (its width in *width); null for a number the pages do not write.
unsigned char* PropertyBytes(OrlnetConfig& record, int property, int* width);
// Shown when a remote command finds no row selected.
QString NoSelectionMessage();

}  // namespace orlnet

class OrlnetConfigPage : public ConfigPageFrame {
    Q_OBJECT
public:
    // Reads the module into the controls: 1 done, 0 the read failed, 2 no remote module selected (message shown).
    int read();
    void getCommand();
    void modifyCommand();

    // The operator typed the module's password correctly on this page in this direction.
    bool passwordAccepted(bool remote) const { return passwordAccepted_[remote ? 1 : 0]; }

protected:
    struct Traits {
        QString getCaption;
        QString modifyCaption;
        // Base: the record is read before the password question, the port-closed message carries the error
        // icon, a failed remote read leaves the controls alone and a remote write refreshes the remote list.
        bool basePage = false;
        std::vector<orlnet::Span> routeSpans;
        std::vector<int> localOrder;
        std::vector<int> remoteOrder;
    };

    OrlnetConfigPage(CPanViewOrlnet* panel, Traits traits);

    virtual void fill(const OrlnetConfig& record) = 0;
    // Takes the numbers typed into the page; false (with the field's message shown) when one does not parse.
    virtual bool takeValues() { return true; }
    virtual void collect(OrlnetConfig& record) = 0;

    // A decimal number (negative allowed) from a field; false with the field's message when it does not parse or
    // lies outside [min, max].
    bool takeNumber(const QLineEdit* field, const QString& caption, long min, long max, long& value);
    CPanViewOrlnet* panel() const { return panel_; }

private:
    bool passwordMatches(const OrlnetConfig& record, const QString& entered) const;
    void showPortClosed();

    CPanViewOrlnet* panel_;
    Traits traits_;
    bool passwordAccepted_[2] = {false, false};
};
