#include "discovery/OrlnetSnapSearchDialog.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "shell/LibraryLock.h"
#include "shell/Operator.h"
#include "shell/UiPost.h"

OrlnetSnapSearchDialog::OrlnetSnapSearchDialog(const ShellContext& context, Kind kind, std::atomic<bool>& flag,
                                               QWidget* parent)
    : SearchDialogFrame(context.settingsPath, kind.look, std::chrono::milliseconds(kTickMs), parent),
      context_(context), kind_(std::move(kind)), flag_(flag) {
    connect(timer(), &QTimer::timeout, this, &OrlnetSnapSearchDialog::tick);
    connect(searchButton(), &QPushButton::clicked, this, &OrlnetSnapSearchDialog::searchCommand);
    connect(stopButton(), &QPushButton::clicked, this, [this] { stopCommand(); });
    connect(exitButton(), &QPushButton::clicked, this, &OrlnetSnapSearchDialog::exitCommand);

    searchButton()->setEnabled(!flag_.load());
    stopButton()->setEnabled(flag_.load());
    readBoxes(kind_.channelsRead, kind_.ratesRead);
}

OrlnetSnapSearchDialog::~OrlnetSnapSearchDialog() { stopWorker(); }

void OrlnetSnapSearchDialog::searchCommand() {
    stopWorker();  // an earlier run has ended (its flag is clear); collect its thread
    resetProgress();
    const Selection selection{checkedChannels(kind_.channelsRead), checkedRates(kind_.ratesRead)};
    if (!prepareSearch(selection)) return;

    flag_.store(true);
    showSearching(true);
    worker_ = std::thread([this, selection] {
        runSearch(selection);
        flag_.store(false);
    });
    timer()->start();
}

void OrlnetSnapSearchDialog::tick() {
    if (flag_.load()) {
        advanceProgress();
        // New finds only while the worker is between two search calls: the UI never waits for one.
        std::unique_lock<std::recursive_mutex> idle(LibraryMutex(), std::try_to_lock);
        if (!idle.owns_lock()) return;
        const int count = libraryCount();
        if (foundList()->topLevelItemCount() < count) {
            foundList()->clear();
            for (int i = 0; i < count; ++i) new QTreeWidgetItem(foundList(), libraryRow(i));
        }
        return;
    }
    stopTimerAndRestore();
    exitCommand();
}

void OrlnetSnapSearchDialog::stopTimerAndRestore() {
    timer()->stop();
    resetProgress();
    showSearching(false);
}

void OrlnetSnapSearchDialog::stopCommand() { clearFlag(); }

void OrlnetSnapSearchDialog::stopWorker() {
    flag_.store(false);
    if (worker_.joinable()) worker_.join();
}

void OrlnetSnapSearchDialog::exitCommand() {
    storeSettings();
    stopWorker();
    timer()->stop();
    accept();
}

void OrlnetSnapSearchDialog::reject() {
    stopWorker();
    timer()->stop();
    showSearching(false);
    QDialog::reject();
}

void OrlnetSnapSearchDialog::storeSettings() {
    storeBoxes();
    storeExtraSettings();
}

void OrlnetSnapSearchDialog::sayLater(const QString& text, int icon) {
    PostToUi(this, [this, text, icon] { context_.op->message(this, text, static_cast<Operator::Icon>(icon)); });
}
