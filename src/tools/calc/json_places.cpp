#include "tools/calc/json_places.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <unordered_set>

namespace zorvane::calc {

namespace {

// An open object or array: the place of its own value, and where its members stand.
struct Frame {
    bool object = false;
    std::size_t place = JsonPlace::kTop;
    std::size_t index = 0;
    bool expectKey = true;
    std::size_t keyPlace = JsonPlace::kTop;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The end of the string literal starting at `start` (one past its closing quote), or npos.
std::size_t stringEnd(std::string_view text, std::size_t start) {
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '"') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::string decodedString(std::string_view literal) {
    try {
        return nlohmann::json::parse(literal).get<std::string>();
    } catch (const nlohmann::json::exception&) {
        return std::string(literal.substr(1, literal.size() - 2));
    }
}

} // namespace

std::string pointerToken(std::string_view key) {
    std::string token;
    for (const char c : key) {
        if (c == '~') {
            token += "~0";
        } else if (c == '/') {
            token += "~1";
        } else {
            token += c;
        }
    }
    return token;
}

JsonScan scanJson(std::string_view text, int maxDepth) {
    JsonScan scan;
    auto& places = scan.places;
    std::vector<Frame> stack;
    // The place of a value starting here; array elements are placed where they begin.
    auto valueStarts = [&](std::size_t at) {
        if (stack.empty()) {
            return JsonPlace::kTop;
        }
        Frame& frame = stack.back();
        if (frame.object) {
            return frame.keyPlace;
        }
        places.push_back({frame.place, std::to_string(frame.index), false, at});
        return places.size() - 1;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isSpace(c) || c == ':') {
            ++i;
        } else if (c == '{' || c == '[') {
            if (stack.size() >= static_cast<std::size_t>(maxDepth)) {
                scan.tooDeepAt = i;
                break;
            }
            Frame frame;
            frame.place = valueStarts(i);
            frame.object = c == '{';
            stack.push_back(frame);
            ++i;
        } else if (c == '}' || c == ']') {
            if (stack.empty()) {
                break;
            }
            stack.pop_back();
            ++i;
        } else if (c == ',') {
            if (stack.empty()) {
                break;
            }
            ++stack.back().index;
            stack.back().expectKey = true;
            ++i;
        } else if (c == '"') {
            const std::size_t end = stringEnd(text, i);
            if (end == std::string_view::npos) {
                break;
            }
            if (!stack.empty() && stack.back().object && stack.back().expectKey) {
                Frame& frame = stack.back();
                places.push_back({frame.place, decodedString(text.substr(i, end - i)), true, i});
                frame.keyPlace = places.size() - 1;
                frame.expectKey = false;
            } else {
                valueStarts(i);
            }
            i = end;
        } else {
            // A number or a literal: up to the next delimiter.
            valueStarts(i);
            while (i < text.size() && !isSpace(text[i]) && text[i] != ',' && text[i] != '}' &&
                   text[i] != ']') {
                ++i;
            }
        }
    }
    return scan;
}

std::string pointerOf(const std::vector<JsonPlace>& places, std::size_t index) {
    std::vector<std::size_t> chain;
    for (std::size_t at = index; at != JsonPlace::kTop; at = places[at].parent) {
        chain.push_back(at);
    }
    std::string pointer;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        pointer += "/" + (places[*it].key ? pointerToken(places[*it].token) : places[*it].token);
    }
    return pointer;
}

std::optional<std::size_t> findPlace(const std::vector<JsonPlace>& places,
                                     std::string_view pointer) {
    // Token by token from the top: each is the last place of that token under the one before.
    std::size_t parent = JsonPlace::kTop;
    std::size_t start = 1;
    while (start <= pointer.size()) {
        const std::size_t end = std::min(pointer.find('/', start), pointer.size());
        const std::string_view token = pointer.substr(start, end - start);
        std::optional<std::size_t> found;
        for (std::size_t k = places.size(); k-- > 0;) {
            const auto& place = places[k];
            if (place.parent == parent &&
                (place.key ? pointerToken(place.token) : place.token) == token) {
                found = k;
                break;
            }
        }
        if (!found) {
            return std::nullopt;
        }
        parent = *found;
        start = end + 1;
    }
    return parent == JsonPlace::kTop ? std::nullopt : std::optional<std::size_t>(parent);
}

std::optional<std::size_t> firstDuplicateKey(const std::vector<JsonPlace>& places) {
    // Keys by the object they belong to: the parent's place and the key's text.
    std::unordered_set<std::string> seen;
    seen.reserve(places.size());
    for (std::size_t k = 0; k < places.size(); ++k) {
        if (!places[k].key) {
            continue;
        }
        std::string id = std::to_string(places[k].parent);
        id += '\0';
        id += places[k].token;
        if (!seen.insert(std::move(id)).second) {
            return k;
        }
    }
    return std::nullopt;
}

int lineAt(std::string_view text, std::size_t offset) {
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(std::min(offset, text.size()));
    return 1 + static_cast<int>(std::count(text.begin(), end, '\n'));
}

int columnAt(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::size_t newline = offset == 0 ? std::string_view::npos : text.rfind('\n', offset - 1);
    const std::size_t lineStart = newline == std::string_view::npos ? 0 : newline + 1;
    // Characters, not bytes: a line of Chinese text counts each character once.
    int column = 1;
    for (std::size_t i = lineStart; i < offset; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return column;
}

} // namespace zorvane::calc
