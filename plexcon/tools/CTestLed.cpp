#include "tools/CTestLed.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "radlink.h"
#include "shell/CPanViewOrlnet.h"
#include "shell/LibraryCall.h"
#include "tools/CProgressDlg.h"
#include "tools/CsvFile.h"

using Icon = Operator::Icon;

namespace {

constexpr unsigned short kSplitAbove = 0x2015;
constexpr size_t kMaxModules = 500;
constexpr int kDetectTries = 3;
constexpr int kLedStates[] = {0x01, 0x02, 0x04, 0x08, 0x00};
constexpr auto kLedPause = std::chrono::milliseconds(100);

int Hex(const QLineEdit* field) { return field->text().trimmed().toInt(nullptr, 16); }

}  // namespace

CTestLed::CTestLed(CPanViewOrlnet* panel) : panel_(panel) {
    start_ = new QLineEdit(QStringLiteral("2001"));
    end_ = new QLineEdit(QStringLiteral("2080"));
    found_ = new QLineEdit;
    found_->setReadOnly(true);
    failed_ = new QLineEdit;
    failed_->setReadOnly(true);
    add_ = new QPushButton(tr("添加路由"));
    reset_ = new QPushButton(tr("刷新当前路由"));

    auto* scanGroup = new QGroupBox(tr("搜索添加路由"));
    auto* form = new QFormLayout;
    form->addRow(tr("起始ID"), start_);
    form->addRow(tr("结束ID"), end_);
    form->addRow(tr("添加成功的路由："), found_);
    form->addRow(tr("添加失败的路由："), failed_);
    auto* scanButtons = new QHBoxLayout;
    scanButtons->addStretch();
    scanButtons->addWidget(add_);
    scanButtons->addWidget(reset_);
    auto* scanColumn = new QVBoxLayout(scanGroup);
    scanColumn->addLayout(form);
    scanColumn->addLayout(scanButtons);

    auto* testGroup = new QGroupBox(tr("测试信息"));
    summary_ = new QPlainTextEdit;
    summary_->setReadOnly(true);
    summary_->setAccessibleName(tr("测试信息"));
    startTest_ = new QPushButton(tr("开始测试"));
    stopTest_ = new QPushButton(tr("停止测试"));
    stopTest_->setEnabled(false);
    auto* save = new QPushButton(tr("保存为CSV"));
    auto* testButtons = new QHBoxLayout;
    testButtons->addStretch();
    for (QPushButton* b : {startTest_, stopTest_, save}) testButtons->addWidget(b);
    auto* testColumn = new QVBoxLayout(testGroup);
    testColumn->addWidget(summary_, 1);
    testColumn->addLayout(testButtons);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 12);
    column->addWidget(scanGroup);
    column->addWidget(testGroup, 1);

    timer_ = new QTimer(this);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (running_.load()) refreshSummary();
        else timer_->stop();
    });
    connect(add_, &QPushButton::clicked, this, &CTestLed::addRoutesCommand);
    connect(reset_, &QPushButton::clicked, this, &CTestLed::resetRoutesCommand);
    connect(startTest_, &QPushButton::clicked, this, &CTestLed::startTestCommand);
    connect(stopTest_, &QPushButton::clicked, this, &CTestLed::stopTestCommand);
    connect(save, &QPushButton::clicked, this, &CTestLed::saveCsvCommand);
}

CTestLed::~CTestLed() { joinTest(); }

void CTestLed::setTimings(std::chrono::milliseconds scanPause, int summaryIntervalMs) {
    scanPause_ = scanPause;
    timer_->setInterval(summaryIntervalMs);
}

std::vector<unsigned short> CTestLed::ScanAddresses(int start, int end) {
    std::vector<unsigned short> addresses;
    for (int a = start; a <= end; ++a) {
        if ((a & 0xF) > 9) a += 6;
        addresses.push_back(static_cast<unsigned short>(a));
    }
    return addresses;
}

std::vector<unsigned short> CTestLed::RoundOrder(std::vector<unsigned short> a) {
    std::sort(a.begin(), a.end());
    const auto split = std::find_if(a.begin(), a.end(), [](unsigned short x) { return x > kSplitAbove; });
    const unsigned short s = split == a.end() ? 0 : *split;
    std::vector<unsigned short> order;
    for (unsigned short x : a)
        if (x < s) order.push_back(x);
    for (auto it = a.rbegin(); it != a.rend(); ++it)
        if (*it >= s) order.push_back(*it);
    return order;
}

QString CTestLed::SummaryOf(const std::vector<LedStat>& stats) {
    QString text;
    for (const LedStat& s : stats)
        text += QStringLiteral("%1 (%2/%3) ")
                    .arg(s.address, 0, 16)
                    .arg(s.errors, 4, 10, QLatin1Char('0'))
                    .arg(s.commands, 4, 10, QLatin1Char('0'));
    return text;
}

std::vector<CTestLed::LedStat> CTestLed::stats() const {
    std::lock_guard<std::mutex> lock(statsMutex_);
    return stats_;
}

// ---- scan

void CTestLed::Scan(std::vector<unsigned short> addresses, std::vector<unsigned short> known,
                    std::chrono::milliseconds pause, const std::atomic<bool>& cancelled,
                    const std::function<void(int)>& progress, ScanResult& result) {
    for (auto waited = std::chrono::milliseconds(0); waited < pause && !cancelled.load();
         waited += std::chrono::milliseconds(20))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (unsigned short a : addresses) {
        if (cancelled.load()) return;
        progress(a + 1);
        if (std::find(known.begin(), known.end(), a) != known.end()) continue;
        bool found = false;
        for (int t = 0; t < kDetectTries && !found; ++t) {
            OrlnetRoute route{};
            found = WithLibrary([a, &route] { return QVZB_ORLNET_DetectRoute(a, 1, &route); }) == 1;
        }
        QString& text = found ? result.foundText : result.failedText;
        text += QStringLiteral("%1 ").arg(a, 0, 16);
        if (found) {
            result.found.push_back(a);
            known.push_back(a);
        }
    }
}

void CTestLed::addRoutesCommand() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败，串口未打开！"), Icon::Critical);
        return;
    }
    if (foundIds_.empty()) foundText_.clear();
    const int start = Hex(start_), end = Hex(end_);
    CProgressDlg progress(this);
    progress.setRange(start, end + 1);
    std::atomic<bool> cancelled{false};
    ScanResult result;
    std::thread scan([&, addresses = ScanAddresses(start, end), known = foundIds_, pause = scanPause_] {
        // A position past the upper end (an address moved on from a letter digit) counts as the end.
        Scan(addresses, known, pause, cancelled,
             [&progress, end](int position) { progress.setPosition(std::min(position, end + 1)); }, result);
        progress.setPosition(end + 1);
    });
    progress.exec();
    cancelled.store(true);  // the operator closed the dialog: the scan stops after its current look-up
    scan.join();
    foundIds_.insert(foundIds_.end(), result.found.begin(), result.found.end());
    foundText_ += result.foundText;
    failedText_ = result.failedText;
    found_->setText(foundText_);
    failed_->setText(failedText_);
}

void CTestLed::resetRoutesCommand() {
    foundIds_.clear();
    foundText_.clear();
    failedText_.clear();
    found_->clear();
    failed_->clear();
}

// ---- test

void CTestLed::setRunningButtons(bool running) {
    stopTest_->setEnabled(running);
    for (QPushButton* b : {startTest_, reset_, add_}) b->setEnabled(!running);
}

void CTestLed::startTestCommand() {
    if (!PortIsOpen()) {
        panel_->op().message(this, tr("操作失败，串口未打开！"), Icon::Critical);
        return;
    }
    if (foundIds_.empty()) {
        panel_->op().message(this, tr("路由表为空，开始测试至少需要一个ID！"), Icon::Critical);
        return;
    }
    joinTest();  // a run that ended by itself
    setRunningButtons(true);
    log_.startIn(panel_->context().logFolder + QStringLiteral("/log"));
    std::vector<unsigned short> addresses(foundIds_.begin(),
                                          foundIds_.begin() + static_cast<long>(std::min(foundIds_.size(), kMaxModules)));
    std::sort(addresses.begin(), addresses.end());
    {
        std::lock_guard<std::mutex> lock(statsMutex_);
        stats_.clear();
        for (unsigned short a : addresses) stats_.push_back({a, 0, 0});
    }
    running_.store(true);
    test_ = std::thread([this, addresses] { runTest(addresses); });
    timer_->start();
}

void CTestLed::runTest(std::vector<unsigned short> addresses) {
    const std::vector<unsigned short> round = RoundOrder(std::move(addresses));
    while (running_.load()) {
        if (!WithLibrary([] { return QVZB_ComCheckOpen(); })) break;
        for (unsigned short a : round) {
            if (!running_.load()) return;
            ledSequence(a);
        }
    }
    running_.store(false);
}

void CTestLed::ledSequence(unsigned short address) {
    for (int state : kLedStates) {
        {
            std::lock_guard<std::mutex> lock(statsMutex_);
            auto it = std::find_if(stats_.begin(), stats_.end(), [address](const LedStat& s) { return s.address == address; });
            if (it == stats_.end()) return;
            ++it->commands;
        }
        const int done = WithLibrary([state, address] { return QVZB_ORLNET_TestLEDRemote(state, 0, address); });
        if (!done) {
            {
                std::lock_guard<std::mutex> lock(statsMutex_);
                auto it = std::find_if(stats_.begin(), stats_.end(), [address](const LedStat& s) { return s.address == address; });
                if (it != stats_.end()) ++it->errors;
            }
            log_.append(QStringLiteral("err happened when set status 0x%1 to ID:%2 device\r\n")
                            .arg(state, 2, 16, QLatin1Char('0'))
                            .arg(address, 0, 16));
        }
        if (state != 0) std::this_thread::sleep_for(kLedPause);
    }
}

void CTestLed::refreshSummary() {
    summaryText_ = SummaryOf(stats());
    const int first = summary_->verticalScrollBar()->value();
    summary_->setPlainText(summaryText_);
    summary_->verticalScrollBar()->setValue(first);
}

void CTestLed::joinTest() {
    running_.store(false);
    if (test_.joinable()) test_.join();
}

void CTestLed::stopTestCommand() {
    joinTest();
    // The final counts, so that the log's total is the test's and not the last tick's.
    refreshSummary();
    lastShown_ = stats();
    const QString lastShown = summaryText_;
    {
        std::lock_guard<std::mutex> lock(statsMutex_);
        for (LedStat& s : stats_) s.errors = s.commands = 0;
    }
    timer_->stop();
    setRunningButtons(false);
    log_.append(QStringLiteral("\r\n******************\r\n\r\n\r\ntest end ,total result:\r\n "));
    log_.append(QStringLiteral("\r\n%1").arg(lastShown));
}

void CTestLed::saveCsvCommand() {
    const QString path = panel_->op().chooseSaveFile(this, tr("CSV文件 (*.csv)"), QStringLiteral("ledtest.csv"));
    if (path.isEmpty()) return;
    QList<QStringList> rows{{tr("ID"), tr("失败次数"), tr("命令次数")}};
    for (const LedStat& s : running_.load() ? stats() : lastShown_)
        rows << QStringList{QString::number(s.address, 16), QString::number(s.errors), QString::number(s.commands)};
    if (!WriteCsvFile(path, rows)) panel_->op().message(this, tr("保存文件失败"), Icon::Critical);
}
