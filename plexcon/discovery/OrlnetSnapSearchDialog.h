// The search dialog frame of the SNAP and ORLNET families: channel and rate boxes, the found-module list, the
// progress bar and "搜索" / "停止" / "退出". A worker thread runs the family's search calls one at a time under the
// library lock while a 200 ms timer advances the bar and shows new finds; when the search has ended the dialog
// closes itself as "退出" does. Closing it in any way stops the worker and waits for it.
#pragma once

#include <QDialog>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "shell/ShellContext.h"

class QCheckBox;
class QGridLayout;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

class OrlnetSnapSearchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 200;

    ~OrlnetSnapSearchDialog() override;

    QTreeWidget* foundList() const { return found_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* exitButton() const { return exit_; }
    QProgressBar* progressBar() const { return progress_; }
    QCheckBox* channelBox(int i) const { return channels_[static_cast<size_t>(i)]; }
    QCheckBox* rateBox(int i) const { return rates_[static_cast<size_t>(i)]; }
    bool searching() const { return flag_.load(); }

    void searchCommand();
    void exitCommand();
    void reject() override;

protected:
    struct Kind {
        // How many channel and rate boxes a search reads, and the stored settings read back.
        int channelsRead;
        int ratesRead;
        QString selectAllCaption;
        QStringList columns;
        std::vector<int> columnWidths;
    };
    // What the worker gets by copy: the channel numbers 11.. and rate indexes checked.
    struct Selection {
        std::vector<int> channels;
        std::vector<int> rates;
    };

    // flag: the searching flag of the dialog's kind, kept for the whole program run.
    OrlnetSnapSearchDialog(const ShellContext& context, Kind kind, std::atomic<bool>& flag, QWidget* parent);

    // Room for the family's own fields under the rate boxes.
    QGridLayout* extraFields() const { return extra_; }
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
    void restoreButtons();

    ShellContext context_;
    Kind kind_;
    std::atomic<bool>& flag_;
    std::thread worker_;
    int counter_ = 0;
    std::array<QCheckBox*, 16> channels_{};
    std::array<QCheckBox*, 3> rates_{};
    QCheckBox* selectAll_ = nullptr;
    QGridLayout* extra_ = nullptr;
    QTreeWidget* found_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exit_ = nullptr;
    QTimer* timer_ = nullptr;
};
