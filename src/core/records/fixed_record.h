#pragma once
// A fixed-layout record as project files store it byte for byte: a zero-filled block of bytes
// with typed fields at fixed offsets, described by one constexpr table per record kind. Numbers
// are little-endian whatever the host; texts are GBK short strings with a length byte. Padding
// and reserved bytes are never touched by the accessors, so a record read from a file is written
// back unchanged.

#include "core/text/short_string.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::records {

enum class FieldType : std::uint8_t { Double, Int32, Bool, ShortString, Reserved };

template <typename Field> struct FieldEntry {
    Field field;
    std::size_t offset;
    FieldType type;
    std::size_t capacity; // text bytes of a short string, bytes of a reserved block, else 0
    std::string_view name;
};

constexpr std::size_t fieldWidth(FieldType type, std::size_t capacity) {
    switch (type) {
    case FieldType::Double:
        return 8;
    case FieldType::Int32:
        return 4;
    case FieldType::Bool:
        return 1;
    case FieldType::ShortString:
        return capacity + 1;
    case FieldType::Reserved:
        return capacity;
    }
    return 0;
}

template <typename Field> constexpr std::size_t fieldWidth(const FieldEntry<Field>& entry) {
    return fieldWidth(entry.type, entry.capacity);
}

// A layout table is sound when it lists every field once in enum order, at ascending offsets
// without overlap, numbers on offsets of their own width, texts within one length byte, and
// everything inside the record. Checked at compile time for every record kind.
template <typename Field, std::size_t N>
constexpr bool isSoundLayout(const std::array<FieldEntry<Field>, N>& table, std::size_t size) {
    std::size_t end = 0;
    for (std::size_t k = 0; k < N; ++k) {
        const FieldEntry<Field>& entry = table[k];
        const std::size_t width = fieldWidth(entry);
        const bool number = entry.type == FieldType::Double || entry.type == FieldType::Int32;
        if (static_cast<std::size_t>(entry.field) != k || entry.offset < end || width == 0 ||
            (number && entry.offset % width != 0) ||
            (entry.type == FieldType::ShortString && entry.capacity > 255)) {
            return false;
        }
        end = entry.offset + width;
    }
    return end <= size;
}

// Layout: a struct with `using Field = <enum>`, `static constexpr std::size_t size` and
// `static constexpr std::array<FieldEntry<Field>, N> fields`.
template <typename Layout> class FixedRecord {
public:
    using Field = typename Layout::Field;
    static constexpr std::size_t kSize = Layout::size;
    static constexpr std::size_t kFieldCount = Layout::fields.size();
    using Bytes = std::array<std::uint8_t, kSize>;
    static_assert(isSoundLayout(Layout::fields, kSize), "record layout overlaps or misaligns");

    FixedRecord() = default; // all bytes zero

    // The record as read from a file; the size must be exact.
    static FixedRecord fromBytes(std::span<const std::uint8_t> bytes) {
        if (bytes.size() != kSize) {
            throw std::invalid_argument("record of " + std::to_string(bytes.size()) +
                                        " bytes where " + std::to_string(kSize) + " are required");
        }
        FixedRecord record;
        std::copy(bytes.begin(), bytes.end(), record.bytes_.begin());
        return record;
    }
    const Bytes& bytes() const { return bytes_; }

    static constexpr const FieldEntry<Field>& entry(Field field) {
        return Layout::fields[static_cast<std::size_t>(field)];
    }

    double getDouble(Field field) const {
        return std::bit_cast<double>(loadLe(slot(field, FieldType::Double)));
    }
    void setDouble(Field field, double value) {
        storeLe(slot(field, FieldType::Double), std::bit_cast<std::uint64_t>(value));
    }

    std::int32_t getInt(Field field) const {
        const auto bits = static_cast<std::uint32_t>(loadLe(slot(field, FieldType::Int32)));
        return static_cast<std::int32_t>(bits);
    }
    void setInt(Field field, std::int32_t value) {
        storeLe(slot(field, FieldType::Int32), static_cast<std::uint32_t>(value));
    }

    // Any byte other than 0 reads as true, so a damaged file cannot yield a third state.
    bool getBool(Field field) const { return slot(field, FieldType::Bool)[0] != 0; }
    void setBool(Field field, bool value) {
        slot(field, FieldType::Bool)[0] = value ? std::uint8_t{1} : std::uint8_t{0};
    }

    // UTF-8 in and out; stored as GBK, cut to the capacity without splitting a character.
    std::string getText(Field field) const {
        return text::readShortString(slot(field, FieldType::ShortString), entry(field).capacity);
    }
    void setText(Field field, std::string_view utf8) {
        text::writeShortString(slot(field, FieldType::ShortString), entry(field).capacity, utf8);
    }

    friend bool operator==(const FixedRecord&, const FixedRecord&) = default;

private:
    static const FieldEntry<Field>& checked(Field field, FieldType expected) {
        const std::size_t index = static_cast<std::size_t>(field);
        if (index >= kFieldCount || Layout::fields[index].type != expected) {
            // Reserved fields land here too: nothing may read or write them.
            throw std::logic_error("record field accessed with the wrong type");
        }
        return Layout::fields[index];
    }
    std::span<std::uint8_t> slot(Field field, FieldType expected) {
        const FieldEntry<Field>& s = checked(field, expected);
        return std::span<std::uint8_t>(bytes_).subspan(s.offset, fieldWidth(s));
    }
    std::span<const std::uint8_t> slot(Field field, FieldType expected) const {
        const FieldEntry<Field>& s = checked(field, expected);
        return std::span<const std::uint8_t>(bytes_).subspan(s.offset, fieldWidth(s));
    }
    static std::uint64_t loadLe(std::span<const std::uint8_t> in) {
        std::uint64_t bits = 0;
        for (std::size_t k = in.size(); k-- > 0;) {
            bits = (bits << 8) | in[k];
        }
        return bits;
    }
    static void storeLe(std::span<std::uint8_t> out, std::uint64_t bits) {
        for (std::uint8_t& byte : out) {
            byte = static_cast<std::uint8_t>(bits & 0xFFU);
            bits >>= 8;
        }
    }

    Bytes bytes_{};
};

} // namespace zorvane::records
