// CEL modules through QVZB_CEL_*.
#pragma once

#include "module/Family.h"

namespace cli {

class CelFamily : public Family {
public:
    const char* name() const override { return "cel"; }
    std::span<const FieldSpec> fields() const override;
    bool load(Target target, Bytes& record) override;
    bool set(Target target, const FieldSpec& field, const Bytes& value) override;
    bool submit(Target target) override;
    bool canUpgrade() const override { return true; }
    int upgrade(Target target, const std::string& image, Record current, const UpgradeProgress& progress) override;
    void clearSearch() override;
    bool search(int channel, int rate) override;
    int searchCount() override;
    Json searchEntry(int index) override;
    std::optional<int> restoreEntry(const Json& entry) override;
};

// "Quickmesh", "VNET" or "unknown" for a CEL control word.
std::string CelProductLine(int64_t controlWord);

}  // namespace cli
