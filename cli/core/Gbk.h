// Module texts (device names, passwords) are GBK bytes; the terminal and files speak UTF-8.
#pragma once

#include <optional>
#include <string>

namespace cli {

// UTF-8 to GBK; nullopt when the text has a character GBK lacks or is not UTF-8.
std::optional<std::string> Utf8ToGbk(const std::string& utf8);
// GBK to UTF-8; bytes that are not GBK come out as \xNN.
std::string GbkToUtf8(const std::string& gbk);

}  // namespace cli
