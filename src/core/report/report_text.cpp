#include "core/report/report_writers.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zorvane::report {

namespace {

constexpr std::size_t kExplanationIndent = 4;
constexpr std::size_t kExplanationWidth = 76;

// The code point at `at` and its length in bytes; a stray byte counts as one character.
std::pair<std::uint32_t, std::size_t> decode(std::string_view s, std::size_t at) {
    const auto b = static_cast<unsigned char>(s[at]);
    const std::size_t length = b < 0x80         ? 1
                               : (b >> 5) == 6  ? 2
                               : (b >> 4) == 14 ? 3
                               : (b >> 3) == 30 ? 4
                                                : 1;
    if (at + length > s.size() || length == 1) {
        return {b, 1};
    }
    std::uint32_t code = b & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        code = (code << 6) | (static_cast<unsigned char>(s[at + i]) & 0x3F);
    }
    return {code, length};
}

bool wide(std::uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::string padded(const std::string& text, std::size_t width, Align align) {
    const std::size_t have = displayWidth(text);
    const std::size_t gap = width > have ? width - have : 0;
    switch (align) {
    case Align::Right:
        return std::string(gap, ' ') + text;
    case Align::Centre:
        return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
    case Align::Left:
        break;
    }
    return text + std::string(gap, ' ');
}

std::string rightTrimmed(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// Chinese punctuation that does not begin a line, and the brackets that do not end one.
constexpr std::array<std::uint32_t, 13> kNoLineStart{0x3001, 0x3002, 0xFF0C, 0xFF1B, 0xFF1A,
                                                     0xFF1F, 0xFF01, 0xFF09, 0x300B, 0x300D,
                                                     0x300F, 0x3011, 0xFF05};
constexpr std::array<std::uint32_t, 5> kNoLineEnd{0xFF08, 0x300A, 0x300C, 0x300E, 0x3010};

bool among(std::uint32_t code, const auto& table) {
    return std::find(table.begin(), table.end(), code) != table.end();
}

// What a line may break between: a run of narrow characters without blanks (a word, a number, a
// formula) stays whole; a wide character is a piece of its own, as Chinese text breaks between
// any two characters, except where its punctuation binds it to its neighbour.
struct Piece {
    std::string text;
    std::size_t width = 0;
    bool blankBefore = false;
    bool wideEnd = false;   // ends in a wide character: a narrow one starts a new piece
    bool bindsNext = false; // ends in an opening bracket
};

std::vector<Piece> pieces(std::string_view paragraph) {
    std::vector<Piece> out;
    bool blank = false;
    for (std::size_t at = 0; at < paragraph.size();) {
        const auto [code, length] = decode(paragraph, at);
        const std::string_view character = paragraph.substr(at, length);
        at += length;
        if (code == '\r') {
            continue;
        }
        if (code == ' ' || code == '\t') {
            blank = true;
            continue;
        }
        const bool isWide = wide(code);
        const bool joins =
            !out.empty() && !blank &&
            (out.back().bindsNext || (isWide ? among(code, kNoLineStart) : !out.back().wideEnd));
        if (!joins) {
            out.push_back({{}, 0, blank && !out.empty(), false, false});
        }
        Piece& piece = out.back();
        piece.text += character;
        piece.width += isWide ? 2 : 1;
        piece.wideEnd = isWide;
        piece.bindsNext = among(code, kNoLineEnd);
        blank = false;
    }
    return out;
}

// Lines of at most `width` columns, broken only between pieces; a piece wider than a line has
// one of its own. A line break in the text starts a new line.
std::vector<std::string> wrapped(std::string_view text, std::size_t width) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view paragraph = text.substr(start, end - start);
        lines.emplace_back();
        std::size_t used = 0;
        for (const Piece& piece : pieces(paragraph)) {
            const std::size_t gap = piece.blankBefore && used > 0 ? 1 : 0;
            if (used > 0 && used + gap + piece.width > width) {
                lines.emplace_back();
                used = 0;
            } else if (gap) {
                lines.back() += ' ';
                used += gap;
            }
            lines.back() += piece.text;
            used += piece.width;
        }
        start = end + 1;
    }
    return lines;
}

void appendSection(std::string& out, const Section& section) {
    std::vector<const Column*> columns;
    std::vector<std::size_t> printed;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        if (section.columns[c].kind == CellKind::Text) {
            columns.push_back(&section.columns[c]);
            printed.push_back(c);
        }
    }
    std::vector<std::size_t> widths;
    for (const Column* column : columns) {
        widths.push_back(displayWidth(column->caption));
    }
    for (const ReportRow& row : section.rows) {
        for (std::size_t i = 0; i < printed.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[printed[i]].text));
        }
    }
    std::size_t total = 0;
    for (std::size_t w : widths) {
        total += w;
    }
    total += 2 * (widths.empty() ? 0 : widths.size() - 1);
    total = std::max(total, displayWidth(section.title.text));

    auto line = [&](const std::vector<std::string>& cells, bool captions) {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += (i ? "  " : "") +
                    padded(cells[i], widths[i], captions ? Align::Centre : columns[i]->align);
        }
        out += rightTrimmed(text) + '\n';
    };

    if (section.title.ruleAbove) {
        out += std::string(total, '-') + '\n';
    }
    out += rightTrimmed(padded(section.title.text, total, Align::Centre)) + '\n';
    // The heavy rule below the title, or the one above the captions.
    out += std::string(total, '=') + '\n';
    std::vector<std::string> captions;
    for (const Column* column : columns) {
        captions.push_back(column->caption);
    }
    line(captions, true);
    out += std::string(total, '-') + '\n';
    const auto explanation =
        std::find_if(section.columns.begin(), section.columns.end(),
                     [](const Column& c) { return c.kind == CellKind::RichText; });
    for (const ReportRow& row : section.rows) {
        std::vector<std::string> cells;
        for (std::size_t c : printed) {
            cells.push_back(row[c].text);
        }
        line(cells, false);
        if (explanation != section.columns.end()) {
            const auto& text =
                row[static_cast<std::size_t>(explanation - section.columns.begin())].text;
            for (const std::string& paragraph : wrapped(text, kExplanationWidth)) {
                out += rightTrimmed(std::string(kExplanationIndent, ' ') + paragraph) + '\n';
            }
            out += '\n';
        }
    }
    out += std::string(total, '-') + '\n';
}

} // namespace

std::size_t displayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto [code, length] = decode(utf8, at);
        width += wide(code) ? 2 : 1;
        at += length;
    }
    return width;
}

std::string compactCaption(std::string_view caption) {
    std::string compact;
    for (char c : caption) {
        if (c != ' ') {
            compact += c;
        }
    }
    return compact;
}

std::string toText(const Document& document) {
    std::string out;
    for (std::size_t i = 0; i < document.sections.size(); ++i) {
        if (i > 0) {
            out += '\n';
        }
        appendSection(out, document.sections[i]);
    }
    return out;
}

} // namespace zorvane::report
