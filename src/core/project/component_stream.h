#pragma once
// A control's snapshot in the binary component-stream format: "TPF0", the class and component
// names, typed properties ending in a zero byte, and the (empty) list of child components. The
// writer stores what a design needs back; the reader accepts every well-formed stream of the
// format, takes the properties it knows and skips the rest, children included.

#include "core/project/byte_io.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace zorvane::project {

// A snapshot holds at most this many properties, nested ones included, and at most this many
// bytes. The writer stores ten at most, in under 300 bytes; a damaged or made-up snapshot of
// millions of properties is refused before they are read.
constexpr std::size_t kMaxSnapshotProperties = 256;
constexpr std::size_t kMaxSnapshotBytes = 16 * 1024;

// Colours as the format's integers (blue, green, red from the low byte up).
constexpr std::int64_t kColorBlack = 0x000000;
constexpr std::int64_t kColorBlue = 0xFF0000;

struct ControlSnapshot {
    std::string className;
    std::string name;
    std::optional<bool> enabled;
    std::optional<bool> visible;
    std::optional<std::int64_t> fontColor; // Font.Color
    std::optional<std::int64_t> left;
    // Further integer and floating-point properties by name (what the steps read of the main
    // window besides the controls: the initial-conditions switches, the life check, the range
    // of the initial centre distance).
    std::map<std::string, std::int64_t> integers;
    std::map<std::string, double> numbers;

    bool operator==(const ControlSnapshot&) const = default;
};

std::string writeSnapshot(const ControlSnapshot& snapshot);
// Reads one snapshot from the reader's position; a malformed stream, or one of more than
// kMaxSnapshotProperties properties, refuses the file.
ControlSnapshot readSnapshot(ByteReader& in);

} // namespace zorvane::project
