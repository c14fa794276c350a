// Protocol object of the family; the library's global state holds one, search-list entries are more of them.
// The one object with a channel runs every exchange: write the request, pause as the command needs, read one
// reply, judge it. Operations on a remote module run between SwitchToRemote (tune the local module to the
// remote module's channel and air rate) and RestoreLocal (back to its own), whatever their outcome.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "cel/CelFrames.h"
#include "cel/CelImage.h"
#include "cel/CelRecord.h"
#include "core/SearchKey.h"
#include "core/SearchList.h"

namespace radlink {

class SerialChannel;

class CCELDev {
public:
    // Target of IO, AD and upgrade operations: the local module, or an index into the search list.
    static constexpr int kLocal = -1;

    explicit CCELDev(SerialChannel* channel = nullptr) : channel_(channel) {}
    virtual ~CCELDev();
    CCELDev(const CCELDev&) = delete;
    CCELDev& operator=(const CCELDev&) = delete;

    // ---- records (the local module's in `cel`, a remote module's in an entry)
    const CelRecord& current() const { return current_; }
    CelRecord& edit() { return edit_; }
    bool loaded() const { return loaded_; }
    const SearchKey& key() const { return key_; }

    // ---- local module
    bool LoadLocal();
    bool SubmitLocal();  // the record must be loaded
    bool RestartLocal();
    bool FactoryResetLocal();

    // ---- search list
    bool Search(int channel, int rate);
    int EntryCount() const { return entries_.Count(); }
    CCELDev* Entry(int index) const { return entries_.Find(index); }  // nullptr outside the list
    bool HandAdd(const SearchKey& key);  // true when an entry with that key exists already (nothing added)
    void Delete(int index);
    void ClearList() { entries_.Clear(); }

    // ---- remote modules (index inside the list)
    bool LoadRemote(int index);
    bool SubmitRemote(int index);
    bool RestartRemote(int index);
    bool FactoryResetRemote(int index);

    // ---- IO, AD and firmware of the local module or of entry `target`
    bool SetIoDirection(int target, bool allOutputs);
    std::optional<uint8_t> ReadIoPort(int target);
    bool WriteIoLine(int target, int bit, bool high);
    std::optional<uint8_t> ReadAd(int target, uint8_t channel);
    bool Upgrade(int target, const cel::CelImage& image, uint8_t runState, uint16_t address, uint16_t controlWord);

private:
    enum class Op {
        ReadLocalConfig, SetChannel, SetRate, Search, ReadConfig, WriteConfig, UpgradeBlockFirstPhase,
        UpgradeBlockSecondPhase, UpgradeEnd, Restart, FactoryReset, UpgradeBegin, IoDirAll, IoRead, IoWrite, AdRead,
    };
    struct OpSpec;
    static const OpSpec& Spec(Op op);

    // Writes the request (unread input is discarded first) and pauses as the command needs; false when the port
    // is closed or the write failed for a command that gives up then.
    bool Send(Op op, const cel::Bytes& request);
    // Reads one reply and judges it.
    std::optional<cel::Bytes> AwaitReply(Op op, const cel::ReplyExpect& expect);
    // The exchange: write, pause, read, judge. The accepted reply (empty for commands that read none), or nullopt.
    std::optional<cel::Bytes> Exchange(Op op, const cel::Bytes& request, const cel::ReplyExpect& expect = {});
    bool PortOpen() const;

    bool SetChannel(uint8_t channel);
    bool SetRate(uint8_t rate);
    bool Restart(uint16_t address, uint16_t controlWord);
    void SwitchToRemote(int index);
    void RestoreLocal();
    // The local module's own channel and rate, to tune back to, are known: its record is loaded, or is loaded
    // now (one read); false when it cannot be read, and then nothing may tune it away.
    bool KnowsOwnTuning();
    // Runs `operation` on the local module, or on entry `target` between SwitchToRemote and RestoreLocal.
    template <typename F>
    auto OnTarget(int target, F&& operation);
    // Where frames to `target` go: the local record's address, or the entry's (its search address until loaded).
    uint16_t TargetAddress(int target) const;
    uint16_t ControlWordOf() const;  // an entry's control word: its record's once loaded, else its search word

    void TakeConfig(std::span<const uint8_t> reply);
    bool CommandWithRestart(Op op, const cel::Bytes& request, uint16_t address, uint16_t controlWord);
    bool SendUpgradeBlock(Op op, uint16_t address, const cel::ImageBlock& block);
    bool EndUpgrade(uint16_t address, uint16_t controlWord);

    SerialChannel* channel_;
    CelRecord current_{};
    CelRecord edit_{};
    SearchKey key_{};
    SearchList<CCELDev> entries_;
    bool loaded_ = false;
    const cel::VariantSpec* variant_ = nullptr;
};

}  // namespace radlink
