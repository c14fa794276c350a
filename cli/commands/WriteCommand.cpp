// radlink write: shows how the module differs from the wanted values, writes them behind the configuration
// password, and reads the record back to verify every field.
#include <CLI/CLI.hpp>
#include <fmt/core.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "commands/Commands.h"
#include "commands/Session.h"
#include "core/ExitCodes.h"
#include "core/Gbk.h"
#include "core/Table.h"
#include "module/Password.h"
#include "module/Profile.h"
#include "module/RecordWriter.h"
#include "module/UnitTable.h"
#include "radlink.h"

namespace cli {

namespace {

struct WriteOptions {
    ModuleOptions module;
    bool familyGiven = false;
    std::vector<std::string> assignments;
    std::string profile;
    std::string csv;
    bool dryRun = false;
    std::string password;
    std::string report;
};

class WriteRun {
public:
    explicit WriteRun(WriteOptions o) : o_(std::move(o)) {}
    int run();

private:
    int collect(std::vector<std::pair<std::string, Json>>& wanted);
    int encode(const std::vector<std::pair<std::string, Json>>& wanted);
    int checkPassword();
    int finish(int code, const std::string& result);
    Json shown(const FieldSpec& f, const Json& value) const { return f.secret ? Json("***") : value; }
    std::string shownText(const FieldSpec& f, Record record) const {
        return f.secret ? "***" : BytesText(f, FieldBytes(f, record));
    }
    std::string shownText(const FieldSpec& f, const Bytes& bytes) const { return f.secret ? "***" : BytesText(f, bytes); }

    WriteOptions o_;
    Session session_;
    Bytes before_, after_;
    std::vector<FieldChange> changes_;
    bool written_ = false;
};

int WriteRun::collect(std::vector<std::pair<std::string, Json>>& wanted) {
    if (!o_.profile.empty()) {
        std::string error;
        auto profile = LoadProfile(o_.profile, error);
        if (!profile) {
            fmt::print(stderr, "radlink: {}\n", error);
            return kExitUsage;
        }
        if (!o_.familyGiven) o_.module.family = profile->family;
        if (profile->family != o_.module.family) {
            fmt::print(stderr, "radlink: {} is a {} profile, the module is addressed as {}\n", o_.profile,
                       profile->family, o_.module.family);
            return kExitUsage;
        }
        for (const auto& [name, value] : profile->fields.items()) wanted.emplace_back(name, value);
    }
    return kExitOk;
}

int WriteRun::encode(const std::vector<std::pair<std::string, Json>>& wanted) {
    const Family& family = session_.family();
    for (const auto& [name, value] : wanted) {
        const FieldSpec* f = FindField(family.fields(), name);
        if (!f || !f->settable()) {
            fmt::print(stderr, "radlink: {} is {} field of a {} record\n", name, f ? "not a settable" : "no",
                       family.name());
            return kExitUsage;
        }
        Encoded e = EncodeField(*f, value);
        if (!e.error.empty()) {
            fmt::print(stderr, "radlink: {}\n", e.error);
            return kExitUsage;
        }
        auto same = std::find_if(changes_.begin(), changes_.end(), [&](const FieldChange& c) { return c.field == f; });
        FieldChange c{f, value, std::move(e.bytes)};
        if (same != changes_.end()) *same = std::move(c);  // a later source overrides an earlier one
        else changes_.push_back(std::move(c));
    }
    CompareWith(changes_, before_);
    return kExitOk;
}

int WriteRun::checkPassword() {
    const auto stored = session_.family().storedPassword(session_.target(), before_);
    if (!stored) {
        fmt::print(stderr, "radlink: the module did not tell its password; nothing was written\n");
        return kExitFailed;
    }
    std::optional<std::string> entry = o_.password;
    if (entry->empty()) entry = AskPassword(fmt::format("Configuration password of {}: ", o_.module.port));
    if (!entry) {
        fmt::print(stderr, "radlink: no terminal to ask for the password on: give --password or RADLINK_PASSWORD\n");
        return kExitUsage;
    }
    const auto gbk = Utf8ToGbk(*entry);
    if (!gbk || !PasswordMatches(*gbk, *stored)) {
        fmt::print(stderr, "radlink: wrong configuration password; nothing was written\n");
        return kExitWrongPassword;
    }
    return kExitOk;
}

int WriteRun::finish(int code, const std::string& result) {
    Json fields = Json::object();
    for (const auto& c : changes_) {
        Json j{{"before", shown(*c.field, FieldValue(*c.field, before_))}, {"wanted", shown(*c.field, c.wanted)}};
        if (written_) {
            j["after"] = after_.empty() ? Json() : shown(*c.field, FieldValue(*c.field, after_));
            j["verified"] = c.verified;
        }
        fields[c.field->name] = j;
    }
    Json report{{"port", o_.module.port}, {"family", o_.module.family},
                {"remote", o_.module.remote > 0 ? Json(o_.module.remote) : Json()},
                {"result", result}, {"exitCode", code}, {"written", written_}, {"fields", fields}};
    if (!o_.report.empty()) std::ofstream(o_.report) << report.dump(2) << "\n";
    if (o_.module.json) fmt::print("{}\n", report.dump(2));
    else if (written_) {
        Table table({"FIELD", "WRITTEN", "READ BACK", "VERIFIED"});
        for (const auto& c : changes_)
            table.add({c.field->name, shownText(*c.field, c.bytes),
                       after_.empty() ? "-" : shownText(*c.field, Record(after_)), c.verified ? "yes" : "NO"});
        table.print();
    }
    if (!o_.module.json) fmt::print("{}: {}\n", o_.module.port, result);
    return code;
}

int WriteRun::run() {
    std::vector<std::pair<std::string, Json>> wanted;
    if (int rc = collect(wanted)) return rc;
    std::optional<UnitTable> units;
    if (!o_.csv.empty()) {
        std::string error;
        units = UnitTable::Load(o_.csv, error);
        if (!units) {
            fmt::print(stderr, "radlink: {}\n", error);
            return kExitUsage;
        }
    }
    if (int rc = session_.open(o_.module)) return rc;
    if (!session_.family().load(session_.target(), before_)) {
        fmt::print(stderr, "radlink: the {} did not answer on {}\n", session_.targetName(), o_.module.port);
        return kExitFailed;
    }
    if (units) {
        const FieldSpec* address = FindField(session_.family().fields(), "netAddress");
        auto row = units->rowFor(o_.module.port,
                                 address ? std::optional<int64_t>(FieldNumber(*address, before_)) : std::nullopt);
        if (!row) {
            fmt::print(stderr, "radlink: {} has no row for port {}{}\n", o_.csv, o_.module.port,
                       address ? fmt::format(" or address {}", FieldText(*address, before_)) : "");
            return kExitUsage;
        }
        for (const auto& [name, text] : *row) {
            const FieldSpec* f = FindField(session_.family().fields(), name);
            wanted.emplace_back(name, f ? ValueFromText(*f, text) : Json(text));
        }
    }
    for (const auto& a : o_.assignments) {
        const auto eq = a.find('=');
        if (eq == std::string::npos || eq == 0) {
            fmt::print(stderr, "radlink: '{}' is not FIELD=VALUE\n", a);
            return kExitUsage;
        }
        const std::string name = a.substr(0, eq);
        const FieldSpec* f = FindField(session_.family().fields(), name);
        wanted.emplace_back(name, f ? ValueFromText(*f, a.substr(eq + 1)) : Json(a.substr(eq + 1)));
    }
    if (wanted.empty()) {
        fmt::print(stderr, "radlink: nothing to write: give FIELD=VALUE, --profile or --csv\n");
        return kExitUsage;
    }
    if (int rc = encode(wanted)) return rc;

    if (!o_.module.json) {
        Table diff({"FIELD", "MODULE", "WANTED", ""});
        for (const auto& c : changes_)
            diff.add({c.field->name, shownText(*c.field, Record(before_)), shownText(*c.field, c.bytes),
                      c.differs ? "change" : "same"});
        diff.print();
    }
    const bool anyChange = std::any_of(changes_.begin(), changes_.end(), [](const FieldChange& c) { return c.differs; });
    if (o_.dryRun) return finish(kExitOk, "dry run, nothing written");
    if (!anyChange) return finish(kExitOk, "the module already holds every wanted value");
    if (int rc = checkPassword()) return finish(rc, rc == kExitWrongPassword ? "wrong password" : "not written");

    const WriteOutcome outcome = WriteAndVerify(session_.family(), session_.target(), changes_, after_);
    switch (outcome) {
        case WriteOutcome::Refused:
            fmt::print(stderr, "radlink: the library refused a field (error {})\n", QVZB_GetLastError());
            return finish(kExitFailed, "not written");
        case WriteOutcome::NotTaken:
            fmt::print(stderr, "radlink: the module did not take the write\n");
            return finish(kExitFailed, "write failed");
        default: break;
    }
    written_ = true;
    if (outcome == WriteOutcome::NoReadBack) {
        fmt::print(stderr, "radlink: written, but the module did not answer the read-back\n");
        return finish(kExitNotVerified, "written, read-back failed");
    }
    return outcome == WriteOutcome::Verified ? finish(kExitOk, "written and verified")
                                             : finish(kExitNotVerified, "written, NOT verified");
}

}  // namespace

void AddWriteCommand(CLI::App& app, int& exitCode) {
    auto o = std::make_shared<WriteOptions>();
    auto* c = app.add_subcommand("write", "write fields (FIELD=VALUE, a profile, a CSV row) and verify them");
    AddModuleOptions(*c, o->module, true);
    c->add_option("FIELD=VALUE", o->assignments, "fields to set, e.g. channel=20 deviceName=Pump-7");
    c->add_option("--set", o->assignments, "FIELD=VALUE, as the positional form");
    c->add_option("--profile", o->profile, "profile file (TOML when its name ends in .toml, JSON otherwise)")
        ->check(CLI::ExistingFile);
    c->add_option("--csv", o->csv, "per-unit values: the row whose port or address column names this module")
        ->check(CLI::ExistingFile);
    c->add_flag("--dry-run", o->dryRun, "show the differences and write nothing");
    c->add_option("--password", o->password, "configuration password (asked on the terminal when not given)")
        ->envname("RADLINK_PASSWORD");
    c->add_option("--report", o->report, "also write the JSON report to this file");
    c->callback([o, c, &exitCode] {
        WriteOptions options = *o;
        options.familyGiven = c->get_option("--family")->count() > 0;
        exitCode = WriteRun(std::move(options)).run();
    });
}

}  // namespace cli
