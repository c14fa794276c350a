// How long a search may go on listening for answers: the reads its failure budget allows, and one more for the
// answers themselves; each module that joins the search list gives one read back. Normal answers end a search by
// its budget long before; a line that keeps sending (noise, or one answer again and again) is cut off here.
#pragma once

#include <chrono>

namespace radlink {

class ListenDeadline {
public:
    using Clock = std::chrono::steady_clock;

    // `budgetReads` reads of `perRead` each (the read time-out and any pause before the read).
    ListenDeadline(int budgetReads, std::chrono::milliseconds perRead)
        : perRead_(perRead), end_(Clock::now() + perRead * (budgetReads + 1)) {}

    bool Passed() const { return Clock::now() >= end_; }
    // A new module joined the list.
    void GiveBack() { end_ += perRead_; }

private:
    std::chrono::milliseconds perRead_;
    Clock::time_point end_;
};

}  // namespace radlink
