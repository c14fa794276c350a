// The configuration password as Plexcon compares it: the whole entry (at most 16 bytes, GBK) against the module's
// password (Family::storedPassword: a record field up to its first zero byte, or all 16 bytes).
#pragma once

#include <optional>
#include <string>

namespace cli {

bool PasswordMatches(const std::string& entryGbk, const std::string& stored);
// Asks on the terminal without echo; nullopt when there is no terminal.
std::optional<std::string> AskPassword(const std::string& prompt);

}  // namespace cli
