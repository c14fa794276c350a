// Simulated ORLNET modules: the local module on the serial line and remote modules on the air behind it.
//
// The local module answers configuration frames (AB BC CD or AC BC CD, command, ..., sum) and network frames
// (A5 length command ... 5A). Remote modules are reached through it on the channel and air rate it is tuned to,
// under either header; route-only ones answer the search by identifier but not the plain search. Each module
// keeps what is written to it; radio settings written to a module take effect at its next restart.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/ModuleModel.h"

namespace sim {

// Record offsets as the modules store them (16-bit fields big-endian).
namespace orlnet_field {
inline constexpr size_t kName = 0, kPassword = 16, kType = 32, kChannel = 33, kPanId = 34, kAddress = 36,
                        kRate = 56, kRunState = 79, kControlWord = 80, kFirmware = 82;
inline constexpr size_t kRecord = 84, kWritten = 79;
}  // namespace orlnet_field

struct OrlnetModule {
    std::array<uint8_t, orlnet_field::kRecord> config{};   // stored configuration
    std::array<uint8_t, orlnet_field::kRecord> factory{};  // what a factory reset restores (bytes 0-78)
    // The identity in effect, taken from `config` at each restart.
    uint16_t address = 0;
    uint8_t channel = 11;
    uint8_t rate = 0;
    bool routeOnly = false;  // found only by the search by identifier

    uint8_t led = 0;
    std::vector<uint16_t> restarts;  // the word each restart carried
    std::vector<Bytes> received;     // data delivered to it
    bool upgradeRequested = false;   // upgrade mode after the next restart
    bool upgradeEnded = false;       // normal mode after the next restart
    std::vector<std::pair<uint16_t, Bytes>> blocks;  // firmware blocks accepted, in order

    uint16_t word(size_t offset) const { return static_cast<uint16_t>(config[offset] << 8 | config[offset + 1]); }
    void setWord(size_t offset, uint16_t v) {
        config[offset] = static_cast<uint8_t>(v >> 8);
        config[offset + 1] = static_cast<uint8_t>(v);
    }
    std::string text(size_t offset) const;
    bool inUpgradeMode() const { return config[orlnet_field::kRunState] != 0xAA; }
    // Takes the stored radio settings into effect.
    void restart(uint16_t code);
};

struct OrlnetRoute {
    int8_t weakestSignal = -60;
    uint16_t weakestNode = 0;
    std::vector<uint16_t> hops;
};

class OrlnetModel : public ModuleModel {
public:
    // A local module (0x2000, channel 15, 250k) and `remotes` remote modules from 0x2001 on, with routes to each:
    // every third on channel 20 at 500k, every third on the local channel reached only over a route.
    explicit OrlnetModel(int remotes = 3, const std::string& password = "123456");

    OrlnetModule& local() { return local_; }
    OrlnetModule& remote(size_t i) { return remotes_.at(i); }
    size_t remoteCount() const { return remotes_.size(); }
    OrlnetModule& addRemote(uint16_t address, uint8_t channel, uint8_t rate, bool routeOnly);
    // The module whose address in effect is `address`, or nullptr.
    OrlnetModule* find(uint16_t address);

    // What the local module's radio is tuned to (set-channel and set-rate commands; a restart of the local
    // module returns it to its configuration).
    uint8_t tunedChannel() const { return tunedChannel_; }
    uint8_t tunedRate() const { return tunedRate_; }

    // Route tables: 0 local, 1 remote.
    void setRoute(int table, uint16_t address, OrlnetRoute route) { routes_[table][address] = std::move(route); }
    // The next `times` route requests are answered with this status code (0xA1 .. 0xA5).
    void failRoutes(uint8_t status, int times = 1) {
        routeStatus_ = status;
        routeFailures_ = times;
    }
    // The boot loader refuses the block at this address `times` times.
    void rejectBlock(uint16_t blockAddress, int times) { rejections_[blockAddress] = times; }
    // Whether data frames are reported delivered (to a known module).
    void setDataDelivery(bool delivered) { deliver_ = delivered; }

    size_t frameLength(std::span<const uint8_t> pending) const override;
    std::vector<Reply> handle(std::span<const uint8_t> frame) override;
    std::string describe() const override;

private:
    std::vector<Reply> handleConfig(std::span<const uint8_t> frame);
    std::vector<Reply> handleAddressed(std::span<const uint8_t> frame, OrlnetModule& module);
    std::vector<Reply> handleNetwork(std::span<const uint8_t> frame);
    std::vector<Reply> searchAnswers(std::span<const uint8_t> frame);
    Bytes routeAnswer(uint8_t command, uint16_t address);
    // The module a frame to `address` reaches: the local one, or a remote on the tuned channel and rate.
    OrlnetModule* reach(uint16_t address);

    OrlnetModule local_;
    std::vector<OrlnetModule> remotes_;
    uint8_t tunedChannel_ = 11;
    uint8_t tunedRate_ = 0;
    std::map<uint16_t, OrlnetRoute> routes_[2];
    uint8_t routeStatus_ = 0;
    int routeFailures_ = 0;
    std::map<uint16_t, int> rejections_;
    bool deliver_ = true;
    std::string password_;
};

}  // namespace sim
