// Protocol object of the family; the library's global state holds one for the local module, search-list entries
// are more of them. Every exchange goes through one routine driven by the command table; every operation on a
// remote module is wrapped in tuning the local module to the remote one's channel and rate and back.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/SearchList.h"
#include "core/UpgradeProgress.h"
#include "orlnet/OrlnetFrames.h"
#include "orlnet/OrlnetRecord.h"
#include "radlink.h"

namespace radlink {

class SerialChannel;
namespace orlnet {
struct Image;
}

class COrlnetDev {
public:
    explicit COrlnetDev(SerialChannel* channel = nullptr);
    virtual ~COrlnetDev();
    COrlnetDev(const COrlnetDev&) = delete;
    COrlnetDev& operator=(const COrlnetDev&) = delete;

    // The record as last read, the copy the set functions change, and whether a read ever succeeded.
    const OrlnetConfig& record() const { return record_; }
    OrlnetConfig& editRecord() { return editRecord_; }
    bool loaded() const { return loaded_; }
    // Search entries: the key the module was found with (kept up to date by writes) and how it is reached.
    const SearchKey& searchKey() const { return key_; }
    bool viaRoute() const { return viaRoute_; }

    // Search list of the local object, in the order found.
    int SearchCount() const { return searchList_.Count(); }
    COrlnetDev* Entry(int index) { return searchList_.Find(index); }  // nullptr outside the list
    void ClearSearch() { searchList_.Clear(); }
    // Tunes to channel and rate and listens for answers to a plain search, or to a search for `identifier`
    // (entries found so are reached over a route); true when a new module joined the list.
    bool Search(uint8_t channel, uint8_t rate, std::optional<uint16_t> identifier);

    // Local module.
    bool LoadInfo();
    bool SubmitInfo();
    bool SetLocalChannel(uint8_t channel);
    bool SetLocalRate(uint8_t rate);
    bool ResetDev();
    bool ResetToDefault();

    // Remote modules by search-list index; the index must be valid (the exports check it). Spans must be valid
    // (ValidSpan).
    bool LoadRemote(int index);
    bool LoadRemotePart(int index, int offset, int length);
    bool SubmitRemote(int index);
    bool SubmitRemotePart(int index, int offset, int length);
    bool ResetRemote(int index);
    bool ResetRemoteToDefault(int index);

    // LED test command to the module at `address`, on the channel the local module is on.
    bool TestLed(uint8_t state, uint16_t address);
    bool BroadcastLed(uint8_t state);
    // 1, 0 or the module's status code (see ParseRouteAnswer).
    int DetectRoute(uint16_t address, bool remoteTable, OrlnetRoute& route);
    // Sends data (at most kMaxDataLength bytes) to `address`; the module's answer, empty when none came.
    orlnet::Bytes SendData(uint16_t address, std::span<const uint8_t> data);

    // Firmware upgrade of the local module (index -1) or of search entry `index` from an image read and checked
    // before (orlnet::LoadImage). Tells `observer` of every accepted block; its stop request ends the upgrade as a
    // refused block does.
    bool Upgrade(int index, const orlnet::Image& image, uint8_t runState, uint16_t address, uint16_t controlWord,
                 const UpgradeObserver& observer = {});

private:
    COrlnetDev(const SearchKey& key, bool viaRoute);  // a search entry

    bool IsOpen() const;
    orlnet::Target RemoteTarget() const { return {key_.address, viaRoute_}; }
    void TakeRecord(const OrlnetConfig& record);

    // Sends the frame of `op`, pauses, reads and judges as the command table says; the accepted answer (empty
    // for commands that await none), or nothing.
    std::optional<orlnet::Bytes> Exchange(orlnet::Op op, orlnet::Target target, std::span<const uint8_t> payload = {},
                                          size_t expectLength = 0);
    bool Send(const orlnet::Bytes& frame);
    orlnet::Bytes Receive(uint32_t capacity);

    // Restart command to `address` carrying `code`; with an index, tuned to that entry and back.
    bool Restart(uint16_t address, uint16_t code, bool viaRoute, int index = -1);
    void TuneTo(int index);
    void TuneBack();
    // Runs `work` on entry `index` between TuneTo and TuneBack.
    template <typename Work>
    bool OnRemote(int index, Work&& work) {
        TuneTo(index);
        const bool ok = work(searchList_[index]);
        TuneBack();
        return ok;
    }
    // Writes the entry's edit record (all of it, or one span) and restarts the module.
    bool SubmitRemoteSpan(int index, std::optional<std::pair<int, int>> span);
    bool SendImage(const orlnet::Image& image, orlnet::Target target, uint8_t runState, uint16_t controlWord,
                   const UpgradeObserver& observer);

    SerialChannel* channel_ = nullptr;
    OrlnetConfig record_{};
    OrlnetConfig editRecord_{};
    SearchKey key_{};
    SearchList<COrlnetDev> searchList_;
    bool viaRoute_ = false;
    bool loaded_ = false;
};

}  // namespace radlink
