// ORLNET modules through QVZB_ORLNET_*.
#pragma once

#include "module/Family.h"

namespace cli {

class OrlnetFamily : public Family {
public:
    const char* name() const override { return "orlnet"; }
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
};

}  // namespace cli
