#include "tools/dbbuild/formula_renderer.h"

#include "tools/common/png_chunks.h"

#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <deque>
#include <vector>

namespace zorvane::dbbuild {

namespace {

using Node = FormulaNode;
using Kind = FormulaNodeKind;

// 96 dpi, so that the picture carries the same physical size on every build.
constexpr int kDotsPerMeter = 3780;
// Scripts of scripts of scripts would become unreadable below this.
constexpr int kSmallestPixelSize = 7;

// One shape to draw, in the coordinates of the box that holds it (origin on the baseline at
// the left edge, y growing downwards). Text is drawn as its glyph outlines too: the glyph
// cache of QPainter::drawText leaves sub-pixel state in the font engine that shifts later
// outline measurements, so two renders of one source could lay out differently.
struct Ink {
    bool filled = true; // else stroked with penWidth
    QPainterPath path;
    qreal penWidth = 0;
};

struct Box {
    qreal width = 0;
    qreal ascent = 0;  // above the baseline
    qreal descent = 0; // below it
    // How far a slanted last glyph leans out past its advance: a superscript goes after it,
    // a subscript tucks under it.
    qreal italicCorrection = 0;
    bool hasInk = false;
    QRectF ink; // where pixels get drawn, which may stick out of the box
    std::vector<Ink> items;

    void addInk(const QRectF& rect) {
        ink = hasInk ? ink.united(rect) : rect;
        hasInk = true;
    }

    // Draws `child` with its baseline origin at (x, y) of this box. Metrics stay to the caller.
    void place(const Box& child, qreal x, qreal y) {
        for (Ink item : child.items) {
            item.path.translate(x, y);
            items.push_back(std::move(item));
        }
        if (child.hasInk) {
            addInk(child.ink.translated(x, y));
        }
    }

    void fill(const QPainterPath& path) {
        items.push_back(Ink{true, path, 0});
        addInk(path.boundingRect());
    }

    void stroke(const QPainterPath& path, qreal penWidth) {
        items.push_back(Ink{false, path, penWidth});
        const qreal half = penWidth / 2;
        addInk(path.boundingRect().adjusted(-half, -half, half, half));
    }
};

// Fonts and their measures at one script depth.
struct Level {
    QFont upright;
    QFont italic;
    QFontMetricsF uprightMetrics;
    QFontMetricsF italicMetrics;
    qreal em = 0;
    qreal axis = 0; // height of the middle of a plus sign: fraction bars and brackets centre on it
    qreal xHeight = 0;
    qreal capHeight = 0;
    qreal rule = 1; // thickness of fraction bars and root bars

    Level(const QFont& uprightFont, const QFont& italicFont)
        : upright(uprightFont), italic(italicFont), uprightMetrics(uprightFont),
          italicMetrics(italicFont) {
        em = upright.pixelSize();
        xHeight = uprightMetrics.xHeight();
        capHeight = uprightMetrics.capHeight();
        rule = std::max(1, qRound(em / 16));
        QPainterPath plus;
        plus.addText(0, 0, upright, QStringLiteral("+"));
        axis = plus.isEmpty() ? xHeight / 2 : -plus.boundingRect().center().y();
    }
};

bool isLatinLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

bool isOpening(char32_t c) {
    return c == U'(' || c == U'[';
}
bool isClosing(char32_t c) {
    return c == U')' || c == U']';
}
bool isBracket(char32_t c) {
    return isOpening(c) || isClosing(c);
}
bool isPair(char32_t open, char32_t close) {
    return (open == U'(' && close == U')') || (open == U'[' && close == U']');
}

QString fromUcs4(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QString resolveFamily(const QString& wanted) {
    if (QFontDatabase::hasFamily(wanted)) {
        return wanted;
    }
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    return chinese.isEmpty() ? wanted : chinese.front();
}

class Typesetter {
public:
    explicit Typesetter(const FormulaStyle& style)
        : style_(style), family_(resolveFamily(style.family)) {}

    // All lines, left-aligned; the first baseline is at y = 0.
    Box layout(const FormulaTree& tree) {
        const Level& main = level(0);
        // Every line is at least as tall as a capital and as deep as a descender, so that
        // pictures of one-line formulas share their height and blank lines still take room.
        const qreal strutAscent = main.capHeight;
        const qreal strutDescent = 0.2 * main.em;
        const qreal lineSpacing = std::round(main.uprightMetrics.lineSpacing());
        Box all;
        qreal baseline = 0;
        qreal previousDescent = 0;
        for (std::size_t i = 0; i < tree.lines.size(); ++i) {
            const Box line = layoutRow(tree.lines[i], 0);
            const qreal ascent = std::max(line.ascent, strutAscent);
            const qreal descent = std::max(line.descent, strutDescent);
            if (i == 0) {
                all.ascent = ascent;
            } else {
                baseline +=
                    std::max(lineSpacing, std::ceil(previousDescent + style_.lineGap + ascent));
            }
            all.place(line, 0, baseline);
            all.width = std::max(all.width, line.width);
            all.descent = baseline + descent;
            previousDescent = descent;
        }
        return all;
    }

private:
    // A run of the row: text, a group, a fraction... Ordinary round and square brackets are
    // kept apart so that a pair can grow around tall content such as a fraction.
    struct Piece {
        Box box;
        char32_t bracket = 0;
        const Node* scripts = nullptr; // scripts still to be put on this closing bracket
    };

    const FormulaStyle& style_;
    QString family_;
    std::deque<Level> levels_; // a deque keeps references stable while it grows

    const Level& level(int depth) {
        while (static_cast<int>(levels_.size()) <= depth) {
            const double scale = std::pow(style_.scriptScale, static_cast<double>(levels_.size()));
            QFont font(family_);
            font.setPixelSize(std::max(kSmallestPixelSize, qRound(style_.pixelSize * scale)));
            QFont italic = font;
            italic.setItalic(true);
            levels_.emplace_back(font, italic);
        }
        return levels_[static_cast<std::size_t>(depth)];
    }

    Box textBox(const QString& text, int depth, bool italic) {
        const Level& lv = level(depth);
        const QFont& font = italic ? lv.italic : lv.upright;
        const qreal advance =
            (italic ? lv.italicMetrics : lv.uprightMetrics).horizontalAdvance(text);
        Box box;
        box.width = advance;
        QPainterPath outline;
        outline.addText(0, 0, font, text);
        // Overlapping contours, common in Chinese glyphs, must not cancel out.
        outline.setFillRule(Qt::WindingFill);
        if (!outline.isEmpty()) {
            const QRectF bounds = outline.boundingRect();
            box.ascent = std::max<qreal>(0, -bounds.top());
            box.descent = std::max<qreal>(0, bounds.bottom());
            box.fill(outline);
            if (italic) {
                box.italicCorrection = std::max<qreal>(0, bounds.right() - advance);
                box.width += box.italicCorrection;
            }
        }
        return box;
    }

    // Text splits into runs: a Latin letter standing alone is a quantity and slants; words
    // (units, function names), digits, Greek and Chinese stay upright.
    void appendText(const std::string& utf8, int depth, std::vector<Piece>& pieces) {
        std::u32string text = QString::fromStdString(utf8).toStdU32String();
        // The hyphen of a text font is far too short for a minus.
        if (level(depth).uprightMetrics.inFontUcs4(U'\u2212')) {
            std::replace(text.begin(), text.end(), U'-', U'\u2212');
        }
        std::u32string upright;
        auto flush = [&] {
            if (!upright.empty()) {
                pieces.push_back(Piece{textBox(fromUcs4(upright), depth, false), 0, nullptr});
                upright.clear();
            }
        };
        std::size_t i = 0;
        while (i < text.size()) {
            if (isBracket(text[i])) {
                flush();
                pieces.push_back(
                    Piece{textBox(fromUcs4(text.substr(i, 1)), depth, false), text[i], nullptr});
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < text.size() && isLatinLetter(text[end])) {
                ++end;
            }
            if (end == i + 1) {
                flush();
                pieces.push_back(
                    Piece{textBox(fromUcs4(text.substr(i, 1)), depth, true), 0, nullptr});
            } else {
                end = std::max(end, i + 1);
                upright += text.substr(i, end - i);
            }
            i = end;
        }
        flush();
    }

    void appendPieces(const Node& item, int depth, std::vector<Piece>& pieces) {
        if (item.kind == Kind::Text) {
            appendText(item.text, depth, pieces);
            return;
        }
        if (item.kind == Kind::Scripts && item.children[0].kind == Kind::Text) {
            const std::u32string base =
                QString::fromStdString(item.children[0].text).toStdU32String();
            if (base.size() == 1 && isClosing(base[0])) {
                pieces.push_back(Piece{textBox(fromUcs4(base), depth, false), base[0], &item});
                return;
            }
        }
        pieces.push_back(Piece{layoutNode(item, depth), 0, nullptr});
    }

    Box joinPieces(std::vector<Piece>& pieces, int depth) {
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            Piece& piece = pieces[i];
            bool stretched = false;
            if (isOpening(piece.bracket)) {
                open.push_back(i);
            } else if (isClosing(piece.bracket) && !open.empty() &&
                       isPair(pieces[open.back()].bracket, piece.bracket)) {
                stretched = growPair(pieces, open.back(), i, depth);
                open.pop_back();
            }
            if (piece.scripts != nullptr) {
                piece.box =
                    attachScripts(std::move(piece.box), !stretched, piece.scripts->children[1],
                                  piece.scripts->children[2], depth);
            }
        }
        Box row;
        for (const Piece& piece : pieces) {
            row.place(piece.box, row.width, 0);
            row.width += piece.box.width;
            row.ascent = std::max(row.ascent, piece.box.ascent);
            row.descent = std::max(row.descent, piece.box.descent);
        }
        if (!pieces.empty()) {
            row.italicCorrection = pieces.back().box.italicCorrection;
        }
        return row;
    }

    // Makes the brackets at `first` and `last` enclose what lies between them when it is
    // taller than the glyphs. Returns whether they grew.
    bool growPair(std::vector<Piece>& pieces, std::size_t first, std::size_t last, int depth) {
        qreal innerAscent = 0;
        qreal innerDescent = 0;
        for (std::size_t k = first + 1; k < last; ++k) {
            innerAscent = std::max(innerAscent, pieces[k].box.ascent);
            innerDescent = std::max(innerDescent, pieces[k].box.descent);
        }
        const Box& glyph = pieces[first].box;
        if (innerAscent <= glyph.ascent + 1 && innerDescent <= glyph.descent + 1) {
            return false;
        }
        const Level& lv = level(depth);
        const qreal half = std::max(innerAscent - lv.axis, innerDescent + lv.axis) + 1;
        const qreal top = std::floor(-lv.axis - half);
        const qreal bottom = std::ceil(half - lv.axis);
        for (const std::size_t k : {first, last}) {
            pieces[k].box = tallBracket(pieces[k].bracket, top, bottom, pieces[k].box.width, lv);
        }
        return true;
    }

    // A bracket drawn as a shape from `top` to `bottom` (relative to the baseline).
    static Box tallBracket(char32_t bracket, qreal top, qreal bottom, qreal glyphWidth,
                           const Level& lv) {
        const qreal height = bottom - top;
        const qreal mid = (top + bottom) / 2;
        Box box;
        box.ascent = -top;
        box.descent = bottom;
        box.width = std::max(glyphWidth, 0.25 * lv.em + 0.05 * height);
        const bool mirrored = isClosing(bracket);
        auto x = [&](qreal fromLeft) { return mirrored ? box.width - fromLeft : fromLeft; };
        const qreal side = 1;
        QPainterPath path;
        if (bracket == U'(' || bracket == U')') {
            // A crescent: the outer curve bulges to the side, the inner one a stroke less.
            const qreal tip = box.width - side;
            const qreal thickness = 1.3 * lv.rule + 0.01 * height;
            path.moveTo(x(tip), top);
            path.quadTo(x(2 * side - tip), mid, x(tip), bottom);
            path.quadTo(x(2 * (side + thickness) - tip), mid, x(tip), top);
            path.closeSubpath();
        } else {
            const qreal stem = std::max<qreal>(1, std::round(1.2 * lv.rule));
            const qreal arm = box.width - 2 * side;
            const qreal left = mirrored ? box.width - side - stem : side;
            path.addRect(left, top, stem, height);
            path.addRect(side, top, arm, lv.rule);
            path.addRect(side, bottom - lv.rule, arm, lv.rule);
            path.setFillRule(Qt::WindingFill);
        }
        box.fill(path);
        return box;
    }

    Box layoutRow(const Node& row, int depth) {
        std::vector<Piece> pieces;
        for (const Node& item : row.children) {
            appendPieces(item, depth, pieces);
        }
        return joinPieces(pieces, depth);
    }

    Box layoutNode(const Node& node, int depth) {
        switch (node.kind) {
        case Kind::Text: {
            std::vector<Piece> pieces;
            appendText(node.text, depth, pieces);
            return joinPieces(pieces, depth);
        }
        case Kind::Row:
            return layoutRow(node, depth);
        case Kind::Scripts:
            return attachScripts(layoutNode(node.children[0], depth),
                                 node.children[0].kind == Kind::Text, node.children[1],
                                 node.children[2], depth);
        case Kind::Fraction:
            return layoutFraction(node, depth);
        case Kind::Sqrt:
            return layoutSqrt(node, depth);
        }
        return {};
    }

    // Sub- and superscript on `base`. A single glyph gets the fixed offsets; anything taller
    // (a group, a grown bracket) pushes its scripts out to its own top and bottom.
    Box attachScripts(Box base, bool glyphBase, const Node& sub, const Node& sup, int depth) {
        const Level& lv = level(depth);
        const bool hasSub = !sub.children.empty();
        const bool hasSup = !sup.children.empty();
        const Box subBox = hasSub ? layoutRow(sub, depth + 1) : Box{};
        const Box supBox = hasSup ? layoutRow(sup, depth + 1) : Box{};
        const qreal scriptEm = level(depth + 1).em;
        qreal up = 0;
        qreal down = 0;
        if (hasSup) {
            up = 0.42 * lv.em;
            if (!glyphBase) {
                up = std::max(up, base.ascent - 0.4 * scriptEm);
            }
            up = std::max(up, supBox.descent + lv.xHeight / 4);
        }
        if (hasSub) {
            down = (hasSup ? 0.25 : 0.2) * lv.em;
            if (!glyphBase) {
                down = std::max(down, base.descent + 0.1 * scriptEm);
            }
            down = std::max(down, subBox.ascent - 0.8 * lv.xHeight);
        }
        if (hasSub && hasSup) {
            const qreal gap = (up - supBox.descent) - (subBox.ascent - down);
            if (gap < 3 * lv.rule) {
                down += 3 * lv.rule - gap;
            }
        }
        up = std::round(up);
        down = std::round(down);

        Box out;
        out.place(base, 0, 0);
        out.width = base.width;
        out.ascent = base.ascent;
        out.descent = base.descent;
        const qreal scriptSpace = std::max<qreal>(1, std::round(0.05 * lv.em));
        if (hasSup) {
            out.place(supBox, base.width, -up);
            out.width = std::max(out.width, base.width + supBox.width + scriptSpace);
            out.ascent = std::max(out.ascent, up + supBox.ascent);
        }
        if (hasSub) {
            const qreal x = base.width - base.italicCorrection;
            out.place(subBox, x, down);
            out.width = std::max(out.width, x + subBox.width + scriptSpace);
            out.descent = std::max(out.descent, down + subBox.descent);
        }
        return out;
    }

    Box layoutFraction(const Node& node, int depth) {
        const Level& lv = level(depth);
        const Box num = layoutRow(node.children[0], depth);
        const Box den = layoutRow(node.children[1], depth);
        const qreal rule = lv.rule;
        const qreal gap = std::max<qreal>(2, std::round(0.15 * lv.em));
        const qreal overhang = std::max<qreal>(1, std::round(0.12 * lv.em));
        const qreal side = 1;
        // The bar sits on whole pixels so that it stays sharp.
        const qreal barTop = -std::round(lv.axis + rule / 2);
        // Shallow numerators and low denominators still keep one distance from the bar, so
        // that neighbouring fractions line up.
        const qreal numDescent = std::max(num.descent, 0.2 * lv.em);
        const qreal denAscent = std::max(den.ascent, lv.capHeight);
        const qreal numBaseline = std::floor(barTop - gap - numDescent);
        const qreal denBaseline = std::ceil(barTop + rule + gap + denAscent);
        const qreal inner = std::max(num.width, den.width);

        Box box;
        box.width = inner + 2 * overhang + 2 * side;
        box.place(num, side + overhang + (inner - num.width) / 2, numBaseline);
        box.place(den, side + overhang + (inner - den.width) / 2, denBaseline);
        QPainterPath bar;
        bar.addRect(side, barTop, inner + 2 * overhang, rule);
        box.fill(bar);
        box.ascent = std::max(-barTop, num.ascent - numBaseline);
        box.descent = std::max(barTop + rule, denBaseline + den.descent);
        return box;
    }

    Box layoutSqrt(const Node& node, int depth) {
        const Level& lv = level(depth);
        const Box radicand = layoutRow(node.children[0], depth);
        const qreal rule = lv.rule;
        const qreal clearance = std::round(rule + lv.xHeight / 4);
        const qreal ascent = std::ceil(std::max(radicand.ascent, lv.capHeight));
        const qreal descent = std::max(radicand.descent, 0.1 * lv.em);
        const qreal top = -(ascent + clearance + rule); // upper edge of the overbar
        const qreal bottom = std::ceil(descent + 1);    // lowest point of the sign
        const qreal height = bottom - top;
        const qreal signWidth = std::round(0.45 * lv.em + 0.06 * height);
        const qreal padLeft = 1;
        const qreal padRight = 2;
        const qreal barEnd = signWidth + padLeft + radicand.width + padRight;

        Box box;
        box.place(radicand, signWidth + padLeft, 0);
        // The sign: a short rising tick, a heavy stroke down, a light stroke up to the bar.
        const QPointF tickStart(0.5, top + 0.62 * height);
        const QPointF tickEnd(0.22 * signWidth, top + 0.52 * height);
        const QPointF foot(0.5 * signWidth, bottom);
        const QPointF peak(signWidth, top + rule / 2);
        QPainterPath sign;
        sign.moveTo(tickStart);
        sign.lineTo(tickEnd);
        sign.lineTo(foot);
        sign.lineTo(peak);
        box.stroke(sign, rule);
        const qreal heavy = 0.8 * rule;
        QPainterPath downStroke;
        downStroke.moveTo(tickEnd);
        downStroke.lineTo(tickEnd + QPointF(heavy, -heavy * 0.4));
        downStroke.lineTo(foot + QPointF(heavy * 0.5, 0));
        downStroke.lineTo(foot);
        downStroke.closeSubpath();
        box.fill(downStroke);
        QPainterPath bar;
        bar.addRect(signWidth - rule / 2, top, barEnd - signWidth + rule / 2, rule);
        box.fill(bar);

        box.width = barEnd + 1;
        box.ascent = -top;
        box.descent = std::max(radicand.descent, bottom + rule / 2);
        return box;
    }
};

} // namespace

QImage renderFormula(const std::string& source, const FormulaStyle& style) {
    const FormulaTree tree = parseFormula(source);
    Typesetter typesetter(style);
    const Box box = typesetter.layout(tree);

    QRectF content(0, -box.ascent, box.width, box.ascent + box.descent);
    if (box.hasInk) {
        content = content.united(box.ink);
    }
    // Whole-pixel offsets keep the baselines, and so the bars, on the pixel grid.
    const int originX = style.margin + static_cast<int>(std::ceil(-content.left()));
    const int originY = style.margin + static_cast<int>(std::ceil(-content.top()));
    const int width = originX + static_cast<int>(std::ceil(content.right())) + style.margin;
    const int height = originY + static_cast<int>(std::ceil(content.bottom())) + style.margin;

    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(originX, originY);
    for (const Ink& item : box.items) {
        if (item.filled) {
            painter.fillPath(item.path, Qt::black);
        } else {
            painter.strokePath(item.path, QPen(Qt::black, item.penWidth, Qt::SolidLine,
                                               Qt::RoundCap, Qt::RoundJoin));
        }
    }
    painter.end();
    return image;
}

QByteArray renderFormulaPng(const std::string& source, const FormulaStyle& style) {
    const QImage image = renderFormula(source, style);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        throw std::runtime_error("公式图片无法编码为 PNG：" + writer.errorString().toStdString());
    }
    buffer.close();
    return tools::withoutVolatileChunks(png);
}

} // namespace zorvane::dbbuild
