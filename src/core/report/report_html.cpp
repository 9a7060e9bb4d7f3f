#include "core/report/report_writers.h"
#include "core/text/markup.h"

#include <cstdio>

namespace zorvane::report {

namespace {

// Escaped text whose line breaks stay line breaks.
std::string escapedLines(std::string_view text) {
    std::string out;
    for (char c : text::escapeMarkup(text)) {
        if (c == '\n') {
            out += "<br>";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string base64(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n = (std::uint32_t{bytes[i]} << 16) |
                                (i + 1 < bytes.size() ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                (i + 2 < bytes.size() ? std::uint32_t{bytes[i + 2]} : 0);
        out += kDigits[(n >> 18) & 63];
        out += kDigits[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
    }
    return out;
}

// The media type of a picture by its first bytes.
const char* mediaType(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' &&
        bytes[3] == 'G') {
        return "image/png";
    }
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
        return "image/jpeg";
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return "image/bmp";
    }
    return "application/octet-stream";
}

std::string css(const TextStyle& style) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(style.colour & 0xFFFFFF));
    const std::string family = style.family == kSongti ? "'宋体', SimSun, 'AR PL UMing CN', serif"
                                                       : "Arial, 'Liberation Sans', sans-serif";
    return "font-family: " + family + "; font-size: " + std::to_string(style.pointSize) +
           "pt; font-weight: " + (style.bold ? "bold" : "normal") + "; color: " + colour + ";";
}

const char* textAlign(Align align) {
    switch (align) {
    case Align::Centre:
        return "center";
    case Align::Right:
        return "right";
    case Align::Left:
        break;
    }
    return "left";
}

std::string cellHtml(const Section& section, const Column& column, const Cell& cell) {
    std::string style = css(column.style) + " text-align: " + textAlign(column.align) + ";";
    if (column.kind == CellKind::Picture) {
        if (cell.picture.empty()) {
            return "<td style=\"" + style + "\"></td>";
        }
        char size[96];
        std::snprintf(size, sizeof size, "max-width: %gmm; max-height: %gmm;",
                      section.pictureWidthMm, section.pictureHeightMm);
        return "<td style=\"" + style + "\"><img alt=\"" +
               text::escapeMarkup(compactCaption(column.caption)) + "\" style=\"" + size +
               "\" src=\"data:" + mediaType(cell.picture) + ";base64," + base64(cell.picture) +
               "\"></td>";
    }
    std::string text = escapedLines(cell.text);
    if (cell.lineBreak && *cell.lineBreak < cell.text.size()) {
        text = text::escapeMarkup(cell.text.substr(0, *cell.lineBreak)) + "<br>" +
               text::escapeMarkup(cell.text.substr(*cell.lineBreak + 1));
    }
    return "<td style=\"" + style + "\">" + text + "</td>";
}

void appendSection(std::string& out, const Section& section) {
    out += "<section id=\"" + text::escapeMarkup(section.name) + "\">\n";
    if (section.title.ruleAbove) {
        out += "<hr class=\"rule\">\n";
    }
    out += "<h2 style=\"" + css(section.title.style) + "\">" +
           text::escapeMarkup(section.title.text) + "</h2>\n";
    out += section.title.heavyRuleBelow ? "<hr class=\"heavy\">\n" : "";
    out += "<table>\n<colgroup>";
    for (const Column& column : section.columns) {
        out += "<col style=\"width: " + std::to_string(column.widthPercent) + "%\">";
    }
    out += "</colgroup>\n";
    // A header group repeats at the top of every printed page; a caption band does not.
    out += section.columnHeader ? "<thead>" : "<tbody>";
    out += "<tr class=\"captions\">";
    for (const Column& column : section.columns) {
        out += "<th style=\"" + css(column.captionStyle) + "\">" +
               text::escapeMarkup(column.caption) + "</th>";
    }
    out += "</tr>";
    out += section.columnHeader ? "</thead>\n<tbody>\n" : "\n";
    for (const ReportRow& row : section.rows) {
        out += "<tr>";
        for (std::size_t c = 0; c < section.columns.size(); ++c) {
            out += cellHtml(section, section.columns[c], row[c]);
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n</section>\n";
}

} // namespace

std::string toHtml(const Document& document) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        text::escapeMarkup(document.caption) +
        "</title>\n<style>\n"
        "@page { size: A4 portrait; margin: 10mm; }\n"
        "body { margin: 10mm auto; max-width: 190mm; }\n"
        "h2 { text-align: center; margin: 4mm 0 2mm; }\n"
        "hr.rule { border: 0; border-top: 1px solid black; }\n"
        "hr.heavy { border: 0; border-top: 3px solid black; }\n"
        "table { width: 100%; border-collapse: collapse; table-layout: fixed; }\n"
        "th, td { border: 1px solid black; padding: 1mm 1.5mm; vertical-align: top;"
        " overflow-wrap: anywhere; }\n"
        "tr.captions th { border-top: 3px solid black; }\n"
        "thead { display: table-header-group; }\n"
        "</style>\n</head>\n<body>\n";
    for (const Section& section : document.sections) {
        appendSection(out, section);
    }
    return out + "</body>\n</html>\n";
}

} // namespace zorvane::report
