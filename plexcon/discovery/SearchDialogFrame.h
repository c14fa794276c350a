// The frame every search dialog shares: the channel boxes "Channel-11(2405MHz) " … "Channel-26(2480MHz) ", the rate
// boxes with a select-all box, room for a family's own fields, the found-module list, the progress bar, the command
// buttons "搜索" / "停止" / "退出" and the tick timer. The boxes are read from and stored to the "Search" section of
// the settings file as strings of "0"/"1". The family dialogs add the search itself and its worker.
#pragma once

#include <QDialog>

#include <array>
#include <chrono>
#include <vector>

class QCheckBox;
class QGridLayout;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

class SearchDialogFrame : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChannels = 16;
    static constexpr int kFirstChannel = 11;
    static constexpr int kRates = 3;
    static constexpr int kProgressFull = 100;

    QTreeWidget* foundList() const { return found_; }
    QProgressBar* progress() const { return progress_; }
    QTimer* timer() const { return timer_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* exitButton() const { return exit_; }
    QCheckBox* channelBox(int i) const { return channels_[static_cast<size_t>(i)]; }
    QCheckBox* rateBox(int i) const { return rates_[static_cast<size_t>(i)]; }
    QCheckBox* selectAllBox() const { return selectAll_; }

protected:
    struct Look {
        QString selectAllCaption;
        bool selectAllTicksRates;  // else it ticks the channels only
        QStringList columns;
        std::vector<int> columnWidths;
    };

    SearchDialogFrame(QString settingsPath, const Look& look, std::chrono::milliseconds tick, QWidget* parent);

    const QString& settingsPath() const { return settingsPath_; }
    // Room for the family's own fields under the rate boxes.
    QGridLayout* extraFields() const { return extra_; }
    // A further command button, placed before "停止".
    QPushButton* addCommand(const QString& caption);

    // Checks the first `channels` channel boxes and `rates` rate boxes as stored.
    void readBoxes(int channels, int rates);
    void storeBoxes() const;
    // Channel numbers (11..) and rate indexes checked among the first `channels` and `rates` boxes.
    std::vector<int> checkedChannels(int channels = kChannels) const;
    std::vector<int> checkedRates(int rates = kRates) const;

    // "搜索" and "退出" off, "停止" on while searching; the reverse when idle.
    void showSearching(bool searching);
    // One tick of the bar while searching: 1 … 100, drawn full at 101, then from 0 again.
    void advanceProgress();
    void resetProgress();

private:
    QString settingsPath_;
    int counter_ = 0;
    std::array<QCheckBox*, kChannels> channels_{};
    std::array<QCheckBox*, kRates> rates_{};
    QCheckBox* selectAll_ = nullptr;
    QGridLayout* extra_ = nullptr;
    QTreeWidget* found_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* search_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exit_ = nullptr;
    QTimer* timer_ = nullptr;
};
