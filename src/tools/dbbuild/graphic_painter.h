#pragma once
// The pictures of graphic fields: "@name" is a drawing of the artwork tool, anything else a
// formula source.

#include <string>
#include <vector>

namespace zorvane::dbbuild {

// PNG bytes of the picture; throws std::exception for an unknown drawing or a bad formula.
std::vector<unsigned char> paintGraphic(const std::string& source);

} // namespace zorvane::dbbuild
