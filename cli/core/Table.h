// Tables for the terminal: columns as wide as their widest cell (counted in characters, not UTF-8 bytes).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

class Table {
public:
    explicit Table(std::vector<std::string> headers) : headers_(std::move(headers)) {}
    void add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
    bool empty() const { return rows_.empty(); }
    void print(std::FILE* out = stdout) const;

private:
    std::vector<std::string> headers_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace cli
