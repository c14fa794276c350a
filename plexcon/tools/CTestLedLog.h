// The LED test log: a text file appended line by line, each append led by the local time ("20261210 12:30:05:   ").
// It goes in "log" under the program's log folder (SettingsLocation).
#pragma once

#include <QString>

#include <mutex>

class CTestLedLog {
public:
    // A new log in `folder` named by the minute: testlog_YYYYMMDD_HHMM.txt.
    void startIn(const QString& folder);
    const QString& path() const { return path_; }
    // Safe from any thread.
    void append(const QString& text);

private:
    std::mutex mutex_;
    QString path_;
};
