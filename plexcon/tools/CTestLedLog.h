// The LED test log: a text file appended line by line, each append led by the local time ("20261210 12:30:05:   ").
// The folder is "log" beside the executable for a portable build, or Plexcon/log under the user's XDG data folder
// when the program's folder is not writable; PLEXCON_LOG_DIR names it outright.
#pragma once

#include <QString>

#include <mutex>

// The folder for the logs, created when missing.
QString TestLogFolder(const QString& executableFolder);

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
