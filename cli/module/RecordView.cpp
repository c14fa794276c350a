#include "module/RecordView.h"

namespace cli {

Json RecordValues(const Family& family, Record record, bool withSecrets) {
    Json values = Json::object();
    for (const auto& f : family.fields())
        if (withSecrets || !f.secret) values[f.name] = FieldValue(f, record);
    return values;
}

Json RecordMeanings(const Family& family, Record record) {
    Json meanings = Json::object();
    for (const auto& f : family.fields())
        if (std::string m = FieldMeaning(f, record); !m.empty()) meanings[f.name] = m;
    return meanings;
}

Table RecordTable(const Family& family, Record record, bool withSecrets) {
    Table table({"FIELD", "VALUE", "MEANING"});
    for (const auto& f : family.fields())
        if (withSecrets || !f.secret) table.add({f.name, FieldText(f, record), FieldMeaning(f, record)});
    return table;
}

}  // namespace cli
