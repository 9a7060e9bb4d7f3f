#pragma once
// Profile drawings as files: DXF (R12, AC1009: LINE, ARC and CIRCLE on named layers, drawing
// units millimetres) and SVG (1:1, the document measured in millimetres, one group per layer).

#include "core/profile/geometry.h"

#include <filesystem>
#include <string>

namespace zorvane::profile {

enum class FileFormat { Dxf, Svg };

std::string dxfText(const Drawing& drawing);
std::string svgText(const Drawing& drawing, const std::string& title);

// Writes the text into a file beside the target and renames it into place, so that a failed
// write leaves no half file. Throws ProfileError naming the file.
void writeFileWhole(const std::filesystem::path& target, const std::string& text);

} // namespace zorvane::profile
