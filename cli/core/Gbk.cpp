#include "core/Gbk.h"

#include <fmt/core.h>
#include <iconv.h>

#include <cerrno>
#include <vector>

namespace cli {

namespace {

// One conversion; false at the first byte that does not convert, `out` holding what did and `in` where it stopped.
bool Convert(const char* to, const char* from, const char*& in, size_t& inLeft, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::vector<char> buffer(inLeft * 4 + 8);
    char* src = const_cast<char*>(in);
    char* dst = buffer.data();
    size_t dstLeft = buffer.size();
    const size_t rc = iconv(cd, &src, &inLeft, &dst, &dstLeft);
    iconv_close(cd);
    out.append(buffer.data(), static_cast<size_t>(dst - buffer.data()));
    in = src;
    return rc != static_cast<size_t>(-1);
}

}  // namespace

std::optional<std::string> Utf8ToGbk(const std::string& utf8) {
    const char* in = utf8.data();
    size_t left = utf8.size();
    std::string out;
    if (!Convert("GBK", "UTF-8", in, left, out)) return std::nullopt;
    return out;
}

std::string GbkToUtf8(const std::string& gbk) {
    std::string out;
    const char* in = gbk.data();
    size_t left = gbk.size();
    while (left > 0 && !Convert("UTF-8", "GBK", in, left, out)) {
        out += fmt::format("\\x{:02x}", static_cast<unsigned char>(*in));
        ++in;
        --left;
    }
    return out;
}

}  // namespace cli
