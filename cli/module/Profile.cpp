#include "module/Profile.h"

#include <fmt/core.h>
#include <toml++/toml.h>

#include <fstream>

namespace cli {

namespace {

bool IsToml(const std::string& path) { return path.ends_with(".toml"); }

Json FromToml(const toml::node& node) {
    if (auto t = node.as_table()) {
        Json j = Json::object();
        for (const auto& [key, value] : *t) j[std::string(key.str())] = FromToml(value);
        return j;
    }
    if (auto a = node.as_array()) {
        Json j = Json::array();
        for (const auto& value : *a) j.push_back(FromToml(value));
        return j;
    }
    if (auto i = node.as_integer()) return i->get();
    if (auto s = node.as_string()) return s->get();
    if (auto b = node.as_boolean()) return b->get();
    if (auto f = node.as_floating_point()) return f->get();
    return nullptr;
}

std::optional<Profile> FromJson(const Json& j, const std::string& path, std::string& error) {
    if (!j.is_object() || !j.contains("fields") || !j["fields"].is_object()) {
        error = fmt::format("{}: a profile needs a table of fields", path);
        return std::nullopt;
    }
    Profile p;
    p.family = j.value("family", "cel");
    p.fields = j["fields"];
    return p;
}

}  // namespace

std::optional<Profile> LoadProfile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = fmt::format("cannot read {}", path);
        return std::nullopt;
    }
    if (IsToml(path)) {
        try {
            return FromJson(FromToml(toml::parse(in, path)), path, error);
        } catch (const toml::parse_error& e) {
            error = fmt::format("{}: {} (line {})", path, e.description(), e.source().begin.line);
            return std::nullopt;
        }
    }
    const Json j = Json::parse(in, nullptr, false);
    if (j.is_discarded()) {
        error = fmt::format("{}: not JSON (a TOML profile's name ends in .toml)", path);
        return std::nullopt;
    }
    return FromJson(j, path, error);
}

bool SaveProfile(const std::string& path, const Profile& p, std::string& error) {
    std::ofstream out(path);
    if (IsToml(path)) {
        toml::table fields;
        for (const auto& [key, value] : p.fields.items()) {
            if (value.is_string()) fields.insert(key, value.get<std::string>());
            else fields.insert(key, value.get<int64_t>());
        }
        toml::table root{{"family", p.family}};
        root.insert("fields", std::move(fields));
        out << root << "\n";
    } else {
        out << Json{{"family", p.family}, {"fields", p.fields}}.dump(2) << "\n";
    }
    if (!out) error = fmt::format("cannot write {}", path);
    return static_cast<bool>(out);
}

}  // namespace cli
