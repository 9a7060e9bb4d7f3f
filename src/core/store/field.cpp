#include "core/store/field.h"

#include "core/store/store_error.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>

namespace zorvane::store {

namespace {

struct KindNameEntry {
    FieldKind kind;
    std::string_view name;
};

// The kind names used in table files and in the data sources.
constexpr std::array<KindNameEntry, 5> kKindNames{{
    {FieldKind::Text, "text"},
    {FieldKind::Number, "number"},
    {FieldKind::Integer, "integer"},
    {FieldKind::Memo, "memo"},
    {FieldKind::Graphic, "graphic"},
}};

[[noreturn]] void refuse(std::string_view fieldName, std::string_view what) {
    throw StoreError("字段“" + std::string(fieldName) + "”" + std::string(what));
}

} // namespace

std::string_view kindName(FieldKind kind) {
    for (const auto& entry : kKindNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "text";
}

std::optional<FieldKind> kindFromName(std::string_view name) {
    for (const auto& entry : kKindNames) {
        if (entry.name == name) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

std::string Value::asText() const {
    if (isText()) {
        return text();
    }
    if (isNumber()) {
        return text::general(number());
    }
    if (isInteger()) {
        return std::to_string(integer());
    }
    if (isBytes()) {
        return std::string(bytes().begin(), bytes().end());
    }
    return {};
}

std::optional<double> Value::asNumber() const {
    if (isNumber()) {
        return number();
    }
    if (isInteger()) {
        return static_cast<double>(integer());
    }
    if (isText()) {
        return text::parseDecimal(text());
    }
    return std::nullopt;
}

Bytes Value::asBytes() const {
    if (isBytes()) {
        return bytes();
    }
    if (isText()) {
        return Bytes(text().begin(), text().end());
    }
    return {};
}

Value coerceTo(FieldKind kind, const Value& value, std::string_view fieldName) {
    if (value.isNull()) {
        return value;
    }
    switch (kind) {
    case FieldKind::Text:
    case FieldKind::Memo:
        if (value.isBytes()) {
            refuse(fieldName, "是文本字段，不能存放图形");
        }
        return Value(value.asText());
    case FieldKind::Number: {
        if (value.isText() && value.text().empty()) {
            return {};
        }
        const auto number = value.asNumber();
        if (!number) {
            refuse(fieldName, "需要数值，“" + value.asText() + "”不是数值");
        }
        return Value(*number);
    }
    case FieldKind::Integer: {
        if (value.isInteger()) {
            return value;
        }
        if (value.isText() && value.text().empty()) {
            return {};
        }
        if (value.isText()) {
            if (const auto whole = text::parseInteger(value.text())) {
                return Value(static_cast<std::int64_t>(*whole));
            }
        } else if (value.isNumber() && std::isfinite(value.number()) &&
                   value.number() == std::trunc(value.number()) &&
                   std::fabs(value.number()) < 9.0e15) {
            return Value(static_cast<std::int64_t>(value.number()));
        }
        refuse(fieldName, "需要整数，“" + value.asText() + "”不是整数");
    }
    case FieldKind::Graphic:
        if (!value.isBytes()) {
            refuse(fieldName, "是图形字段，只能存放图形");
        }
        return value;
    }
    return value;
}

} // namespace zorvane::store
