#include "module/RecordWriter.h"

namespace cli {

void CompareWith(std::vector<FieldChange>& changes, Record before) {
    for (auto& c : changes) c.differs = !FieldHolds(*c.field, before, c.bytes);
}

WriteOutcome WriteAndVerify(Family& family, Target target, std::vector<FieldChange>& changes, Bytes& after) {
    after.clear();
    for (const auto& c : changes)
        if (c.differs && !family.set(target, *c.field, c.bytes)) return WriteOutcome::Refused;
    if (!family.submit(target)) return WriteOutcome::NotTaken;
    if (!family.load(target, after)) {
        after.clear();
        return WriteOutcome::NoReadBack;
    }
    bool all = true;
    for (auto& c : changes) all = (c.verified = FieldHolds(*c.field, after, c.bytes)) && all;
    return all ? WriteOutcome::Verified : WriteOutcome::NotVerified;
}

}  // namespace cli
