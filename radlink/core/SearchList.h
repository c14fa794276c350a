// A family's search list: the modules a search found (or a caller added), in order, each a protocol object of
// its own. Indexes are ints, as the exports take them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace radlink {

template <typename Entry>
class SearchList {
public:
    int Count() const { return static_cast<int>(entries_.size()); }
    // Entry `index`, or nullptr outside the list.
    Entry* Find(int index) const { return index >= 0 && index < Count() ? entries_[Slot(index)].get() : nullptr; }
    // Entry `index`, which must lie inside the list.
    Entry& operator[](int index) const { return *entries_[Slot(index)]; }

    // Whether an entry satisfies `same`.
    template <typename Same>
    bool Any(Same&& same) const {
        return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) { return same(*entry); });
    }
    void Add(std::unique_ptr<Entry> entry) { entries_.push_back(std::move(entry)); }
    // `index` must lie inside the list.
    void Erase(int index) { entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index)); }
    void Clear() { entries_.clear(); }

private:
    static size_t Slot(int index) { return static_cast<size_t>(index); }

    std::vector<std::unique_ptr<Entry>> entries_;
};

}  // namespace radlink
