#include "core/Table.h"

#include <fmt/core.h>

#include <algorithm>

namespace cli {

namespace {

size_t Columns(const std::string& s) {
    // East Asian characters (3-byte UTF-8 from U+3000 on) take two columns; other characters one.
    size_t n = 0;
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        n += (len == 3 && c >= 0xE3) ? 2 : 1;
        i += len;
    }
    return n;
}

}  // namespace

void Table::print(std::FILE* out) const {
    std::vector<size_t> widths(headers_.size(), 0);
    auto measure = [&](const std::vector<std::string>& row) {
        for (size_t i = 0; i < row.size() && i < widths.size(); ++i) widths[i] = std::max(widths[i], Columns(row[i]));
    };
    measure(headers_);
    for (const auto& r : rows_) measure(r);
    auto line = [&](const std::vector<std::string>& row) {
        std::string text;
        for (size_t i = 0; i < widths.size(); ++i) {
            const std::string cell = i < row.size() ? row[i] : "";
            text += cell;
            if (i + 1 < widths.size()) text += std::string(widths[i] - Columns(cell) + 2, ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        fmt::print(out, "{}\n", text);
    };
    line(headers_);
    for (const auto& r : rows_) line(r);
}

}  // namespace cli
