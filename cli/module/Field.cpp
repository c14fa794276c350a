#include "module/Field.h"

#include <fmt/core.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "core/Gbk.h"

namespace cli {

namespace {

std::string TextOf(const FieldSpec& f, Record r) {
    const auto* begin = reinterpret_cast<const char*>(r.data() + f.offset);
    return std::string(begin, strnlen(begin, f.width));
}

std::string MacOf(const FieldSpec& f, Record r) {
    std::string s;
    for (size_t i = 0; i < f.width; ++i) s += fmt::format("{}{:02x}", i ? ":" : "", r[f.offset + i]);
    return s;
}

bool ParseMac(const std::string& text, size_t width, Bytes& out) {
    std::string digits;
    for (char c : text)
        if (c != ':' && c != '-' && c != ' ') digits += c;
    if (digits.size() != width * 2) return false;
    out.clear();
    for (size_t i = 0; i < width; ++i) {
        char* end = nullptr;
        const std::string pair = digits.substr(i * 2, 2);
        const unsigned long v = std::strtoul(pair.c_str(), &end, 16);
        if (*end) return false;
        out.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

}  // namespace

int64_t FieldNumber(const FieldSpec& f, Record r) {
    uint64_t u = 0;
    std::memcpy(&u, r.data() + f.offset, std::min<size_t>(f.width, sizeof u));  // little-endian host
    if (f.kind == FieldKind::Signed) {
        const unsigned shift = static_cast<unsigned>(64 - 8 * f.width);
        return static_cast<int64_t>(u << shift) >> shift;
    }
    return static_cast<int64_t>(u);
}

Bytes FieldBytes(const FieldSpec& f, Record r) {
    const auto begin = r.begin() + static_cast<ptrdiff_t>(f.offset);
    return Bytes(begin, begin + static_cast<ptrdiff_t>(f.width));
}

Json FieldValue(const FieldSpec& f, Record r) {
    switch (f.kind) {
        case FieldKind::Text: return GbkToUtf8(TextOf(f, r));
        case FieldKind::Mac: return MacOf(f, r);
        default: return FieldNumber(f, r);
    }
}

std::string FieldText(const FieldSpec& f, Record r) {
    switch (f.kind) {
        case FieldKind::Text: return GbkToUtf8(TextOf(f, r));
        case FieldKind::Mac: return MacOf(f, r);
        case FieldKind::Hex: return fmt::format("0x{:0{}X}", FieldNumber(f, r), f.width * 2);
        default: return std::to_string(FieldNumber(f, r));
    }
}

std::string BytesText(const FieldSpec& f, const Bytes& bytes) {
    Bytes scratch(f.offset + f.width, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), f.width), scratch.begin() + static_cast<ptrdiff_t>(f.offset));
    const std::string text = FieldText(f, scratch);
    return f.kind == FieldKind::Text ? "\"" + text + "\"" : text;
}

std::string FieldMeaning(const FieldSpec& f, Record r) { return f.meaning ? f.meaning(FieldNumber(f, r)) : ""; }

Json ValueFromText(const FieldSpec& f, const std::string& text) {
    if (f.kind == FieldKind::Text || f.kind == FieldKind::Mac) return text;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end || errno) return text;  // EncodeField reports it
    return v;
}

Encoded EncodeField(const FieldSpec& f, const Json& value) {
    Encoded e;
    const std::string shown = value.dump();
    if (f.kind == FieldKind::Text) {
        if (!value.is_string()) return {{}, fmt::format("{}: {} is not a text", f.name, shown)};
        const auto gbk = Utf8ToGbk(value.get<std::string>());
        if (!gbk) return {{}, fmt::format("{}: {} cannot be written in GBK", f.name, shown)};
        if (gbk->size() > f.width)
            return {{}, fmt::format("{}: {} is {} bytes in GBK, at most {} fit", f.name, shown, gbk->size(), f.width)};
        e.bytes.assign(gbk->begin(), gbk->end());
        e.bytes.resize(f.width, 0);
        return e;
    }
    if (f.kind == FieldKind::Mac) {
        if (!value.is_string() || !ParseMac(value.get<std::string>(), f.width, e.bytes))
            return {{}, fmt::format("{}: {} is not {} hex bytes (aa:bb:...)", f.name, shown, f.width)};
        return e;
    }
    if (!value.is_number_integer()) return {{}, fmt::format("{}: {} is not a whole number", f.name, shown)};
    const int64_t v = value.get<int64_t>();
    const unsigned bits = static_cast<unsigned>(8 * f.width);
    const int64_t lo = f.kind == FieldKind::Signed ? -(int64_t{1} << (bits - 1)) : 0;
    const int64_t hi = f.kind == FieldKind::Signed ? (int64_t{1} << (bits - 1)) - 1 : (int64_t{1} << bits) - 1;
    if (v < lo || v > hi) return {{}, fmt::format("{}: {} is outside {}..{}", f.name, v, lo, hi)};
    const uint64_t u = static_cast<uint64_t>(v);
    for (size_t i = 0; i < f.width; ++i) e.bytes.push_back(static_cast<uint8_t>(u >> (8 * i)));
    return e;
}

bool FieldHolds(const FieldSpec& f, Record r, const Bytes& bytes) {
    if (f.kind == FieldKind::Text) {
        const std::string want(reinterpret_cast<const char*>(bytes.data()), strnlen(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return TextOf(f, r) == want;
    }
    return bytes.size() == f.width && std::equal(bytes.begin(), bytes.end(), r.begin() + static_cast<ptrdiff_t>(f.offset));
}

const FieldSpec* FindField(std::span<const FieldSpec> fields, const std::string& name) {
    for (const auto& f : fields)
        if (name == f.name) return &f;
    return nullptr;
}

std::string ChannelMeaning(int64_t c) {
    return c >= 11 && c <= 26 ? fmt::format("{} MHz", 2405 + 5 * (c - 11)) : "not a channel";
}

std::string AirRateMeaning(int64_t r) {
    static const std::array<const char*, 3> kRates{"250 kbit/s", "500 kbit/s", "1000 kbit/s"};
    return r >= 0 && r < 3 ? kRates[static_cast<size_t>(r)] : "unknown";
}

std::string BaudIndexMeaning(int64_t i) {
    static const std::array<int, 10> kBauds{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800};
    return i >= 0 && i < 10 ? fmt::format("{} baud", kBauds[static_cast<size_t>(i)]) : "unknown";
}

std::string FirmwareMeaning(int64_t v) {
    if (v < 0x1000) return fmt::format("V{}.{}{}", (v >> 8) & 0xF, (v >> 4) & 0xF, v & 0xF);
    return fmt::format("V{}{}.{}{}", (v >> 12) & 0xF, (v >> 8) & 0xF, (v >> 4) & 0xF, v & 0xF);
}

std::string RunStateMeaning(int64_t s) { return s == 0xAA ? "normal firmware" : "upgrade mode"; }

}  // namespace cli
