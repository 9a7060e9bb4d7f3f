#pragma once
// What a report prints, without any window or printer: the sections of a report in order, each
// with its title band, its columns (caption, field, fonts, colours) and the rows read from its
// working table. The window's preview, the PDF writer and the text, CSV and HTML writers all
// print from this one description.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvane::report {

// The reports of a design: the combined report and the four single ones.
enum class ReportId { Combined, Init, Result, Size, History };

// Colours as 0xRRGGBB, the named colours the bands use.
namespace colour {
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kMaroon = 0x800000;
constexpr std::uint32_t kPurple = 0x800080;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kGreen = 0x008000;
} // namespace colour

// Font names as the bands ask for them; the renderer maps them onto installed faces.
constexpr const char* kArial = "Arial";
constexpr const char* kSongti = "宋体";

struct TextStyle {
    std::string family = kArial;
    int pointSize = 14;
    bool bold = false;
    std::uint32_t colour = colour::kBlack;

    bool operator==(const TextStyle&) const = default;
};

enum class Align { Left, Centre, Right };
// A text field, a picture field (formula pictures) or a memo printed as rich text.
enum class CellKind { Text, Picture, RichText };

struct Column {
    std::string caption; // as printed, with its spacing
    TextStyle captionStyle;
    std::string field; // the field of the working table
    TextStyle style;
    CellKind kind = CellKind::Text;
    int widthPercent = 0; // share of the printable width
    Align align = Align::Left;
};

struct Cell {
    std::string text;                     // text and rich-text cells
    std::vector<std::uint8_t> picture;    // picture cells: the image file's bytes, empty if none
    std::optional<std::size_t> lineBreak; // byte offset of the blank the printout breaks at
};

using ReportRow = std::vector<Cell>;

struct Title {
    std::string text;
    TextStyle style;
    bool ruleAbove = false;
    bool heavyRuleBelow = false;
};

struct Section {
    std::string name;  // the report's object name, qrpInit ...
    std::string table; // the working table it prints
    Title title;
    std::vector<Column> columns;
    // The column header band prints the captions at the top of each page (and so at the start
    // of the section); the caption band prints them once before the first row.
    bool columnHeader = false;
    bool captionBand = false;
    std::vector<ReportRow> rows;
    // The size pictures print at, in millimetres (history only).
    double pictureWidthMm = 0;
    double pictureHeightMm = 0;
};

// Every page: A4 portrait with the same margin on all sides.
constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;
constexpr double kPageMarginMm = 10;

struct Document {
    ReportId id = ReportId::Combined;
    std::string name; // qrcInitRst_Rep, qrpInit, ...
    std::string caption; // the caption of the report form: 设计结果报表 or 历史记录结果报表
    std::vector<Section> sections;
};

} // namespace zorvane::report
