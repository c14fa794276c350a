// The modules the last `radlink search` on a port found, kept so that a later `--remote N` can address them (each
// run of the tool is a new process with an empty search list). Kept under $RADLINK_CACHE_DIR, else
// $XDG_CACHE_HOME/radlink, else ~/.cache/radlink.
#pragma once

#include <optional>
#include <string>

#include "module/Field.h"

namespace cli {

std::string SearchCachePath(const std::string& port);
// Writes {family, port, modules: [...]}; false with `error` set when it cannot.
bool SaveSearchCache(const std::string& port, const std::string& family, const Json& modules, std::string& error);
// Entry `number` (from 1, as `search` prints it) of the last search of `family` on `port`.
std::optional<Json> LoadSearchEntry(const std::string& port, const std::string& family, int number,
                                    std::string& error);

}  // namespace cli
