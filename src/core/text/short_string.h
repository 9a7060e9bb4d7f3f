#pragma once
// Short string of capacity N as stored in records and files: one length byte followed by N bytes
// of GBK text (unused bytes zero). Texts longer than N bytes are cut at a character boundary, so
// a two-byte GBK character is never split.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zorvane::text {

// Writes `utf8` as a short string of capacity `capacity` into `out`, which must hold
// capacity + 1 bytes. Returns the number of text bytes stored.
std::size_t writeShortString(std::span<std::uint8_t> out, std::size_t capacity,
                             std::string_view utf8);

// Reads a short string of capacity `capacity` from `in` (capacity + 1 bytes) as UTF-8. A length
// byte above the capacity is clamped to it, so a damaged record cannot read past its field.
std::string readShortString(std::span<const std::uint8_t> in, std::size_t capacity);

// The longest prefix of the GBK bytes `gbk` that fits in `maxBytes` without splitting a
// two-byte character.
std::string_view cutGbk(std::string_view gbk, std::size_t maxBytes);

} // namespace zorvane::text
