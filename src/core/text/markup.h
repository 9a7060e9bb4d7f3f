#pragma once
// Text placed in HTML or SVG: the four characters markup gives a meaning to, as entities.

#include <string>
#include <string_view>

namespace zorvane::text {

inline std::string escapeMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace zorvane::text
