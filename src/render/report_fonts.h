#pragma once
// The faces a report's font names stand for: Arial through the metric-compatible face the setup
// installs, 宋体 through the Chinese stand-ins of the windows. Chinese text in an Arial band
// falls back to the 宋体 stand-ins, as Windows links SimSun behind Arial.

#include <QStringList>

#include <string>

namespace zorvane::render {

QStringList reportFontFamilies(const std::string& family);

} // namespace zorvane::render
