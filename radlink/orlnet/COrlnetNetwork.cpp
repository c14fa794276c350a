// Search, LED tests, route detection and data sending.
#include "orlnet/COrlnetDev.h"

#include <chrono>

#include "core/ListenDeadline.h"
#include "core/Pause.h"
#include "serial/SerialChannel.h"

namespace radlink {

using namespace orlnet;

bool COrlnetDev::Search(uint8_t channel, uint8_t rate, std::optional<uint16_t> identifier) {
    if (!IsOpen() || !SetLocalChannel(channel) || !SetLocalRate(rate)) return false;
    const Op op = identifier ? Op::SearchById : Op::Search;
    const CommandRule& rule = Rule(op);
    const Bytes frame = BuildFrame(op, {identifier.value_or(0), true});
    bool added = false;
    if (Send(frame)) {
        // Listen while answers keep coming: a valid answer gives its attempt back.
        const auto readTimeout = std::chrono::milliseconds(channel_->timeouts().readTotalConstant);
        ListenDeadline deadline(rule.reads, std::chrono::milliseconds(rule.pauseMs) + readTimeout);
        for (int attemptsLeft = rule.reads; attemptsLeft > 0 && !deadline.Passed();) {
            --attemptsLeft;
            Pause(std::chrono::milliseconds(rule.pauseMs));
            const Bytes answer = Receive(rule.capacity);
            if (!Accepts(rule, frame, answer)) continue;
            ++attemptsLeft;
            const SearchKey key = ParseSearchAnswer(std::span(answer).first<13>());
            if (!searchList_.Any([&](const COrlnetDev& entry) { return entry.key_ == key; })) {
                searchList_.Add(std::unique_ptr<COrlnetDev>(new COrlnetDev(key, identifier.has_value())));
                added = true;
                deadline.GiveBack();
            }
        }
    }
    TuneBack();
    return added;
}

bool COrlnetDev::TestLed(uint8_t state, uint16_t address) {
    const uint8_t payload[] = {static_cast<uint8_t>(state & 0x0F)};
    return Exchange(Op::Led, {address, true}, payload).has_value();
}

bool COrlnetDev::BroadcastLed(uint8_t state) {
    const uint8_t payload[] = {state};
    return Exchange(Op::LedBroadcast, {}, payload).has_value();
}

int COrlnetDev::DetectRoute(uint16_t address, bool remoteTable, OrlnetRoute& route) {
    const Op op = remoteTable ? Op::RouteRemote : Op::RouteLocal;
    const auto answer = Exchange(op, {address, false});
    return answer ? ParseRouteAnswer(*answer, Rule(op).code, route) : 0;
}

Bytes COrlnetDev::SendData(uint16_t address, std::span<const uint8_t> data) {
    return Exchange(Op::SendData, {address, false}, data).value_or(Bytes{});
}

}  // namespace radlink
