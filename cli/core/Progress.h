// A progress bar on standard error, drawn only when standard error is a terminal.
#pragma once

#include <string>

namespace cli {

class Progress {
public:
    Progress(size_t total, std::string label);
    ~Progress() { finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    // Draws the bar at `done` of total, with a note after it.
    void show(size_t done, const std::string& note = "");
    void finish();
    bool drawn() const { return terminal_; }

private:
    size_t total_;
    std::string label_;
    bool terminal_;
    bool open_ = false;
};

}  // namespace cli

#include <atomic>
#include <thread>

namespace cli {

// For a long call that reports no progress: a moving bar with the time elapsed, drawn by a thread of its own
// (which never calls the library) while the call runs; nothing when standard error is no terminal.
class Activity {
public:
    explicit Activity(std::string label);
    ~Activity() { stop(); }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;
    void stop();

private:
    std::string label_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace cli
