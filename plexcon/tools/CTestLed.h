// "LED测试" of the ORLNET panel: a test bench for networks of boards with four LEDs. "添加路由" collects the
// modules of an address range that the remote route table knows (a scan worker behind the progress dialog);
// "开始测试" runs an endless LED test over them on a worker (each module's LEDs lit one after the other and
// switched off, every command counted, failures counted and logged); a 1 s timer shows the live summary;
// "停止测试" stops and waits for the worker and writes the final summary to the log.
#pragma once

#include <QWidget>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/CTestLedLog.h"

class CPanViewOrlnet;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class CTestLed : public QWidget {
    Q_OBJECT
public:
    struct LedStat {
        unsigned short address;
        unsigned errors;
        unsigned commands;
    };

    explicit CTestLed(CPanViewOrlnet* panel);
    ~CTestLed() override;

    // The addresses a scan from start to end asks: a last hexadecimal digit above 9 moves on to the next ten.
    static std::vector<unsigned short> ScanAddresses(int start, int end);
    // One round's order: ascending below the first address above 0x2015, then descending from the highest down
    // to that address (all descending when none is above 0x2015).
    static std::vector<unsigned short> RoundOrder(std::vector<unsigned short> addresses);
    // "2003 (0002/0010) " per module.
    static QString SummaryOf(const std::vector<LedStat>& stats);

    void addRoutesCommand();
    void resetRoutesCommand();
    void startTestCommand();
    void stopTestCommand();
    void saveCsvCommand();

    const QString& logPath() const { return log_.path(); }
    // Pause before a scan and the summary timer's interval (tests shorten them).
    void setTimings(std::chrono::milliseconds scanPause, int summaryIntervalMs);

    const std::vector<unsigned short>& foundIds() const { return foundIds_; }
    std::vector<LedStat> stats() const;
    bool running() const { return running_.load(); }

    QLineEdit* startField() const { return start_; }
    QLineEdit* endField() const { return end_; }
    QLineEdit* foundField() const { return found_; }
    QLineEdit* failedField() const { return failed_; }
    QPlainTextEdit* summaryField() const { return summary_; }

private:
    struct ScanResult {
        std::vector<unsigned short> found;
        QString foundText;
        QString failedText;
    };
    static void Scan(std::vector<unsigned short> addresses, std::vector<unsigned short> known,
                     std::chrono::milliseconds pause, const std::atomic<bool>& cancelled,
                     const std::function<void(int)>& progress, ScanResult& result);
    void runTest(std::vector<unsigned short> addresses);
    void ledSequence(unsigned short address);
    void refreshSummary();
    void setRunningButtons(bool running);
    void joinTest();

    CPanViewOrlnet* panel_;
    CTestLedLog log_;
    std::chrono::milliseconds scanPause_{1000};

    std::vector<unsigned short> foundIds_;
    QString foundText_;
    QString failedText_;
    QString summaryText_;

    std::atomic<bool> running_{false};
    mutable std::mutex statsMutex_;
    std::vector<LedStat> stats_;  // under statsMutex_
    std::vector<LedStat> lastShown_;  // the counts of the last run, kept for the CSV after the reset
    std::thread test_;

    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLineEdit* found_ = nullptr;
    QLineEdit* failed_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* startTest_ = nullptr;
    QPushButton* stopTest_ = nullptr;
    QTimer* timer_ = nullptr;
};
