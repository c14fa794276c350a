// Simulated SNAP modules: the local module on the serial line and the remote modules it reaches over the air.
//
// A request is 5A 5F FA, a 3-byte address (00 00 00 the local module, FF FF FF everyone, else the last three MAC
// bytes of a remote module), 55 read or AA write, a register and its data. A module answers with the request it
// received, a status byte (1 done, 0 refused) and the data of a read; a restart is not answered. Remote modules
// hear only what the local module sends on their own channel and air rate, which the local module's channel (04)
// and rate (07) registers set.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>

#include "core/ModuleModel.h"

namespace sim {

// The 38-byte configuration record as it travels (NETID big-endian).
struct SnapRecordLayout {
    static constexpr size_t kSize = 38;
    static constexpr size_t kMac = 0, kNetId = 8, kChannel = 10, kBaud = 11, kParity = 12, kDataBits = 13,
                            kHeartbeatTime = 15, kHeartbeatChars = 16, kRate = 19, kTxPower = 20, kWorkMode = 21,
                            kDstAdr = 23, kRouting = 26, kUpdateEnable = 28, kSignal = 29, kVersion = 30,
                            kScriptVersion = 35;
};

struct SnapUnit {
    std::array<uint8_t, SnapRecordLayout::kSize> record{};
    std::string password;  // at most 9 bytes
    std::array<uint8_t, 256> eeprom{};
    std::array<uint16_t, 8> analog{};
    std::array<uint8_t, 16> ioValue{};
    std::array<uint8_t, 16> ioDirection{};
    uint8_t signal = 0;  // what the signal-strength register reports
    int restarts = 0;
    int factoryResets = 0;
    // What a factory reset brings back.
    std::array<uint8_t, SnapRecordLayout::kSize> factoryRecord{};
    std::string factoryPassword;

    std::array<uint8_t, 3> address() const;
    uint8_t channel() const { return record[SnapRecordLayout::kChannel]; }
    uint8_t rate() const { return record[SnapRecordLayout::kRate]; }
    uint16_t netId() const;
    void setNetId(uint16_t id);
};

// A module with typical settings; its factory state is this state.
SnapUnit MakeSnapUnit(const std::array<uint8_t, 8>& mac, uint16_t netId, uint8_t channel, uint8_t rate,
                      const std::string& password = "123456");

class SnapModel : public ModuleModel {
public:
    static SnapUnit DefaultLocal();

    explicit SnapModel(SnapUnit local = DefaultLocal(), std::deque<SnapUnit> remotes = {});

    SnapUnit& local() { return local_; }
    std::deque<SnapUnit>& remotes() { return remotes_; }
    SnapUnit& addRemote(SnapUnit unit);
    // The remote module with this address, whether or not it is reachable now.
    SnapUnit* findRemote(const std::array<uint8_t, 3>& address);
    // Search answers leave this long after the request and after each other.
    void setSearchAnswerGap(std::chrono::milliseconds gap) { searchAnswerGap_ = gap; }
    // Each signal-strength read moves the reported value a few steps, between 40 and 90, as a live link wanders.
    void setSignalDrift(bool on) { signalDrift_ = on; }

    size_t frameLength(std::span<const uint8_t> pending) const override;
    std::vector<Reply> handle(std::span<const uint8_t> frame) override;
    std::string describe() const override;

private:
    bool reachable(const SnapUnit& remote) const;
    std::vector<Reply> searchAnswers(std::span<const uint8_t> request) const;
    std::optional<Bytes> answerRead(SnapUnit& unit, std::span<const uint8_t> request);
    std::optional<Bytes> answerWrite(SnapUnit& unit, bool overTheAir, std::span<const uint8_t> request);
    Bytes signalAnswer(SnapUnit& unit, std::span<const uint8_t> request);

    SnapUnit local_;
    std::deque<SnapUnit> remotes_;
    std::chrono::milliseconds searchAnswerGap_{5};
    bool signalDrift_ = false;
    std::minstd_rand drift_;
};

}  // namespace sim
