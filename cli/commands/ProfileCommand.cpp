// radlink profile save / apply: one configuration for many modules. apply runs `radlink write` once per port,
// all at the same time, and gathers their reports.
#include <CLI/CLI.hpp>
#include <fmt/core.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "commands/Commands.h"
#include "commands/Session.h"
#include "core/ExitCodes.h"
#include "core/Table.h"
#include "module/Password.h"
#include "module/Profile.h"
#include "system/ChildProcess.h"

namespace cli {

namespace {

struct SaveOptions {
    ModuleOptions module;
    std::string file;
    bool all = false;
};

int RunSave(const SaveOptions& o) {
    Session session;
    if (int rc = session.open(o.module)) return rc;
    Bytes record;
    if (!session.family().load(session.target(), record)) {
        fmt::print(stderr, "radlink: the {} did not answer on {}\n", session.targetName(), o.module.port);
        return kExitFailed;
    }
    Profile profile{o.module.family};
    for (const auto& f : session.family().fields())
        if (f.settable() && !f.secret && (o.all || !f.perUnit)) profile.fields[f.name] = FieldValue(f, record);
    std::string error;
    if (!SaveProfile(o.file, profile, error)) {
        fmt::print(stderr, "radlink: {}\n", error);
        return kExitFailed;
    }
    if (!o.module.json) fmt::print("{}: {} fields of the {} saved\n", o.file, profile.fields.size(), session.targetName());
    else fmt::print("{}\n", Json{{"file", o.file}, {"family", profile.family}, {"fields", profile.fields}}.dump(2));
    return kExitOk;
}

struct ApplyOptions {
    std::string file;
    std::vector<std::string> ports;
    std::vector<std::string> sets;
    std::string csv;
    std::string family;
    std::string password;
    std::string report;
    bool dryRun = false;
    bool json = false;
    LineSettings line;
};

std::vector<std::string> WriteArguments(const ApplyOptions& o, const std::string& port, const std::string& report) {
    std::vector<std::string> a{"write", port, "--profile", o.file, "--report", report, "--json",
                               "--baud", std::to_string(o.line.baud), "--data-bits", std::to_string(o.line.dataBits),
                               "--parity", o.line.parity, "--stop-bits", o.line.stopBits,
                               "--timeout", std::to_string(o.line.timeoutMs)};
    if (!o.family.empty()) a.insert(a.end(), {"--family", o.family});
    if (!o.csv.empty()) a.insert(a.end(), {"--csv", o.csv});
    if (o.dryRun) a.push_back("--dry-run");
    for (const auto& s : o.sets) a.insert(a.end(), {"--set", s});
    return a;
}

// A trace named in RADLINK_TRACE becomes one file per unit: "bench.pcapng" -> "bench.unit-1.pcapng".
std::vector<std::string> UnitEnvironment(const std::string& password, size_t unit) {
    std::vector<std::string> env{"RADLINK_PASSWORD=" + password};
    if (const char* trace = std::getenv("RADLINK_TRACE"); trace && *trace) {
        std::string path = trace;
        const size_t slash = path.rfind('/');
        const size_t dot = path.rfind('.');
        const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        path.insert(hasExtension ? dot : path.size(), fmt::format(".unit-{}", unit + 1));
        env.push_back("RADLINK_TRACE=" + path);
    }
    return env;
}

// The last line the unit's run printed, for a unit that left no report.
std::string LastLine(const std::string& path) {
    std::ifstream in(path);
    std::string line, last;
    while (std::getline(in, line))
        if (!line.empty()) last = line;
    return last;
}

int RunApply(const ApplyOptions& o) {
    std::string error;
    if (!LoadProfile(o.file, error)) {
        fmt::print(stderr, "radlink: {}\n", error);
        return kExitUsage;
    }
    std::string password = o.password;
    if (password.empty() && !o.dryRun) {
        auto asked = AskPassword("Configuration password of the modules: ");
        if (!asked) {
            fmt::print(stderr, "radlink: no terminal to ask for the password on: give --password or RADLINK_PASSWORD\n");
            return kExitUsage;
        }
        password = *asked;
    }
    char pattern[] = "/tmp/radlink-apply-XXXXXX";
    if (!mkdtemp(pattern)) {
        fmt::print(stderr, "radlink: cannot make a temporary folder\n");
        return kExitFailed;
    }
    const std::string dir = pattern;
    struct Unit {
        std::string port, report, log;
        ChildProcess process;
        int exitCode = -1;
    };
    std::vector<Unit> units(o.ports.size());
    for (size_t i = 0; i < o.ports.size(); ++i) {
        Unit& u = units[i];
        u.port = o.ports[i];
        u.report = fmt::format("{}/unit-{}.json", dir, i);
        u.log = fmt::format("{}/unit-{}.log", dir, i);
        if (!u.process.start(WriteArguments(o, u.port, u.report), UnitEnvironment(password, i), u.log))
            fmt::print(stderr, "radlink: cannot start the write for {}\n", u.port);
    }
    Json reports = Json::array();
    int worst = kExitOk;
    for (auto& u : units) {
        u.exitCode = u.process.wait();
        std::ifstream in(u.report);
        Json report = in ? Json::parse(in, nullptr, false) : Json();
        if (!report.is_object())
            report = Json{{"port", u.port}, {"result", LastLine(u.log)}, {"exitCode", u.exitCode}, {"written", false}};
        reports.push_back(report);
        if (u.exitCode != kExitOk) worst = worst == kExitOk || worst == u.exitCode ? u.exitCode : kExitFailed;
        std::remove(u.report.c_str());
        std::remove(u.log.c_str());
    }
    ::rmdir(dir.c_str());

    const Json all{{"profile", o.file}, {"units", reports}};
    if (!o.report.empty()) std::ofstream(o.report) << all.dump(2) << "\n";
    if (o.json) {
        fmt::print("{}\n", all.dump(2));
    } else {
        Table table({"PORT", "RESULT", "FIELDS"});
        for (const auto& r : reports) {
            size_t verified = 0, total = 0;
            if (r.contains("fields"))
                for (const auto& [name, f] : r["fields"].items()) {
                    ++total;
                    verified += f.value("verified", false) ? 1 : 0;
                }
            table.add({r.value("port", ""), r.value("result", ""),
                       r.value("written", false) ? fmt::format("{}/{} verified", verified, total)
                                                 : fmt::format("{}", total)});
        }
        table.print();
    }
    return worst;
}

}  // namespace

void AddProfileCommand(CLI::App& app, int& exitCode) {
    auto* profile = app.add_subcommand("profile", "save a module's configuration as a profile, apply one to many");
    profile->require_subcommand(1);

    auto s = std::make_shared<SaveOptions>();
    auto* save = profile->add_subcommand("save", "save the settable fields of a module as a profile file");
    AddModuleOptions(*save, s->module, true);
    save->add_option("FILE", s->file, "profile to write: TOML when the name ends in .toml, JSON otherwise")
        ->required();
    save->add_flag("--all", s->all, "keep the fields that differ from unit to unit too (name, addresses)");
    save->callback([s, &exitCode] { exitCode = RunSave(*s); });

    auto a = std::make_shared<ApplyOptions>();
    auto* apply = profile->add_subcommand("apply", "write a profile to the modules on several ports at once");
    apply->add_option("FILE", a->file, "profile file")->required()->check(CLI::ExistingFile);
    apply->add_option("PORT", a->ports, "serial ports, one module each")->required();
    apply->add_option("--set", a->sets, "FIELD=VALUE for every unit, over the profile");
    apply->add_option("--csv", a->csv, "per-unit values: a row per unit, keyed by its port or address column")
        ->check(CLI::ExistingFile);
    apply->add_option("--family", a->family, "module family (default: the profile's)")
        ->check(CLI::IsMember({"cel", "orlnet", "snap"}));
    apply->add_option("--password", a->password, "configuration password (asked on the terminal when not given)")
        ->envname("RADLINK_PASSWORD");
    apply->add_option("--report", a->report, "write the provisioning report (JSON) to this file");
    apply->add_flag("--dry-run", a->dryRun, "show the differences and write nothing");
    apply->add_flag("--json", a->json, "print the report as JSON");
    AddLineOptions(*apply, a->line);
    apply->callback([a, &exitCode] { exitCode = RunApply(*a); });
}

}  // namespace cli
