// Protocol object of the family; the library's global state holds one, search-list entries are more of them.
//
// Every register exchange goes through one routine (write, one read, judged by the register tables); the search
// reads its answers piece by piece. An operation on a search-list entry tunes the local module to the entry's
// channel and air rate first and back afterwards, whatever the outcome; only the remote restart goes out untuned.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/SearchList.h"
#include "radlink.h"
#include "snap/SnapFrames.h"
#include "snap/SnapRegisters.h"

namespace radlink {

class SerialChannel;

// Where an operation goes: the local module, or entry `index` of the search list.
struct SnapTarget {
    bool remote = false;
    int index = 0;
    static SnapTarget Local() { return {}; }
    static SnapTarget Remote(int index) { return {true, index}; }
};

class CSnapDev {
public:
    // Replies are read into this many bytes; an EEPROM write is acknowledged by its request and one byte more, so
    // its frame (header, EEPROM address, data) must leave room for that byte.
    static constexpr size_t kReadCapacity = 1024;
    static constexpr size_t kMaxEepromWrite = kReadCapacity - 1 - snap::kHeaderSize - 1;
    explicit CSnapDev(SerialChannel* channel = nullptr);
    virtual ~CSnapDev();
    CSnapDev(const CSnapDev&) = delete;
    CSnapDev& operator=(const CSnapDev&) = delete;

    bool PortOpen() const;

    // The local module's record.
    bool loaded() const { return loaded_; }
    const SnapRecord& current() const { return current_; }
    SnapRecord& edit() { return edit_; }
    int LoadInfo();
    int SubmitInfo();  // the caller checks loaded()

    // The search list: ordered by discovery, each entry identified by its first 11 record bytes.
    int Search(int channel, int rate);
    void ClearSearchList() { searchList_.Clear(); }
    int SearchCount() const { return searchList_.Count(); }
    CSnapDev* Entry(int index) { return searchList_.Find(index); }  // nullptr outside the list
    int LoadRemote(int index);
    int SubmitRemote(int index);  // needs a loaded entry

    // Operations on the local module or an entry.
    std::optional<snap::Bytes> ReadValue(SnapTarget target, snap::Command command,
                                         std::span<const uint8_t> data = {});
    int Write(SnapTarget target, snap::Command command, std::span<const uint8_t> data);
    int Restart(SnapTarget target);          // untuned; 400 ms pause for the local module, 300 ms for a remote one
    int FactoryDefaults(SnapTarget target);  // then restarts the module
    // Writes at most kMaxEepromWrite bytes, then restarts the local module.
    int WriteEeprom(SnapTarget target, uint8_t address, std::span<const uint8_t> data);
    // The module's password bytes (12 local, 9 remote) into out.
    int ReadPassword(SnapTarget target, char* out);
    // Writes newText (at most 9 bytes) when the module's password equals oldText.
    int ChangePassword(SnapTarget target, const char* oldText, const char* newText);

private:
    static constexpr size_t kPasswordTextSize = 32;

    std::optional<snap::Bytes> Exchange(const snap::Address& to, snap::Command command,
                                        std::span<const uint8_t> data = {});
    bool Send(const snap::Bytes& frame);
    bool ReadExactly(std::span<uint8_t> out);
    int RestartAt(const snap::Address& to);
    int SubmitRecord(const snap::Address& to, CSnapDev& module);
    void TakeRecord(const snap::Bytes& wire);
    // Runs op(address, module object) on the target, tuned when it is remote; `failed` when it cannot run.
    template <typename R, typename Op>
    R OnTarget(SnapTarget target, R failed, Op&& op);
    bool KnowsOwnChannel();
    void Tune(uint8_t channel, uint8_t rate);
    void SwitchToRemote(const CSnapDev& entry) { Tune(entry.current_.CHANNAL, entry.current_.DRATE); }
    void RestoreLocal() { Tune(current_.CHANNAL, current_.DRATE); }
    std::optional<snap::Bytes> FetchPassword(const snap::Address& to, CSnapDev& module);
    // Adds the module of a search answer to the list; false when it is listed already.
    bool TakeSearchAnswer(std::span<const uint8_t, snap::kSearchBodySize> body, uint8_t rate);
    static void StoreText(char (&field)[kPasswordTextSize], std::span<const uint8_t> bytes);

    SerialChannel* channel_;
    bool loaded_ = false;
    SnapRecord current_{};
    SnapRecord edit_{};
    char password_[kPasswordTextSize] = {};  // the last password read from or written to this module
    SearchList<CSnapDev> searchList_;
};

}  // namespace radlink
