#pragma once
// Comparisons "without regard to case" as the program makes them: only the Latin letters A-Z
// fold; Chinese text and every other byte compare exactly.

#include <algorithm>
#include <string_view>

namespace zorvane::text {

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

} // namespace zorvane::text
