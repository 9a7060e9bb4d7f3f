#include "core/project/component_stream.h"

#include <array>
#include <cstring>
#include <string_view>

namespace zorvane::project {

namespace {

// The value kinds of the format, by their tag byte.
enum Tag : std::uint8_t {
    kNull = 0,
    kList = 1,
    kInt8 = 2,
    kInt16 = 3,
    kInt32 = 4,
    kExtended = 5,
    kString = 6,
    kIdent = 7,
    kFalse = 8,
    kTrue = 9,
    kBinary = 10,
    kSet = 11,
    kLString = 12,
    kNil = 13,
    kCollection = 14,
    kSingle = 15,
    kCurrency = 16,
    kDate = 17,
    kWString = 18,
    kInt64 = 19,
    kUtf8String = 20,
    kDouble = 21,
};

constexpr std::string_view kSignature = "TPF0";
// Nested lists, collections and child components deeper than this are taken as damage.
constexpr int kMaxDepth = 32;

// Colour names the format may store instead of numbers.
struct NamedColor {
    std::string_view name;
    std::int64_t value;
};
constexpr std::array<NamedColor, 8> kNamedColors{{{"clBlack", kColorBlack},
                                                  {"clBlue", kColorBlue},
                                                  {"clNavy", 0x800000},
                                                  {"clRed", 0x0000FF},
                                                  {"clGreen", 0x008000},
                                                  {"clWhite", 0xFFFFFF},
                                                  {"clGray", 0x808080},
                                                  {"clPurple", 0x800080}}};

// What a property's value is, as far as the snapshot needs it.
struct Value {
    std::optional<std::int64_t> integer;
    std::optional<double> number;
    std::optional<bool> boolean;
    std::string ident;
};

std::size_t checkedLength(ByteReader& in, std::int32_t length, std::size_t unit) {
    if (length < 0 || static_cast<std::size_t>(length) > in.left() / unit) {
        in.fail("其中一个值的长度超出范围");
    }
    return static_cast<std::size_t>(length) * unit;
}

// The properties read so far in one snapshot, nested ones included.
struct Budget {
    std::size_t properties = 0;
};

Value readValue(ByteReader& in, int depth, Budget& budget);

void readProperties(ByteReader& in, int depth, ControlSnapshot* into, Budget& budget);

// A collection item: an optional order number, then a list of properties.
void readCollection(ByteReader& in, int depth, Budget& budget) {
    while (true) {
        const std::uint8_t tag = in.u8("集合属性");
        if (tag == kNull) {
            return;
        }
        if (tag == kInt8 || tag == kInt16 || tag == kInt32) {
            in.skip(tag == kInt8 ? 1 : tag == kInt16 ? 2 : 4, "集合属性");
            if (in.u8("集合属性") != kList) {
                in.fail("集合属性的一项不完整");
            }
        } else if (tag != kList) {
            in.fail("集合属性的一项不完整");
        }
        readProperties(in, depth + 1, nullptr, budget);
    }
}

Value readValue(ByteReader& in, int depth, Budget& budget) {
    if (depth > kMaxDepth) {
        in.fail("嵌套过深");
    }
    Value value;
    const std::uint8_t tag = in.u8("属性值");
    switch (tag) {
    case kNull:
    case kNil:
        break;
    case kFalse:
    case kTrue:
        value.boolean = tag == kTrue;
        break;
    case kInt8:
        value.integer = static_cast<std::int8_t>(in.u8("属性值"));
        break;
    case kInt16:
        value.integer = in.i16("属性值");
        break;
    case kInt32:
        value.integer = in.i32("属性值");
        break;
    case kInt64:
        value.integer = in.i64("属性值");
        break;
    case kExtended:
        in.skip(10, "属性值");
        break;
    case kSingle:
        in.skip(4, "属性值");
        break;
    case kDouble: {
        const std::int64_t bits = in.i64("属性值");
        double number = 0;
        std::memcpy(&number, &bits, sizeof number);
        value.number = number;
        break;
    }
    case kCurrency:
    case kDate:
        in.skip(8, "属性值");
        break;
    case kIdent:
        value.ident = in.lengthPrefixed("名称值");
        break;
    case kString:
        in.lengthPrefixed("文字值");
        break;
    case kLString:
    case kUtf8String:
    case kBinary:
        in.skip(checkedLength(in, in.i32("值的长度"), 1), "属性值");
        break;
    case kWString:
        in.skip(checkedLength(in, in.i32("值的长度"), 2), "属性值");
        break;
    case kSet:
        while (!in.lengthPrefixed("集合属性").empty()) {
        }
        break;
    case kList:
        // Values until the zero tag that ends the list.
        while (true) {
            ByteReader peek = in;
            if (peek.u8("列表属性") == kNull) {
                in.u8("列表属性");
                break;
            }
            readValue(in, depth + 1, budget);
        }
        break;
    case kCollection:
        readCollection(in, depth, budget);
        break;
    default:
        in.fail("有未知的值类型 " + std::to_string(tag));
    }
    return value;
}

void take(ControlSnapshot& snapshot, const std::string& name, const Value& value) {
    if (name == "Enabled" && value.boolean) {
        snapshot.enabled = value.boolean;
    } else if (name == "Visible" && value.boolean) {
        snapshot.visible = value.boolean;
    } else if (name == "Left" && value.integer) {
        snapshot.left = value.integer;
    } else if (name == "Font.Color") {
        if (value.integer) {
            snapshot.fontColor = value.integer;
        }
        for (const auto& color : kNamedColors) {
            if (value.ident == color.name) {
                snapshot.fontColor = color.value;
            }
        }
    } else if (value.integer) {
        snapshot.integers[name] = *value.integer;
    } else if (value.number) {
        snapshot.numbers[name] = *value.number;
    }
}

// Properties until the zero byte that ends them.
void readProperties(ByteReader& in, int depth, ControlSnapshot* into, Budget& budget) {
    while (true) {
        const std::string name = in.lengthPrefixed("属性名");
        if (name.empty()) {
            return;
        }
        if (++budget.properties > kMaxSnapshotProperties) {
            in.fail("属性超过了 " + std::to_string(kMaxSnapshotProperties) + " 个的上限");
        }
        const Value value = readValue(in, depth + 1, budget);
        if (into) {
            take(*into, name, value);
        }
    }
}

// A component: optional filer flags, class and name, properties, then its children.
void readComponent(ByteReader& in, int depth, ControlSnapshot* into, Budget& budget) {
    if (depth > kMaxDepth) {
        in.fail("嵌套过深");
    }
    ByteReader peek = in;
    const std::uint8_t first = peek.u8("控件");
    if ((first & 0xF0) == 0xF0) {
        in.u8("控件");
        if (first & 0x02) { // the child position follows as an integer value
            readValue(in, depth + 1, budget);
        }
    }
    const std::string className = in.lengthPrefixed("控件类型");
    const std::string name = in.lengthPrefixed("控件名");
    if (className.empty()) {
        in.fail("控件类型为空");
    }
    if (into) {
        into->className = className;
        into->name = name;
    }
    readProperties(in, depth, into, budget);
    while (true) {
        ByteReader next = in;
        if (next.u8("子控件列表") == kNull) {
            in.u8("子控件列表");
            return;
        }
        readComponent(in, depth + 1, nullptr, budget);
    }
}

void writeBoolean(ByteWriter& out, std::string_view name, bool value) {
    out.lengthPrefixed(name);
    out.u8(value ? kTrue : kFalse);
}

void writeInteger(ByteWriter& out, std::string_view name, std::int64_t value) {
    out.lengthPrefixed(name);
    if (value >= INT8_MIN && value <= INT8_MAX) {
        out.u8(kInt8);
        out.u8(static_cast<std::uint8_t>(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        out.u8(kInt16);
        out.i16(static_cast<std::int16_t>(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        out.u8(kInt32);
        out.i32(static_cast<std::int32_t>(value));
    } else {
        out.u8(kInt64);
        out.i64(value);
    }
}

} // namespace

std::string writeSnapshot(const ControlSnapshot& snapshot) {
    ByteWriter out;
    out.bytes(kSignature);
    out.lengthPrefixed(snapshot.className);
    out.lengthPrefixed(snapshot.name);
    if (snapshot.left) {
        writeInteger(out, "Left", *snapshot.left);
    }
    if (snapshot.enabled) {
        writeBoolean(out, "Enabled", *snapshot.enabled);
    }
    if (snapshot.fontColor) {
        bool named = false;
        for (const auto& color : kNamedColors) {
            if (color.value == *snapshot.fontColor && !named) {
                out.lengthPrefixed("Font.Color");
                out.u8(kIdent);
                out.lengthPrefixed(color.name);
                named = true;
            }
        }
        if (!named) {
            writeInteger(out, "Font.Color", *snapshot.fontColor);
        }
    }
    if (snapshot.visible) {
        writeBoolean(out, "Visible", *snapshot.visible);
    }
    for (const auto& [name, value] : snapshot.integers) {
        writeInteger(out, name, value);
    }
    for (const auto& [name, value] : snapshot.numbers) {
        out.lengthPrefixed(name);
        out.u8(kDouble);
        std::int64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        out.i64(bits);
    }
    out.u8(kNull); // end of the properties
    out.u8(kNull); // no child components
    return out.take();
}

ControlSnapshot readSnapshot(ByteReader& in) {
    const auto signature = in.bytes(kSignature.size(), "开头标记");
    if (std::string_view(reinterpret_cast<const char*>(signature.data()), signature.size()) !=
        kSignature) {
        in.fail("开头不是控件外观的标记");
    }
    ControlSnapshot snapshot;
    Budget budget;
    readComponent(in, 0, &snapshot, budget);
    return snapshot;
}

} // namespace zorvane::project
