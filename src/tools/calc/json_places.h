#pragma once
// Where the keys and array elements of a JSON text begin. The JSON library reports the position
// of a syntax error only, so the scenario messages find the line of an offending key here.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::calc {

struct JsonPlace {
    std::string pointer; // JSON pointer of the value: "/initial/edtPower", "/answers/0"
    std::size_t offset;  // of the key, or of the element's first character
};

// The places in text order. The scan stops quietly at the first thing that is no JSON, so that a
// text with a syntax error still yields the places before it.
std::vector<JsonPlace> jsonPlaces(std::string_view text);

// The 1-based line and column of a byte offset.
int lineAt(std::string_view text, std::size_t offset);
int columnAt(std::string_view text, std::size_t offset);

// A JSON pointer token with "~" and "/" escaped.
std::string pointerToken(std::string_view key);

} // namespace zorvane::calc
