// Writing wanted field values to a module and verifying them by reading the record back.
#pragma once

#include <vector>

#include "module/Family.h"

namespace cli {

struct FieldChange {
    const FieldSpec* field;
    Json wanted;
    Bytes bytes;            // what sets it
    bool differs = false;   // the module held something else before
    bool verified = false;  // the read-back holds `bytes`
};

enum class WriteOutcome { Verified, NotVerified, Refused, NotTaken, NoReadBack };

// Marks which changes differ from `before`.
void CompareWith(std::vector<FieldChange>& changes, Record before);
// Sets the differing fields of the edit record, writes it, reads the record back into `after` (empty when it did
// not answer) and marks each change verified or not.
WriteOutcome WriteAndVerify(Family& family, Target target, std::vector<FieldChange>& changes, Bytes& after);

}  // namespace cli
