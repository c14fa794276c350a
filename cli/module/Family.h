// What the tool does with one module family, over the library's exports: its record fields, reading and writing
// the record of the local module or of a remote one (an index of the library's search list), and searching.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "module/Field.h"

namespace cli {

// A module addressed through the local one: an index of the search list; nullopt is the local module.
using Target = std::optional<int>;

class Family {
public:
    virtual ~Family() = default;
    virtual const char* name() const = 0;
    virtual std::span<const FieldSpec> fields() const = 0;
    // The module's configuration password (GBK bytes) for the record just loaded: CEL and ORLNET keep it in the
    // record (up to its first zero byte, or all 16), SNAP modules are asked for it; nullopt when they do not tell.
    virtual std::optional<std::string> storedPassword(Target target, Record record);

    // Reads the whole record into `record`; false when the module did not answer.
    virtual bool load(Target target, Bytes& record) = 0;
    // Sets one field of the edit record (after load), then writes it to the module.
    virtual bool set(Target target, const FieldSpec& field, const Bytes& value) = 0;
    virtual bool submit(Target target) = 0;

    // Firmware upgrade from an image file, with the run state, address and control word of the record `current`
    // (the module's before the upgrade); `progress(accepted, total)` hears of every block the module took. A
    // RADLINK_UPGRADE_ result; families without an upgrade give RADLINK_UPGRADE_FAILED.
    using UpgradeProgress = std::function<void(int accepted, int total)>;
    virtual bool canUpgrade() const { return false; }
    virtual int upgrade(Target /*target*/, const std::string& /*image*/, Record /*current*/,
                        const UpgradeProgress& /*progress*/) {
        return 0;
    }

    // Search: channels and rates as the family counts them.
    virtual int firstChannel() const { return 11; }
    virtual int lastChannel() const { return 26; }
    virtual void clearSearch() = 0;
    virtual bool search(int channel, int rate) = 0;
    virtual int searchCount() = 0;
    // Entry `index` of the search list as JSON (its key fields).
    virtual Json searchEntry(int index) = 0;
    // Puts an entry of an earlier search back on the list; its index, or nullopt when it is not found.
    virtual std::optional<int> restoreEntry(const Json& entry);
};

// The RADLINK_UpgradeProgress callback that forwards to a Family::UpgradeProgress given as its context.
int ForwardUpgradeProgress(void* context, int accepted, int total);

// cel, orlnet or snap; nullptr for another name.
std::unique_ptr<Family> MakeFamily(const std::string& name);

// The families in the order identify tries them.
inline constexpr const char* kFamilyNames[] = {"cel", "orlnet", "snap"};

}  // namespace cli
