// The configuration password as Plexcon compares it: the whole entry (at most 16 bytes, GBK) against the record's
// 16-byte field up to its first zero byte, or all 16 bytes when it has none.
#pragma once

#include <string>

#include "module/Field.h"

namespace cli {

bool PasswordMatches(const std::string& entryGbk, const FieldSpec& field, Record record);
// Asks on the terminal without echo; nullopt when there is no terminal.
std::optional<std::string> AskPassword(const std::string& prompt);

}  // namespace cli
