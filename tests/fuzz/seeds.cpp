// fuzz-seeds OUTDIR: the seed corpus of the fuzz harnesses, taken from the simulator's answers. Runs the library's
// functions against each simulated family on a pty, and writes every (request, answer) the simulator logged as a
// harness input: the selector the harness judges that answer by, then the answer (with the request fields the
// harness needs in front). OUTDIR/<harness>/<name>; scripts/fuzz.sh --seeds refreshes tests/fuzz/corpus.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "cel/CelModel.h"
#include "core/SimServer.h"
#include "orlnet/OrlnetModel.h"
#include "orlnet/OrlnetFrames.h"
#include "radlink.h"
#include "snap/SnapModel.h"
#include "snap/SnapRegisters.h"

namespace {

using sim::Bytes;
namespace fs = std::filesystem;

struct Seed {
    uint8_t selector;
    Bytes body;
};
using Classify = std::function<std::vector<Seed>(const Bytes& request, const Bytes& answer)>;

// Runs `calls` against `model` and writes the seeds `classify` makes of the logged exchanges.
void Collect(const fs::path& dir, std::unique_ptr<sim::ModuleModel> model, const std::function<void()>& calls,
             const Classify& classify) {
    sim::SimServer server(std::move(model));
    const std::string port = "\\\\.\\" + server.portName();
    if (QVZB_OpenCom(port.c_str(), 115200, 8, 0, 0, 0, 1, 0, 0, 40) != 1) {
        std::fprintf(stderr, "fuzz-seeds: cannot open %s\n", port.c_str());
        std::exit(1);
    }
    calls();
    QVZB_CloseCom();
    fs::create_directories(dir);
    std::map<std::string, Bytes> unique;
    for (const sim::LoggedFrame& f : server.frames()) {
        if (f.answer.empty()) continue;
        for (Seed& s : classify(f.bytes, f.answer)) {
            Bytes input{s.selector};
            input.insert(input.end(), s.body.begin(), s.body.end());
            char name[32];
            std::snprintf(name, sizeof name, "%02x-%08zx", s.selector, std::hash<std::string>{}(
                                                                           std::string(input.begin(), input.end())));
            unique[name] = std::move(input);
        }
    }
    for (const auto& [name, input] : unique)
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
    std::printf("%s: %zu seeds\n", dir.filename().c_str(), unique.size());
}

std::string WriteImage(const fs::path& dir) {
    Bytes file;
    for (int32_t word : {0x100, 0x180, 0x200, 0x240, 0})
        for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<uint8_t>(word >> shift));
    for (int i = 0; i < 3 * 64; ++i) file.push_back(static_cast<uint8_t>(i * 7));
    const fs::path path = dir / "image.bin";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                static_cast<std::streamsize>(file.size()));
    return path.string();
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- CEL: selectors of fuzz_cel_replies

std::vector<Seed> ClassifyCel(const Bytes& q, const Bytes& a) {
    if (q.size() < 4) return {};
    const uint8_t command = q[3];
    if (q[0] == 0xDE) return {{static_cast<uint8_t>(command == 0xD7 ? 8 : 7), a}};
    switch (command) {
        case 0xD1: return {{0, a}};
        case 0xD2:
        case 0xD3: return {{2, a}};
        case 0xD4: {
            std::vector<Seed> answers;
            for (size_t at = 0; at + 13 <= a.size(); at += 13) answers.push_back({3, Bytes(a.begin() + at, a.begin() + at + 13)});
            return answers;
        }
        case 0xD5: return {{1, a}};
        case 0xD6: return {{4, a}};
        case 0xD7: return {{6, Concat(Bytes(q.begin() + 4, q.begin() + 8), a)}};
        default: return {{5, a}};
    }
}

void CelCalls(const std::string& image) {
    QVZB_CEL_LoadInfo();
    QVZB_CEL_ClearSearchArr();
    for (int channel : {11, 12, 13, 14}) QVZB_CEL_SearchDev(channel, 0);
    for (int i = 0; i < QVZB_CEL_GetSearchDevCount(); ++i) {
        QVZB_CEL_LoadRemoteDevInfo(i);
        QVZB_CEL_SubmitRemoteDevInfo(i);
        QVZB_CEL_GetIOvalueRemote(1, i);
        QVZB_CEL_GetADvalueRemote(0, i);
    }
    QVZB_CEL_SubmitInfo();
    QVZB_CEL_SetIODirAllLocal(1);
    QVZB_CEL_SetIOValueLocal(1, 2);
    QVZB_CEL_GetADvalueLocal(1);
    QVZB_CEL_UpdateWithFileNameLocal(image.c_str(), 0xAA, 0x0010, 1);
    QVZB_CEL_ResetToDefault();
}

// ---- ORLNET: selectors of fuzz_orlnet_replies (the Op, 0x80 for a routed header)

std::vector<Seed> ClassifyOrlnet(const Bytes& q, const Bytes& a) {
    using radlink::orlnet::Op;
    if (q.size() < 4) return {};
    Op op;
    Bytes head{0, 0, 0, 0};
    if (q[0] == 0xA5) {
        const std::map<uint8_t, Op> network{{0xD1, Op::SendData}, {0xD2, Op::RouteLocal}, {0xD3, Op::RouteRemote}};
        const auto it = network.find(q[2]);
        if (it == network.end()) return {};
        op = it->second;
        head = {q[3], q[4], 0, 0};
    } else {
        const std::map<uint8_t, Op> config{{0xD1, Op::ReadLocal},  {0xD2, Op::SetChannel}, {0xD3, Op::SetRate},
                                           {0xD4, Op::Search},     {0xDC, Op::SearchById}, {0xD5, Op::ReadWhole},
                                           {0xD6, Op::WriteRemote}, {0xD7, Op::BlockRegion1}, {0xD8, Op::EndUpgrade},
                                           {0xDA, Op::FactoryReset}, {0xDB, Op::EnterUpgrade}, {0xDD, Op::Led}};
        const auto it = config.find(q[3]);
        if (it == config.end()) return {};
        op = it->second;
        if (q.size() >= 6) head = {q[4], q[5], 0, 0};
        if (op == Op::ReadWhole && q.size() == 9) {
            op = Op::ReadPart;
            head[2] = q[6];
            head[3] = q[7];
        }
    }
    const auto selector = static_cast<uint8_t>(static_cast<int>(op) | (q[0] == 0xAC ? 0x80 : 0));
    return {{selector, Concat(head, a)}};
}

void OrlnetCalls(const std::string& image) {
    QVZB_ORLNET_LoadInfo();
    QVZB_ORLNET_ClearSearchArr();
    QVZB_ORLNET_SearchDev(15, 0);
    QVZB_ORLNET_SearchDev(20, 1);
    QVZB_ORLNET_SearchDevWithID(15, 0, 0x2003);
    OrlnetConfig record{};
    for (int i = 0; i < QVZB_ORLNET_GetSearchDevCount(); ++i) {
        QVZB_ORLNET_LoadRemoteDevInfo(i);
        QVZB_ORLNET_LoadRemoteRouteDevInfo(&record, i, 30, 20);
        QVZB_ORLNET_SubmitRemoteDevInfo(i);
    }
    OrlnetRoute route{};
    QVZB_ORLNET_DetectRoute(0x2001, 0, &route);
    QVZB_ORLNET_DetectRoute(0x2003, 1, &route);
    QVZB_ORLNET_TestLEDLocal(5);
    const unsigned char data[] = {1, 2, 3};
    unsigned char answer[16];
    unsigned char answerLength = 0;
    QVZB_ORLNET_SendData(0x2001, data, 3, answer, sizeof answer, &answerLength);
    QVZB_ORLNET_UpdateWithFileNameLocal(image.c_str(), 0xAA, 0x2000, 0x0C10);
    QVZB_ORLNET_ResetToDefault();
}

// ---- SNAP: selectors of fuzz_snap_replies (command * 2 + side; past the table: search answers)

std::vector<Seed> ClassifySnap(const Bytes& q, const Bytes& a) {
    using namespace radlink::snap;
    if (q.size() < 8) return {};
    constexpr int kCommands = static_cast<int>(Command::Count_);
    if (q[3] == 0xFF && q[4] == 0xFF && q[5] == 0xFF) return {{static_cast<uint8_t>(2 * kCommands), a}};
    const bool remote = q[3] != 0 || q[4] != 0 || q[5] != 0;
    for (int c = 0; c < kCommands; ++c) {
        const RegisterUse& use = FindRegisterUse(static_cast<Command>(c), remote ? Side::Remote : Side::Local);
        const bool withData = q.size() > 8;
        if (use.reg != q[7] || use.operation != q[6]) continue;
        if (use.reg == 0x04 && (use.command == Command::WriteChannel) != withData) continue;
        return {{static_cast<uint8_t>(c * 2 + (remote ? 1 : 0)), a}};
    }
    return {};
}

void SnapCalls() {
    QVZB_SNAP_LoadInfo();
    QVZB_SNAP_ClearSearchArr();
    QVZB_SNAP_SearchDev(9, 1);
    unsigned char buffer[64];
    unsigned int length = 0;
    char password[32];
    const unsigned char two[] = {1, 1}, three[] = {0x12, 0x34, 0x56}, mode[] = {'M'};
    for (int target : {-1, 0}) {
        const bool local = target < 0;
        if (local) {
            QVZB_SNAP_GetLocalNetID(buffer, 8), QVZB_SNAP_GetLocalDstAdr(buffer, 8), QVZB_SNAP_GetLocalWorkMode(buffer, 8);
            QVZB_SNAP_SetLocalNetID(two), QVZB_SNAP_SetLocalDstAdr(three), QVZB_SNAP_SetLocalWorkMode(mode);
            QVZB_SNAP_GetLocalSignalPower(), QVZB_SNAP_GetLocalRate(buffer), QVZB_SNAP_SetLocalRate(two);
            QVZB_SNAP_GetLocalADvalue(1), QVZB_SNAP_GetLocalIOvalue(2), QVZB_SNAP_SetLocalIODirection(two);
            QVZB_SNAP_SetLocalIOvalue(two), QVZB_SNAP_SetLocalUpdateEn(two), QVZB_SNAP_SetLocalChannel(two);
            QVZB_SNAP_GetLocalEEPROM(0x10, buffer, 64, &length), QVZB_SNAP_SetLocalEEPROM(0x10, three, 3);
            QVZB_SNAP_GetLocalPwd(password), QVZB_SNAP_SetLocalPwd("123456", "654321");
            QVZB_SNAP_SubmitInfo(), QVZB_SNAP_ResetToDefault();
        } else {
            QVZB_SNAP_LoadRemoteDevInfo(0), QVZB_SNAP_SubmitRemoteDevInfo(0);
            QVZB_SNAP_GetRemoteNetID(0, buffer, 8), QVZB_SNAP_GetRemoteDstAdr(0, buffer, 8);
            QVZB_SNAP_GetRemoteWorkMode(0, buffer, 8), QVZB_SNAP_SetRemoteNetID(0, two);
            QVZB_SNAP_SetRemoteDstAdr(0, three), QVZB_SNAP_SetRemoteWorkMode(0, mode);
            QVZB_SNAP_GetRemoteSignalPower(0), QVZB_SNAP_GetRemoteRate(0, buffer), QVZB_SNAP_SetRemoteRate(0, two);
            QVZB_SNAP_GetRemoteADvalue(0, 1), QVZB_SNAP_GetRemoteIOvalue(0, 2), QVZB_SNAP_SetRemoteIODirection(0, two);
            QVZB_SNAP_SetRemoteIOvalue(0, two), QVZB_SNAP_SetRemoteUpdateEn(0, two);
            QVZB_SNAP_GetRemoteEEPROM(0, 0x10, buffer, 64, &length), QVZB_SNAP_SetRemoteEEPROM(0, 0x10, three, 3);
            QVZB_SNAP_GetRemotePwd(0, password), QVZB_SNAP_SetRemotePwd(0, "123456", "654321");
            QVZB_SNAP_ResetRemoteToDefault(0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds OUTDIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path scratch = fs::temp_directory_path() / "fuzz-seeds-image";
    fs::create_directories(scratch);
    const std::string image = WriteImage(scratch);

    for (size_t length : {85, 80, 79, 74}) {
        sim::CelModelOptions options;
        options.recordLength = length;
        Collect(out / "fuzz_cel_replies", std::make_unique<sim::CelModel>(options), [&] { CelCalls(image); },
                ClassifyCel);
    }
    // An image, as the harness's image selector reads it.
    {
        std::ifstream in(image, std::ios::binary);
        Bytes bytes{9};
        bytes.insert(bytes.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::ofstream(out / "fuzz_cel_replies" / "09-image", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Collect(out / "fuzz_orlnet_replies", std::make_unique<sim::OrlnetModel>(), [&] { OrlnetCalls(image); },
            ClassifyOrlnet);
    std::deque<sim::SnapUnit> remotes{
        sim::MakeSnapUnit({0x00, 0x12, 0x4B, 0x00, 0x00, 0xB2, 0x00, 0x01}, 0x5678, 9, 1, "123456")};
    Collect(out / "fuzz_snap_replies", std::make_unique<sim::SnapModel>(sim::SnapModel::DefaultLocal(), remotes),
            SnapCalls, ClassifySnap);
    fs::remove_all(scratch);
    return 0;
}
