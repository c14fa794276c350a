// SNAP reply judges and record decoders, used as the family uses them: a reply the register's rule accepts for
// its request is decoded. Selector: command * 2 + side (0 local, 1 remote); selectors past the register table read
// the answer as search answers (three lead bytes, then 17 bytes), as the search does.
#include "FuzzInput.h"
#include "snap/SnapFrames.h"
#include "snap/SnapRecord.h"
#include "snap/SnapRegisters.h"

using namespace radlink;
using namespace radlink::snap;

namespace {

constexpr int kCommands = static_cast<int>(Command::Count_);
constexpr Address kRemote{0xB2, 0x00, 0x01};

void Search(std::span<const uint8_t> answer) {
    while (answer.size() >= kSearchLeadSize) {
        const auto lead = answer.first(kSearchLeadSize);
        answer = answer.subspan(kSearchLeadSize);
        if (!IsSearchLead(lead) || answer.size() < kSearchBodySize) continue;
        fuzz::Consume(RecordFromSearchAnswer(answer.first<kSearchBodySize>(), 2));
        answer = answer.subspan(kSearchBodySize);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in;
    if (!fuzz::Split(data, size, in)) return 0;
    if (in.selector >= 2 * kCommands) {
        Search(in.answer);
        return 0;
    }
    const auto command = static_cast<Command>(in.selector / 2);
    const bool remote = in.selector % 2 == 1;
    const RegisterUse& use = FindRegisterUse(command, remote ? Side::Remote : Side::Local);
    const Bytes request = CommandFrame(use, remote ? kRemote : kLocalAddress);
    const auto value = JudgeReply(use.rule, request, in.answer);
    if (!value) return 0;
    if (command == Command::ReadConfig)  // as the family takes the record: 38 bytes, whatever the value's size
        fuzz::Consume(RecordFromWire(std::span<const uint8_t, kRecordSize>(value->data(), kRecordSize)));
    for (uint8_t b : *value) fuzz::Consume(b);
    return 0;
}
