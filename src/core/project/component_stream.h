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
// Reads one snapshot from the reader's position; a malformed stream refuses the file.
ControlSnapshot readSnapshot(ByteReader& in);

} // namespace zorvane::project
