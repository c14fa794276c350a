// ORLNET answer judges and record decoders, used as the family uses them: an answer the command table accepts
// for its request is decoded. Selector: the command (Op). The answer's first two bytes are the request's target
// address, for a part read the next two its offset and length; the rest is the answer.
#include <algorithm>

#include "FuzzInput.h"
#include "core/Bytes.h"
#include "orlnet/OrlnetFrames.h"
#include "orlnet/OrlnetRecord.h"

using namespace radlink;
using namespace radlink::orlnet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in;
    if (!fuzz::Split(data, size, in) || in.answer.size() < 4) return 0;
    const Op op = static_cast<Op>(in.selector % (static_cast<int>(Op::LedBroadcast) + 1));
    const Target target{BigEndian16At(in.answer, 0), (in.selector & 0x80) != 0};
    const uint8_t offset = in.answer[2], length = in.answer[3];
    const std::span<const uint8_t> answer = in.answer.subspan(4);

    Bytes payload;
    size_t expect = 0;
    if (op == Op::ReadPart) {
        payload = {offset, length};
        expect = size_t{length} + 11;
    }
    const Bytes request = BuildFrame(op, target, payload);
    if (!Accepts(Rule(op), request, answer, expect)) return 0;
    switch (op) {
        case Op::ReadLocal:
            fuzz::Consume(FromAnswer(answer.subspan<4, kWrittenSize>(), answer.last<kTailSize>()));
            break;
        case Op::ReadWhole: {
            const size_t start = answer.size() == 92 ? 10 : 4;
            fuzz::Consume(FromAnswer(answer.subspan(start).first<kWrittenSize>(), answer.last<kTailSize>()));
            break;
        }
        case Op::ReadPart:
            if (ValidSpan(offset, length))
                fuzz::Consume(WithSpan(OrlnetConfig{}, offset, answer.subspan(6, length), answer.last<kTailSize>()));
            break;
        case Op::Search:
        case Op::SearchById: fuzz::Consume(ParseSearchAnswer(answer.first<13>())); break;
        case Op::RouteLocal:
        case Op::RouteRemote: {
            OrlnetRoute route{};
            fuzz::Consume(ParseRouteAnswer(answer, Rule(op).code, route));
            fuzz::Consume(route);
            break;
        }
        case Op::SendData: fuzz::Consume(answer.size() > 2 && answer[2] == 0); break;
        default: break;
    }
    return 0;
}
