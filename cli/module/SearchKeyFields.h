// The search key that CEL and ORLNET report for each module found (fields 1..6), as JSON.
#pragma once

#include <functional>

#include "module/Field.h"

namespace cli {

// `get(field, out, size)` copies one key field of an entry, as QVZB_*_GetSearchDevProperty does.
Json SearchKeyJson(const std::function<bool(int field, void* out, unsigned size)>& get);

}  // namespace cli
