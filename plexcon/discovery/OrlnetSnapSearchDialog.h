// The search dialog of the SNAP and ORLNET families, on the shared search frame. A worker thread runs the family's search calls one at a time under the
// library lock while a 200 ms timer advances the bar and shows new finds; when the search has ended the dialog
// closes itself as "退出" does. Closing it in any way stops the worker and waits for it.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "discovery/SearchDialogFrame.h"
#include "shell/ShellContext.h"

class OrlnetSnapSearchDialog : public SearchDialogFrame {
    Q_OBJECT
public:
    static constexpr int kTickMs = 200;

    ~OrlnetSnapSearchDialog() override;

    bool searching() const { return flag_.load(); }

    void searchCommand();
    void exitCommand();
    void reject() override;

protected:
    struct Kind {
        // How many channel and rate boxes a search reads, and the stored settings read back.
        int channelsRead;
        int ratesRead;
        Look look;
    };
    // What the worker gets by copy: the channel numbers 11.. and rate indexes checked.
    struct Selection {
        std::vector<int> channels;
        std::vector<int> rates;
    };

    // flag: the searching flag of the dialog's kind, kept for the whole program run.
    OrlnetSnapSearchDialog(const ShellContext& context, Kind kind, std::atomic<bool>& flag, QWidget* parent);

    const ShellContext& context() const { return context_; }

    // On the UI thread, when "搜索" is pressed: empty the library's list; false stops before anything runs.
    virtual bool prepareSearch(const Selection& selection) = 0;
    // On the worker: the family's search over the selection; polls stopRequested() before every library call.
    virtual void runSearch(const Selection& selection) = 0;
    // The library's entries, read under the lock on the UI thread.
    virtual int libraryCount() const = 0;
    virtual QStringList libraryRow(int index) const = 0;
    // Settings beyond "Channel" and "Rate".
    virtual void storeExtraSettings() {}
    // "停止"; the default clears the flag and lets the next tick close the dialog.
    virtual void stopCommand();

    bool stopRequested() const { return !flag_.load(); }
    void clearFlag() { flag_.store(false); }
    // Ends the worker: clears the flag and waits for the thread.
    void stopWorker();
    void stopTimerAndRestore();
    // Shows a message from the worker on the UI thread.
    void sayLater(const QString& text, int icon);

private:
    void tick();
    void storeSettings();

    ShellContext context_;
    Kind kind_;
    std::atomic<bool>& flag_;
    std::thread worker_;
};
