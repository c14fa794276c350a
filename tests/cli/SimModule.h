// Test support: a simulated module on a pty for the tool to talk to, built as radlink-sim builds it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "CliRun.h"
#include "core/Scenario.h"
#include "core/SimServer.h"

namespace clitest {

inline std::unique_ptr<sim::SimServer> ServeModule(const sim::ScenarioOptions& options) {
    return std::make_unique<sim::SimServer>(sim::FindFamily(options.family)->make(options));
}

inline std::unique_ptr<sim::SimServer> ServeCel(int recordLength = 85, std::string password = "123456") {
    sim::ScenarioOptions o;
    o.recordLength = recordLength;
    o.password = std::move(password);
    return ServeModule(o);
}

// Frames the module received whose command byte (after the three lead bytes) is `command`.
inline size_t FramesWithCommand(const sim::SimServer& server, uint8_t command) {
    const auto frames = server.frameBytes();
    return static_cast<size_t>(std::count_if(frames.begin(), frames.end(), [&](const sim::Bytes& f) {
        return f.size() > 3 && f[3] == command;
    }));
}

inline constexpr uint8_t kCelWriteConfig = 0xD6;

// The tool's search results go to a folder of the test's own.
class CliTest : public ::testing::Test {
protected:
    CliResult run(std::vector<std::string> args, std::vector<std::string> env = {}) {
        env.push_back("RADLINK_CACHE_DIR=" + cache_.path());
        env.push_back("RADLINK_PASSWORD=");  // after the test's own: the first entry of a name counts
        return RunCli(args, env);
    }
    TempDir cache_;
    TempDir files_;
};

}  // namespace clitest
