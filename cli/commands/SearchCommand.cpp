// radlink search: searches the air on channels and rates through the local module; the modules found are kept
// for `--remote N`.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <memory>
#include <set>

#include "commands/Commands.h"
#include "commands/Session.h"
#include "core/ExitCodes.h"
#include "core/Progress.h"
#include "core/Table.h"
#include "module/SearchCache.h"

namespace cli {

namespace {

struct SearchOptions {
    ModuleOptions module;
    std::string channels;
    std::string rates = "0,1,2";
};

// "11-26", "12,15,18" or a mix; false on anything else or a number outside lo..hi.
bool ParseList(const std::string& text, int lo, int hi, std::vector<int>& out) {
    std::set<int> values;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = text.find(',', start);
        const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int a = 0, b = 0;
        char extra = 0;
        const int n = std::sscanf(part.c_str(), "%d-%d%c", &a, &b, &extra);
        if (n == 1) b = a;
        else if (n != 2) return false;
        if (a < lo || b > hi || a > b) return false;
        for (int v = a; v <= b; ++v) values.insert(v);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    out.assign(values.begin(), values.end());
    return !out.empty();
}

int RunSearch(const SearchOptions& o) {
    auto probe = MakeFamily(o.module.family);
    const std::string channelText =
        o.channels.empty() ? fmt::format("{}-{}", probe->firstChannel(), probe->lastChannel()) : o.channels;
    std::vector<int> channels, rates;
    if (!ParseList(channelText, probe->firstChannel(), probe->lastChannel(), channels) ||
        !ParseList(o.rates, 0, 2, rates)) {
        fmt::print(stderr, "radlink: channels are {}..{} and rates 0..2, as lists (11,12) or ranges (11-26)\n",
                   probe->firstChannel(), probe->lastChannel());
        return kExitUsage;
    }
    Session session;
    if (int rc = session.open(o.module)) return rc;
    Family& family = session.family();
    family.clearSearch();
    Json modules = Json::array();
    Progress progress(channels.size() * rates.size(), "searching");
    size_t done = 0;
    for (int channel : channels)
        for (int rate : rates) {
            progress.show(done, fmt::format("channel {} rate {}, {} found", channel, rate, modules.size()));
            const int before = family.searchCount();
            family.search(channel, rate);
            for (int i = before, n = family.searchCount(); i < n; ++i) {
                Json entry = family.searchEntry(i);
                if (!entry.contains("rate")) entry["rate"] = rate;  // SNAP answers carry none
                modules.push_back(entry);
            }
            ++done;
        }
    progress.show(done, fmt::format("{} found", modules.size()));
    progress.finish();

    std::string error;
    if (!SaveSearchCache(o.module.port, o.module.family, modules, error)) fmt::print(stderr, "radlink: {}\n", error);
    if (o.module.json) {
        fmt::print("{}\n", Json{{"port", o.module.port}, {"family", o.module.family}, {"modules", modules}}.dump(2));
        return kExitOk;
    }
    if (modules.empty()) {
        fmt::print("no module answered\n");
        return kExitOk;
    }
    std::vector<std::string> keys{"#"};
    for (const auto& [key, value] : modules.front().items()) keys.push_back(key);
    Table table(keys);
    int number = 0;
    for (const auto& m : modules) {
        std::vector<std::string> row{std::to_string(++number)};
        for (size_t k = 1; k < keys.size(); ++k) {
            const Json& v = m.value(keys[k], Json());
            const bool hex = keys[k] == "panId" || keys[k] == "address" || keys[k] == "word" || keys[k] == "netId";
            row.push_back(v.is_string() ? v.get<std::string>()
                          : hex && v.is_number() ? fmt::format("0x{:04X}", v.get<int>())
                                                 : v.dump());
        }
        table.add(row);
    }
    table.print();
    fmt::print("use --remote N with read or write to reach module N\n");
    return kExitOk;
}

}  // namespace

void AddSearchCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<SearchOptions>();
    auto* c = app.add_subcommand("search", "search the air for remote modules through the local one");
    AddModuleOptions(*c, o->module, false);
    c->add_option("--channels", o->channels, "channels to search: 11-26 (SNAP: indexes 0-15), lists and ranges");
    c->add_option("--rates", o->rates, "air rates to search: 0 250k, 1 500k, 2 1M (default 0,1,2)");
    c->callback([o, &exitCode] { exitCode = RunSearch(*o); });
}

}  // namespace cli
