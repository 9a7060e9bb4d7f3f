#pragma once
// The Chinese font names the windows use, mapped to the installed fonts.

namespace zorvane::app {

void installChineseFontSubstitutes();

} // namespace zorvane::app
