#pragma once
// The name of a sprocket dimension as the size report prints it: its first 14 GBK bytes, a
// blank, and its bytes 15 to 42, so that a long name prints on two lines of at most seven
// Chinese characters and fourteen. A two-byte character is never cut: one that would straddle
// byte 14 starts the second part, one that would straddle byte 42 is left out with the rest.

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvane::report {

constexpr std::size_t kSizeNameFirstBytes = 14;
constexpr std::size_t kSizeNameLastByte = 42;

struct PrintedSizeName {
    std::string text;            // UTF-8: the first part, a blank and the second part if any
    std::size_t firstLength = 0; // UTF-8 bytes of the first part (the blank follows it)
    bool twoLines() const { return firstLength < text.size(); }
};

PrintedSizeName printedSizeName(std::string_view utf8Name);

} // namespace zorvane::report
