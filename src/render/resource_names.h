#pragma once
// Where the program finds its pictures. They are drawn at build time; most are compiled into the
// program as Qt resources under the prefix ":/artwork/", the sprocket drawings are files of the
// database directory. This header needs no Qt and may be included by the windows as well as by
// the drawing tools.

#include <array>
#include <string_view>

namespace zorvane::render {

inline constexpr std::string_view kResourcePrefix = ":/artwork/";

// 423 x 318: the picture of the start-up window. An uncompressed bitmap: it is read before the
// main window is built, where decoding a PNG of this size would hold up the start.
inline constexpr std::string_view kSplash = ":/artwork/splash.bmp";
// 64 x 64: the window and task bar icon.
inline constexpr std::string_view kAppIcon = ":/artwork/app-icon.png";

// 24 x 24, for the 26 x 26 flat buttons of the second tool bar, in the order of its image list:
// 0 new, 1 open, 2 save, 3 close, 4 query, 5 exit, 6 result report, 7 history report.
inline constexpr std::array<std::string_view, 8> kToolBarIcons{
    ":/artwork/icon-new.png",           ":/artwork/icon-open.png",
    ":/artwork/icon-save.png",          ":/artwork/icon-close.png",
    ":/artwork/icon-query.png",         ":/artwork/icon-exit.png",
    ":/artwork/icon-result-report.png", ":/artwork/icon-history-report.png"};

// 16 x 16, the image list of the reference tree: 0 open folder, 1 closed folder, 2 table,
// 3 marker of the table being shown (a state picture).
inline constexpr std::array<std::string_view, 4> kTreeImages{
    ":/artwork/tree-open.png", ":/artwork/tree-closed.png", ":/artwork/tree-table.png",
    ":/artwork/tree-marker.png"};

// 361 x 63, on the roller tooth-count panel: the recommended small sprocket tooth counts by chain
// speed.
inline constexpr std::string_view kZ1SpeedTable = ":/artwork/z1-speed-table.png";

// The sprocket drawings are files of the database directory, written there by the build.
inline constexpr std::string_view kRollerSprocketDrawing = "RWheel.bmp";
inline constexpr std::string_view kToothedSprocketDrawing = "DWheel.bmp";

} // namespace zorvane::render
