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
    void setTotal(size_t total) { total_ = total > 0 ? total : 1; }
    void finish();
    bool drawn() const { return terminal_; }

private:
    size_t total_;
    std::string label_;
    bool terminal_;
    bool open_ = false;
};

}  // namespace cli

