// Per-unit values from a CSV file: a header row, then one row per unit. The unit is picked by its "port" column
// (the port it is on) or its "address" column (the module's network address); the other columns are field
// names ("name" stands for deviceName), and an empty cell leaves its field alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "module/Field.h"

namespace cli {

class UnitTable {
public:
    static std::optional<UnitTable> Load(const std::string& path, std::string& error);
    // The row for the unit on `port` whose network address is `address` (nullopt when the record has none).
    std::optional<std::vector<std::pair<std::string, std::string>>> rowFor(const std::string& port,
                                                                           std::optional<int64_t> address) const;

private:
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace cli
