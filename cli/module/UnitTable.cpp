#include "module/UnitTable.h"

#include <csv.h>
#include <fmt/core.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace cli {

namespace {

struct Parsed {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
};

void OnField(void* data, size_t length, void* parsed) {
    static_cast<Parsed*>(parsed)->row.emplace_back(static_cast<const char*>(data), length);
}

void OnRowEnd(int, void* parsed) {
    auto* p = static_cast<Parsed*>(parsed);
    p->rows.push_back(std::move(p->row));
    p->row.clear();
}

std::string PortName(const std::string& port) { return port.starts_with("/dev/") ? port.substr(5) : port; }

}  // namespace

std::optional<UnitTable> UnitTable::Load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = fmt::format("cannot read {}", path);
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_APPEND_NULL);
    Parsed parsed;
    const bool ok = csv_parse(&parser, text.data(), text.size(), OnField, OnRowEnd, &parsed) == text.size() &&
                    csv_fini(&parser, OnField, OnRowEnd, &parsed) == 0;
    if (!ok) error = fmt::format("{}: {}", path, csv_strerror(csv_error(&parser)));
    csv_free(&parser);
    if (!ok) return std::nullopt;
    if (parsed.rows.empty()) {
        error = fmt::format("{}: no header row", path);
        return std::nullopt;
    }
    UnitTable t;
    for (auto h : parsed.rows.front()) {
        h.erase(0, h.find_first_not_of(" \t\xEF\xBB\xBF"));  // spaces and a UTF-8 byte-order mark
        h.erase(h.find_last_not_of(" \t\r") + 1);
        t.header_.push_back(h);
    }
    const bool keyed = std::count(t.header_.begin(), t.header_.end(), "port") +
                       std::count(t.header_.begin(), t.header_.end(), "address");
    if (!keyed) {
        error = fmt::format("{}: the header needs a \"port\" or an \"address\" column", path);
        return std::nullopt;
    }
    t.rows_.assign(parsed.rows.begin() + 1, parsed.rows.end());
    return t;
}

std::optional<std::vector<std::pair<std::string, std::string>>> UnitTable::rowFor(
    const std::string& port, std::optional<int64_t> address) const {
    for (const auto& row : rows_) {
        bool match = false;
        for (size_t i = 0; i < row.size() && i < header_.size(); ++i) {
            if (header_[i] == "port" && !row[i].empty()) match = match || PortName(row[i]) == PortName(port);
            if (header_[i] == "address" && !row[i].empty() && address)
                match = match || std::strtoll(row[i].c_str(), nullptr, 0) == *address;
        }
        if (!match) continue;
        std::vector<std::pair<std::string, std::string>> values;
        for (size_t i = 0; i < row.size() && i < header_.size(); ++i) {
            if (header_[i] == "port" || header_[i] == "address" || row[i].empty()) continue;
            values.emplace_back(header_[i] == "name" ? "deviceName" : header_[i], row[i]);
        }
        return values;
    }
    return std::nullopt;
}

}  // namespace cli
