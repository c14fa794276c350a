// The ORLNET search dialog: every checked channel and rate, either with the plain search or, with "指定搜索ID",
// with the search by identifier over a range of identifiers (skipping those whose last hexadecimal digit is a
// letter). It reads the local module first and closes itself when the search has ended.
#pragma once

#include "discovery/OrlnetSnapSearchDialog.h"

class QLineEdit;

class CDlgSearchOrlnet : public OrlnetSnapSearchDialog {
    Q_OBJECT
public:
    explicit CDlgSearchOrlnet(const ShellContext& context, QWidget* parent = nullptr);
    ~CDlgSearchOrlnet() override;

    QCheckBox* idBox() const { return idBox_; }
    QLineEdit* startId() const { return startId_; }
    QLineEdit* endId() const { return endId_; }

    // The identifiers searched from start to end: a last digit above 9 moves on to the next ten (0x200A -> 0x2010).
    static std::vector<int> IdentifiersOf(int start, int end);

protected:
    bool prepareSearch(const Selection& selection) override;
    void runSearch(const Selection& selection) override;
    int libraryCount() const override;
    QStringList libraryRow(int index) const override;
    void storeExtraSettings() override;

private:
    QCheckBox* idBox_ = nullptr;
    QLineEdit* startId_ = nullptr;
    QLineEdit* endId_ = nullptr;
    // Taken at "搜索", before the worker starts; the worker only reads them.
    bool byId_ = false;
    std::vector<int> identifiers_;
};
