#pragma once
// Where the keys and array elements of a JSON text begin. The JSON library reports the position
// of a syntax error only, so the scenario messages find the line of an offending key here.
// The places form a tree (each names its parent), so that the scan takes time and memory in
// proportion to the text however deep it nests.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::calc {

struct JsonPlace {
    static constexpr std::size_t kTop = static_cast<std::size_t>(-1);
    std::size_t parent; // the place of the enclosing value, or kTop
    std::string token;  // the key, or the element's index
    bool key;           // a key of an object (an array element otherwise)
    std::size_t offset; // of the key, or of the element's first character
};

struct JsonScan {
    std::vector<JsonPlace> places; // in text order
    // The offset of the first bracket that opens more than `maxDepth` levels; the scan stops there.
    std::optional<std::size_t> tooDeepAt;
};

// The scan stops quietly at the first thing that is no JSON, so that a text with a syntax error
// still yields the places before it.
JsonScan scanJson(std::string_view text, int maxDepth);

// The JSON pointer of a place: "/initial/edtPower", "/answers/0".
std::string pointerOf(const std::vector<JsonPlace>& places, std::size_t index);

// The last place whose pointer is `pointer`, or nothing.
std::optional<std::size_t> findPlace(const std::vector<JsonPlace>& places,
                                     std::string_view pointer);

// The first key that repeats a key of the same object, or nothing; linear in the places.
std::optional<std::size_t> firstDuplicateKey(const std::vector<JsonPlace>& places);

// The 1-based line and column of a byte offset.
int lineAt(std::string_view text, std::size_t offset);
int columnAt(std::string_view text, std::size_t offset);

// A JSON pointer token with "~" and "/" escaped.
std::string pointerToken(std::string_view key);

} // namespace zorvane::calc
