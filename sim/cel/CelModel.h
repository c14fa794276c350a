// The simulated CEL family: a local module on the serial line and remote modules on the air. The local module
// answers configuration, tuning, IO and boot-loader frames addressed to it and the terminal-parameter frames of
// VNET modules with their protection handshake; it passes addressed frames on to the remote module with that
// address, which answers only while the local module is tuned to its channel and air rate, and broadcasts
// searches to the remote modules it can hear. Frames with a wrong check byte are ignored.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cel/CelModule.h"
#include "core/ModuleModel.h"

namespace sim {

struct CelModelOptions {
    uint16_t controlWord = 1;  // 1 Quickmesh, 2 VNET
    size_t recordLength = 85;  // 85, 80, 79 or 74
    size_t remotes = 3;
    std::string password = "123456";
};

class CelModel : public ModuleModel {
public:
    explicit CelModel(const CelModelOptions& options = {});

    size_t frameLength(std::span<const uint8_t> pending) const override;
    std::vector<Reply> handle(std::span<const uint8_t> frame) override;
    std::string describe() const override;

    // ---- for tests (under SimServer::withModel)
    CelModule& local() { return local_; }
    CelModule& remote(size_t i) { return remotes_.at(i); }
    size_t remoteCount() const { return remotes_.size(); }
    // Puts another module on the air (its live state follows its area) and returns it.
    CelModule& addRemote(CelModule module);
    // A remote module as the factory makes it: number i picks its channel, air rate, address and MAC.
    CelModule makeRemote(size_t i) const;
    // Refuses the next `times` UPGRADE_BLOCKs for `position` (status byte 1) on the module with that address.
    void rejectBlock(CelModule& module, uint16_t position, int times = 1) { module.rejections[position] = times; }
    // Puts a module in its boot loader (as after UPGRADE_BEGIN and a restart).
    static void enterBootLoader(CelModule& module) { module.runState = module.runStateAfterRestart = kCelBootLoader; }

    // The local module's radio, as SET_CHANNEL / SET_RATE or its last restart left it.
    uint8_t tunedChannel() const { return tunedChannel_; }
    uint8_t tunedRate() const { return tunedRate_; }

    // VNET terminal parameters (codes 0xDB sleep, 0xDC online, 0xDD polling time, units of 100 ms) and the
    // protection that guards them: while it is on, parameter frames are answered only after the password frame.
    bool protection = false;
    std::map<uint8_t, uint16_t> terminal{{0xDB, 400}, {0xDC, 50}, {0xDD, 20}};
    int passwordFrames = 0;

private:
    CelModule makeModule(const std::string& name, uint8_t deviceType, uint8_t channel, uint8_t rate,
                         uint16_t address, uint8_t macLast) const;
    // The module frames to `address` reach: the local one, or a remote one the local radio can hear.
    CelModule* target(uint16_t address);
    const CelModule* target(uint16_t address) const;
    bool hears(const CelModule& remote) const;

    std::vector<Reply> handleConfig(std::span<const uint8_t> f);
    std::vector<Reply> handleAddressed(CelModule& m, std::span<const uint8_t> f);
    std::vector<Reply> handleIo(std::span<const uint8_t> f);
    std::vector<Reply> handleTerminal(std::span<const uint8_t> f);
    std::vector<Reply> search() const;
    void restartLocal(uint16_t controlWord);

    CelModelOptions options_;
    CelModule local_;
    std::vector<CelModule> remotes_;
    uint8_t tunedChannel_ = 0;
    uint8_t tunedRate_ = 0;
    bool unlocked_ = false;
};

}  // namespace sim
