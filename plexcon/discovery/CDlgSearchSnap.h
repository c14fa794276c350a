// The SNAP search dialog: the first two rates (outer) over the first fifteen channels (inner); the first failed
// search ends the run. It closes itself when the search has ended; "停止" stops it and keeps it open.
#pragma once

#include "discovery/OrlnetSnapSearchDialog.h"

class CDlgSearchSnap : public OrlnetSnapSearchDialog {
    Q_OBJECT
public:
    explicit CDlgSearchSnap(const ShellContext& context, QWidget* parent = nullptr);
    ~CDlgSearchSnap() override;

protected:
    bool prepareSearch(const Selection& selection) override;
    void runSearch(const Selection& selection) override;
    int libraryCount() const override;
    QStringList libraryRow(int index) const override;
    void stopCommand() override;
};
