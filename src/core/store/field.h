#pragma once
// Field definitions and values of the table store.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorvane::store {

enum class FieldKind { Text, Number, Integer, Memo, Graphic };

struct FieldDef {
    std::string name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // largest length of a text field in characters; 0 for the other kinds

    bool operator==(const FieldDef&) const = default;
};

// Memo and graphic values live in the table's companion blob file.
constexpr bool isBlobKind(FieldKind kind) {
    return kind == FieldKind::Memo || kind == FieldKind::Graphic;
}

std::string_view kindName(FieldKind kind);
std::optional<FieldKind> kindFromName(std::string_view name);

using Bytes = std::vector<std::uint8_t>;

// One field's value: null, a text (text and memo fields), a number, an integer, or the bytes of a
// picture (graphic fields).
class Value {
public:
    Value() = default;
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(double number) : data_(number) {}
    Value(int integer) : data_(static_cast<std::int64_t>(integer)) {}
    Value(std::int64_t integer) : data_(integer) {}
    Value(Bytes bytes) : data_(std::move(bytes)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }
    bool isNumber() const { return std::holds_alternative<double>(data_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(data_); }
    bool isBytes() const { return std::holds_alternative<Bytes>(data_); }

    // The value as text: numbers in their shortest general form, null as "".
    std::string asText() const;
    // The value as a number: texts are parsed strictly; null and unparsable texts give nothing.
    std::optional<double> asNumber() const;
    // Picture bytes, or the bytes of a text; empty for null and numbers.
    Bytes asBytes() const;

    const std::string& text() const { return std::get<std::string>(data_); }
    double number() const { return std::get<double>(data_); }
    std::int64_t integer() const { return std::get<std::int64_t>(data_); }
    const Bytes& bytes() const { return std::get<Bytes>(data_); }

    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::string, double, std::int64_t, Bytes> data_;
};

// The value converted to what a field of `kind` holds. Throws StoreError when it cannot be.
Value coerceTo(FieldKind kind, const Value& value, std::string_view fieldName);

using Row = std::vector<Value>;

} // namespace zorvane::store
