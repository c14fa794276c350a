// CEL reply judges and record decoders, used as the family uses them: a reply that a judge accepts is decoded.
// Selectors: the reply judges in the order of the cases; the last one reads the answer as a firmware image.
#include "FuzzInput.h"
#include "cel/CelFrames.h"
#include "cel/CelImage.h"
#include "cel/CelRecord.h"
#include "core/Bytes.h"

using namespace radlink;
using namespace radlink::cel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in;
    if (!fuzz::Split(data, size, in)) return 0;
    const std::span<const uint8_t> reply = in.answer;
    switch (in.selector % 10) {
        case 0:
            if (AcceptLocalConfig(reply)) fuzz::Consume(DecodeConfigReply(reply));
            break;
        case 1:
            if (AcceptRemoteConfig(reply)) fuzz::Consume(DecodeConfigReply(reply));
            break;
        case 2: fuzz::Consume(AcceptTuningAck(reply)); break;
        case 3:
            if (AcceptSearchAnswer(reply)) fuzz::Consume(ParseSearchAnswer(reply));
            break;
        case 4: fuzz::Consume(AcceptWriteAck(reply)); break;
        case 5: fuzz::Consume(AcceptControlAck(reply)); break;
        case 6:
            // The block's address and position as the request carried them: the first four answer bytes.
            if (reply.size() >= 4)
                fuzz::Consume(AcceptUpgradeBlockAck(reply.subspan(4), BigEndian16At(reply, 0),
                                                    BigEndian16At(reply, 2)));
            break;
        case 7:
            if (AcceptIoAck(reply)) fuzz::Consume(reply[6]);
            break;
        case 8:
            if (AcceptAdReply(reply)) fuzz::Consume(reply[7]);
            break;
        case 9:
            if (const auto image = CelImage::Parse(std::vector<uint8_t>(reply.begin(), reply.end())))
                for (int phase = 0; phase < 2; ++phase)
                    for (const ImageBlock& block : image->Blocks(phase)) fuzz::Consume(block.data[63]);
            break;
    }
    return 0;
}
