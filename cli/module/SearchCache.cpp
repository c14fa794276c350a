#include "module/SearchCache.h"

#include <fmt/core.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace cli {

namespace {

std::filesystem::path CacheDir() {
    if (const char* d = std::getenv("RADLINK_CACHE_DIR"); d && *d) return d;
    if (const char* d = std::getenv("XDG_CACHE_HOME"); d && *d) return std::filesystem::path(d) / "radlink";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".cache" / "radlink";
}

}  // namespace

std::string SearchCachePath(const std::string& port) {
    std::string name = port;
    if (name.starts_with("/dev/")) name = name.substr(5);
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    return (CacheDir() / ("search-" + name + ".json")).string();
}

bool SaveSearchCache(const std::string& port, const std::string& family, const Json& modules, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(CacheDir(), ec);
    std::ofstream out(SearchCachePath(port));
    out << Json{{"family", family}, {"port", port}, {"modules", modules}}.dump(2) << "\n";
    if (!out) error = fmt::format("cannot write {}", SearchCachePath(port));
    return static_cast<bool>(out);
}

std::optional<Json> LoadSearchEntry(const std::string& port, const std::string& family, int number,
                                    std::string& error) {
    const std::string path = SearchCachePath(port);
    std::ifstream in(path);
    if (!in) {
        error = fmt::format("no search of {} is known: run `radlink search {}` first", port, port);
        return std::nullopt;
    }
    const Json cache = Json::parse(in, nullptr, false);
    if (cache.is_discarded() || cache.value("family", "") != family || !cache.contains("modules")) {
        error = fmt::format("{} holds no {} search: run `radlink search {} --family {}`", path, family, port, family);
        return std::nullopt;
    }
    const Json& modules = cache["modules"];
    if (number < 1 || static_cast<size_t>(number) > modules.size()) {
        error = fmt::format("the last search of {} found {} module(s); there is no number {}", port, modules.size(),
                            number);
        return std::nullopt;
    }
    return modules[static_cast<size_t>(number - 1)];
}

}  // namespace cli
