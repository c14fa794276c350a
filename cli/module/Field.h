// A configuration record field as the tool shows, parses and compares it: where it lies in the record, how it is
// written (the library's property number) and what its raw value means.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cli {

using Bytes = std::vector<uint8_t>;
using Json = nlohmann::ordered_json;

enum class FieldKind {
    Text,      // GBK, zero-padded
    Unsigned,  // host order
    Signed,
    Hex,       // unsigned, shown in hex
    Mac,       // bytes shown as aa:bb:...
};

struct FieldSpec {
    const char* name;
    int property;  // library property number; 0 when the field cannot be set
    size_t offset;
    size_t width;
    FieldKind kind;
    // What a raw value means ("2430 MHz"); empty when nothing is to be said.
    std::string (*meaning)(int64_t raw) = nullptr;
    bool secret = false;   // shown only on request, never saved in a profile
    bool perUnit = false;  // differs from unit to unit (name, address): a profile keeps it only on request
    bool settable() const { return property > 0; }
};

using Record = std::span<const uint8_t>;

// The field's value: a string for texts and MAC addresses, a number otherwise.
Json FieldValue(const FieldSpec& field, Record record);
// As a table shows it.
std::string FieldText(const FieldSpec& field, Record record);
// As a table shows the field holding `bytes` (its width); texts in quotes.
std::string BytesText(const FieldSpec& field, const Bytes& bytes);
std::string FieldMeaning(const FieldSpec& field, Record record);
int64_t FieldNumber(const FieldSpec& field, Record record);
// The field's bytes as the record holds them.
Bytes FieldBytes(const FieldSpec& field, Record record);

// The bytes a value sets (the field's width; texts zero-padded to it), or an error text.
struct Encoded {
    Bytes bytes;
    std::string error;
};
Encoded EncodeField(const FieldSpec& field, const Json& value);
// The value a command-line text stands for: texts and MACs as they are, numbers in decimal or 0x hex.
Json ValueFromText(const FieldSpec& field, const std::string& text);
// True when the record holds exactly `bytes` in the field (texts compared up to their first zero byte).
bool FieldHolds(const FieldSpec& field, Record record, const Bytes& bytes);

const FieldSpec* FindField(std::span<const FieldSpec> fields, const std::string& name);

// Meanings shared by the families.
std::string ChannelMeaning(int64_t channel);    // 11..26 -> MHz
std::string AirRateMeaning(int64_t rate);       // 0 250k, 1 500k, 2 1M
std::string BaudIndexMeaning(int64_t index);    // 0..9 = 1200..460800
std::string FirmwareMeaning(int64_t version);   // four 4-bit digits
std::string RunStateMeaning(int64_t state);     // 0xAA normal

}  // namespace cli
