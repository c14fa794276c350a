#include "module/SearchKeyFields.h"

#include <cstring>

namespace cli {

Json SearchKeyJson(const std::function<bool(int, void*, unsigned)>& get) {
    static const char* const kNames[] = {"word", "channel", "rate", "panId", "address", "state"};
    Json entry = Json::object();
    for (int field = 1; field <= 6; ++field) {
        uint8_t buffer[8] = {};
        if (!get(field, buffer, sizeof buffer)) continue;
        uint32_t v = 0;
        std::memcpy(&v, buffer, sizeof v);  // little-endian host: a 1- or 2-byte field reads as its value
        const bool word = field == 1 || field == 4 || field == 5;
        entry[kNames[field - 1]] = word ? (v & 0xFFFF) : (v & 0xFF);
    }
    return entry;
}

}  // namespace cli
