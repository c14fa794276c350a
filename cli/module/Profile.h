// Profile files: the wanted field values of one family, in TOML (.toml) or JSON (any other name):
//   family = "cel"
//   [fields]
//   channel = 20
//   deviceName = "Pump-7"
#pragma once

#include <optional>
#include <string>

#include "module/Field.h"

namespace cli {

struct Profile {
    std::string family;
    Json fields = Json::object();
};

std::optional<Profile> LoadProfile(const std::string& path, std::string& error);
bool SaveProfile(const std::string& path, const Profile& profile, std::string& error);

}  // namespace cli
