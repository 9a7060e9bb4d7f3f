#pragma once
// Whether a message for the user is in the user's language only.

#include <cctype>
#include <string>

namespace zorvane::testing {

// Latin letters outside the “…” that quote names of files and tables and the units after numbers:
// an internal or English word that reached the user. (Scanned by hand: the sanitizer build warns
// inside the standard regular expressions.)
inline bool speaksOnlyChinese(std::string message) {
    for (std::size_t open; (open = message.find("“")) != std::string::npos;) {
        const std::size_t close = message.find("”", open);
        message.erase(open, close == std::string::npos ? std::string::npos
                                                       : close + std::string("”").size() - open);
    }
    for (const std::string unit : {" KW", " r/min", " m/s", " mm", " MPa"}) {
        for (std::size_t at = 0; (at = message.find(unit, at)) != std::string::npos;) {
            if (at > 0 && std::isdigit(static_cast<unsigned char>(message[at - 1]))) {
                message.erase(at, unit.size());
            } else {
                at += unit.size();
            }
        }
    }
    for (std::size_t i = 1; i < message.size(); ++i) {
        if (std::isalpha(static_cast<unsigned char>(message[i - 1])) &&
            std::isalpha(static_cast<unsigned char>(message[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace zorvane::testing
