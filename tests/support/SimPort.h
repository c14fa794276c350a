// Test support: a simulated module on a pty with the library's port open on it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/SimServer.h"
#include "radlink.h"

namespace testsupport {

using sim::Bytes;

// Opens the library's port on the server's pty: 8N1, RTS enabled, no flow control.
inline bool OpenLibraryOn(const sim::SimServer& server, int baud = 115200, unsigned readTimeoutMs = 60) {
    std::string name = "\\\\.\\" + server.portName();
    return QVZB_OpenCom(name.c_str(), baud, 8, 0, 0, 0, 1, 0, 0, readTimeoutMs) == 1;
}

// Fixture base: owns a server with model M and opens the port on it; the port is closed after each test.
template <typename M>
class SimPortTest : public ::testing::Test {
protected:
    template <typename... Args>
    M& start(Args&&... args) {
        auto model = std::make_unique<M>(std::forward<Args>(args)...);
        M* raw = model.get();
        server_ = std::make_unique<sim::SimServer>(std::move(model));
        EXPECT_TRUE(OpenLibraryOn(*server_, baud_, readTimeoutMs_));
        model_ = raw;
        return *raw;
    }
    void TearDown() override {
        QVZB_CloseCom();
        server_.reset();
    }
    sim::SimServer& server() { return *server_; }
    // Runs f on the model under the server's lock.
    template <typename F>
    auto withModel(F&& f) { return server_->withModel<M>(std::forward<F>(f)); }
    std::vector<Bytes> frames() const { return server_->frameBytes(); }

    int baud_ = 115200;
    unsigned readTimeoutMs_ = 60;
    std::unique_ptr<sim::SimServer> server_;
    M* model_ = nullptr;
};

}  // namespace testsupport
