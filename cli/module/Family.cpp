#include "module/Family.h"

#include <cstring>

#include "module/CelFamily.h"
#include "module/OrlnetFamily.h"
#include "module/SnapFamily.h"

namespace cli {

// Searches the entry's channel and rate again and finds it among the answers by its key.
std::optional<int> Family::restoreEntry(const Json& entry) {
    clearSearch();
    if (!entry.contains("channel") || !entry.contains("rate")) return std::nullopt;
    search(entry["channel"].get<int>(), entry["rate"].get<int>());
    for (int i = 0, n = searchCount(); i < n; ++i) {
        const Json found = searchEntry(i);
        bool same = true;
        for (const auto& [key, value] : found.items()) same = same && entry.value(key, Json()) == value;
        if (same) return i;
    }
    return std::nullopt;
}

std::optional<std::string> Family::storedPassword(Target, Record record) {
    const FieldSpec* field = FindField(fields(), "password");
    if (!field) return std::nullopt;
    const auto* stored = reinterpret_cast<const char*>(record.data() + field->offset);
    return std::string(stored, strnlen(stored, field->width));
}

int ForwardUpgradeProgress(void* context, int accepted, int total) {
    const auto& progress = *static_cast<const Family::UpgradeProgress*>(context);
    if (progress) progress(accepted, total);
    return 1;  // go on
}

std::unique_ptr<Family> MakeFamily(const std::string& name) {
    if (name == "cel") return std::make_unique<CelFamily>();
    if (name == "orlnet") return std::make_unique<OrlnetFamily>();
    if (name == "snap") return std::make_unique<SnapFamily>();
    return nullptr;
}

}  // namespace cli
