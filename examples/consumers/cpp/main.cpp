// radlink-consumer-cpp PORT CHANNEL: searches CHANNEL (11..26) at 250 kbit/s through the CEL module on PORT and
// prints the network address of every remote module that answered.
#include <radlink.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// The library keeps one port open; this closes it on every way out.
class Port {
public:
    // 115200 baud 8N1, RTS on, no flow control, answers within 1 s.
    explicit Port(const std::string& name)
        : open_(QVZB_OpenCom(name.c_str(), 115200, 8, 0, 0, 0, 1, 0, 0, 1000) == 1) {}
    ~Port() { QVZB_CloseCom(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " PORT CHANNEL\n";
        return 2;
    }
    const int channel = std::stoi(argv[2]);
    Port port(argv[1]);
    if (!port.open()) {
        std::cerr << argv[0] << ": cannot open " << argv[1] << "\n";
        return 1;
    }
    QVZB_CEL_ClearSearchArr();
    QVZB_CEL_SearchDev(channel, 0);
    const int found = QVZB_CEL_GetSearchDevCount();
    std::cout << found << " module(s) on channel " << channel << "\n";
    for (int i = 0; i < found; ++i) {
        unsigned short address = 0;
        if (QVZB_CEL_GetSearchDevProperty(i, 5, &address, sizeof address))
            std::printf("  0x%04x\n", static_cast<unsigned>(address));
    }
    return found > 0 ? 0 : 1;
}
