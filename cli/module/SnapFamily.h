// SNAP modules through QVZB_SNAP_*. Channels are indexes (0 = channel 11).
#pragma once

#include "module/Family.h"

namespace cli {

class SnapFamily : public Family {
public:
    const char* name() const override { return "snap"; }
    std::span<const FieldSpec> fields() const override;
    bool load(Target target, Bytes& record) override;
    bool set(Target target, const FieldSpec& field, const Bytes& value) override;
    bool submit(Target target) override;
    std::optional<std::string> storedPassword(Target target, Record record) override;
    int firstChannel() const override { return 0; }
    int lastChannel() const override { return 15; }
    void clearSearch() override;
    bool search(int channel, int rate) override;
    int searchCount() override;
    Json searchEntry(int index) override;
};

}  // namespace cli
