#include "tools/calc/json_places.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace zorvane::calc {

namespace {

struct Frame {
    bool object = false;
    std::string pointer;
    int index = 0;
    bool expectKey = true;
    std::string key;
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

std::vector<JsonPlace> jsonPlaces(std::string_view text) {
    std::vector<JsonPlace> places;
    std::vector<Frame> stack;
    // The pointer of a value starting here; array elements are placed where they begin.
    auto valueStarts = [&](std::size_t at) {
        if (stack.empty()) {
            return std::string();
        }
        Frame& frame = stack.back();
        if (frame.object) {
            return frame.pointer + "/" + pointerToken(frame.key);
        }
        std::string pointer = frame.pointer + "/" + std::to_string(frame.index);
        places.push_back({pointer, at});
        return pointer;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isSpace(c) || c == ':') {
            ++i;
        } else if (c == '{' || c == '[') {
            std::string pointer = valueStarts(i);
            Frame frame;
            frame.object = c == '{';
            frame.pointer = std::move(pointer);
            stack.push_back(std::move(frame));
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
                frame.key = decodedString(text.substr(i, end - i));
                frame.expectKey = false;
                places.push_back({frame.pointer + "/" + pointerToken(frame.key), i});
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
    return places;
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
