// A whole record as JSON (field name -> raw value, and the meanings beside) or as a table.
#pragma once

#include "core/Table.h"
#include "module/Family.h"

namespace cli {

// {name: value} of every field; secret fields only when `withSecrets`.
Json RecordValues(const Family& family, Record record, bool withSecrets);
// {name: meaning} of the fields whose value means something more.
Json RecordMeanings(const Family& family, Record record);
Table RecordTable(const Family& family, Record record, bool withSecrets);

}  // namespace cli
