#include "tools/dbbuild/formula_markup.h"
#include "tools/dbbuild/formula_renderer.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using zorvane::dbbuild::describeFormula;
using zorvane::dbbuild::FormulaStyle;
using zorvane::dbbuild::FormulaSyntaxError;
using zorvane::dbbuild::parseFormula;
using zorvane::dbbuild::renderFormula;
using zorvane::dbbuild::renderFormulaPng;

// ---- Markup ----

struct ParseCase {
    const char* source;
    const char* tree;
};

TEST(FormulaMarkup, BuildsTheTree) {
    const ParseCase cases[] = {
        {"v = 2", R"("v = 2")"},
        {"P_d", R"("P"_{"d"})"},
        {"ab_c", R"("a" "b"_{"c"})"},
        {"α_1", R"("α"_{"1"})"},
        {"K_{max}", R"("K"_{"max"})"},
        {"x^2", R"("x"^{"2"})"},
        {"z_1^2", R"("z"_{"1"}^{"2"})"},
        {"z^2_1", R"("z"_{"1"}^{"2"})"},
        {"(a)^2", R"~("(a" ")"^{"2"})~"},
        {"{ab}_c d", R"({"ab"}_{"c"} " d")"},
        {"a{b}c", R"("a" {"b"} "c")"},
        {"\\frac{a}{b}", R"(\frac{"a"}{"b"})"},
        {"\\frac{}{b}", R"(\frac{}{"b"})"},
        {"\\sqrt{x}", R"(\sqrt{"x"})"},
        {"\\sqrt{\\frac{z_1}{2π}^2}", R"(\sqrt{\frac{"z"_{"1"}}{"2π"}^{"2"}})"},
        {"x^{\\frac{1}{2}}", R"("x"^{\frac{"1"}{"2"}})"},
        {"\\{a\\}\\_\\^\\\\", R"("{a}_^\\")"},
        {"x_\\{", R"("x"_{"{"})"},
        {"a\nb_1", "\"a\"\n\"b\"_{\"1\"}"},
        {"a\r\nb", "\"a\"\n\"b\""},
        {"a\n\nb", "\"a\"\n\n\"b\""},
        {"", ""},
        {"F_Q ≈ K_Q F_t（水平传动）", R"("F"_{"Q"} " ≈ " "K"_{"Q"} " " "F"_{"t"} "（水平传动）")"},
        {"P_d = \\frac{K_A K_z P}{K_p}",
         R"("P"_{"d"} " = " \frac{"K"_{"A"} " " "K"_{"z"} " P"}{"K"_{"p"}})"},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(describeFormula(parseFormula(c.source)), c.tree) << c.source;
    }
}

struct ErrorCase {
    const char* source;
    int line;
    int column;
    const char* phrase;
};

TEST(FormulaMarkup, RejectsMalformedSources) {
    const ErrorCase cases[] = {
        {"a{b", 1, 4, "缺少 }"},
        {"\\frac{a}{b", 1, 11, "缺少 }"},
        {"{a\nb}", 1, 3, "缺少 }"},
        {"a}b", 1, 2, "多了一个 }"},
        {"\\frac{a}b", 1, 9, "分母"},
        {"\\frac a", 1, 6, "分子"},
        {"\\frac", 1, 6, "分子"},
        {"\\sqrt x", 1, 6, "被开方数"},
        {"\\alpha", 1, 1, "未知的命令 \\alpha"},
        {"a\\,b", 1, 2, "未知的命令 \\,"},
        {"a\\", 1, 2, "\\ 后面缺少"},
        {"x_", 1, 2, "_ 后面缺少下标"},
        {"x^", 1, 2, "^ 后面缺少上标"},
        {"x_ y", 1, 2, "_ 后面缺少下标"},
        {"{x_}", 1, 3, "_ 后面缺少下标"},
        {"x^_1", 1, 2, "^ 后面缺少上标"},
        {"α_", 1, 2, "_ 后面缺少下标"},
        {"_1", 1, 1, "前面缺少底数"},
        {"a ^2", 1, 3, "^ 前面缺少底数"},
        {"x_1_2", 1, 4, "重复"},
        {"a\nx^", 2, 2, "^ 后面缺少上标"},
        {"\xff", 1, 1, "UTF-8"},
        {"a\xe6\xb0", 1, 2, "UTF-8"},
        {"\xc0\xaf", 1, 1, "UTF-8"},
    };
    for (const ErrorCase& c : cases) {
        try {
            parseFormula(c.source);
            ADD_FAILURE() << "accepted: " << c.source;
        } catch (const FormulaSyntaxError& e) {
            const std::string message = e.what();
            EXPECT_EQ(e.line(), c.line) << c.source;
            EXPECT_EQ(e.column(), c.column) << c.source;
            EXPECT_NE(message.find(c.phrase), std::string::npos) << message;
            const std::string where = std::string(c.source).find('\n') == std::string::npos
                                          ? "公式源第 " + std::to_string(c.column) + " 个字符处"
                                          : "公式源第 " + std::to_string(c.line) + " 行第 " +
                                                std::to_string(c.column) + " 个字符处";
            EXPECT_EQ(message.rfind(where, 0), 0u) << message;
        }
    }
}

// ---- Pictures ----

bool isInk(QRgb pixel) {
    return qGray(pixel) < 250;
}

// Rows [top, bottom] and columns [left, right] that hold ink; left > right when there is none.
struct InkBounds {
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

InkBounds inkBounds(const QImage& image, int fromColumn = 0, int toColumn = 1 << 20) {
    InkBounds b;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = fromColumn; x < image.width() && x <= toColumn; ++x) {
            if (isInk(image.pixel(x, y))) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
        }
    }
    return b;
}

const char* const kSamples[] = {
    "P_d = \\frac{K_A K_z P}{K_p}",
    "L_p = \\frac{2a_0}{p} + \\frac{z_1+z_2}{2} + \\frac{p}{a_0}(\\frac{z_2-z_1}{2π})^2",
    "a = \\frac{p}{4}[(L_p - \\frac{z_1+z_2}{2}) + "
    "\\sqrt{(L_p-\\frac{z_1+z_2}{2})^2 - 8(\\frac{z_2-z_1}{2π})^2}]",
    "F_Q ≈ K_Q F_t（水平传动）\nf ≤ 0.02a",
    "x^{y^{z^{w}}}_{i_{j_k}}",
};

// Text drawn elsewhere in the process at sub-pixel positions, which leaves state behind in
// the font engine.
void drawUnrelatedText() {
    QImage scratch(200, 40, QImage::Format_RGB32);
    QPainter painter(&scratch);
    for (const bool italic : {false, true}) {
        QFont font(FormulaStyle{}.family);
        font.setPixelSize(FormulaStyle{}.pixelSize);
        font.setItalic(italic);
        painter.setFont(font);
        painter.drawText(QPointF(10.37, 20), QStringLiteral("abcdefgh KPz 水平"));
    }
}

TEST(FormulaPicture, SameSourceGivesSameBytes) {
    for (const char* source : kSamples) {
        const QByteArray first = renderFormulaPng(source);
        drawUnrelatedText();
        EXPECT_EQ(renderFormulaPng(source), first) << source;
    }
}

TEST(FormulaPicture, PngDecodesToThePicture) {
    for (const char* source : kSamples) {
        const QImage image = renderFormula(source);
        const QByteArray png = renderFormulaPng(source);
        const QImage decoded = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(decoded.isNull()) << source;
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(decoded.size(), image.size()) << source;
        EXPECT_EQ(decoded, image) << source;
    }
}

TEST(FormulaPicture, PngHasNoTextOrTimeChunks) {
    const QByteArray png = renderFormulaPng(kSamples[3]);
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    std::vector<QByteArray> types;
    for (qsizetype pos = 8; pos + 12 <= png.size();) {
        const auto byte = [&](qsizetype i) {
            return static_cast<quint32>(static_cast<unsigned char>(png[pos + i]));
        };
        const quint32 length = (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        types.push_back(png.mid(pos + 4, 4));
        pos += 12 + static_cast<qsizetype>(length);
    }
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types.front(), "IHDR");
    EXPECT_EQ(types.back(), "IEND");
    for (const QByteArray& type : types) {
        EXPECT_TRUE(type != "tEXt" && type != "zTXt" && type != "iTXt" && type != "tIME")
            << type.constData();
    }
}

TEST(FormulaPicture, InkStaysInsideTheMargins) {
    const char* const sources[] = {"f",         "(f)", "\\frac{f}{g}", "\\sqrt{y}",
                                   "x^{2^{2}}", "水",  "j_p"};
    for (const char* source : sources) {
        const QImage image = renderFormula(source);
        const InkBounds ink = inkBounds(image);
        ASSERT_LE(ink.left, ink.right) << source << ": no ink";
        // Antialiasing may reach a pixel past the outlines; the rest of the margin is white.
        const int clear = FormulaStyle{}.margin - 2;
        EXPECT_GE(ink.left, clear) << source;
        EXPECT_GE(ink.top, clear) << source;
        EXPECT_LT(ink.right, image.width() - clear) << source;
        EXPECT_LT(ink.bottom, image.height() - clear) << source;
    }
}

TEST(FormulaPicture, StackedConstructsAreTaller) {
    const int line = renderFormula("a/b").height();
    EXPECT_GT(renderFormula("\\frac{a}{b}").height(), line + 10);
    EXPECT_GT(renderFormula("\\frac{\\frac{a}{b}}{c}").height(),
              renderFormula("\\frac{a}{b}").height() + 10);
    EXPECT_GT(renderFormula("a\nb").height(), renderFormula("a").height() + 12);
    EXPECT_GT(renderFormula("a\nb\nc").height(), renderFormula("a\nb").height() + 12);
    EXPECT_GT(renderFormula("x^2").height(), renderFormula("x").height());
    EXPECT_GT(renderFormula("\\sqrt{x}").height(), renderFormula("x").height());
}

TEST(FormulaPicture, LinesAreLeftAlignedAndTheWidestDecides) {
    const QImage both = renderFormula("abcdef\nx");
    EXPECT_EQ(both.width(), renderFormula("abcdef").width());
    EXPECT_EQ(renderFormula("x\nabcdef").width(), both.width());
    // Both lines start at the same column.
    const QImage lines = renderFormula("H\nH");
    const int middle = lines.height() / 2;
    EXPECT_EQ(inkBounds(lines.copy(0, 0, lines.width(), middle)).left,
              inkBounds(lines.copy(0, middle, lines.width(), lines.height() - middle)).left);
}

TEST(FormulaPicture, ScriptsAreSmallAndStack) {
    const auto width = [](const char* source) { return renderFormula(source).width(); };
    EXPECT_GT(width("x_1"), width("x"));
    EXPECT_LT(width("x_1"), width("x1")); // a smaller digit
    EXPECT_GT(width("x_{12}"), width("x_1") + 3);
    // Sub- and superscript sit above each other, not side by side.
    EXPECT_LE(width("x_1^2"), width("x_1") + 3);
    EXPECT_EQ(width("x_1^2"), width("x^2_1"));
}

TEST(FormulaPicture, BracketsGrowAroundFractions) {
    for (const char* source : {"(\\frac{a}{b})", "[\\frac{a}{b}]^2"}) {
        const QImage image = renderFormula(source);
        const InkBounds all = inkBounds(image);
        const InkBounds bracket = inkBounds(image, all.left, all.left + 2);
        EXPECT_GE(bracket.bottom - bracket.top, (all.bottom - all.top) * 8 / 10) << source;
    }
    // A bracket around ordinary text keeps the size of the text.
    EXPECT_EQ(renderFormula("(a)").height(), renderFormula("a").height());
}

TEST(FormulaPicture, StyleIsHonoured) {
    FormulaStyle big;
    big.pixelSize = 32;
    const int margins = 2 * FormulaStyle{}.margin;
    const QImage small = renderFormula("\\frac{a}{b}");
    const QImage large = renderFormula("\\frac{a}{b}", big);
    EXPECT_GT(large.height() - margins, (small.height() - margins) * 17 / 10);

    FormulaStyle missing;
    missing.family = QStringLiteral("没有这种字体");
    const QImage fallback = renderFormula("水平传动", missing);
    EXPECT_GT(fallback.width(), 4 * 12);
    EXPECT_LE(inkBounds(fallback).left, inkBounds(fallback).right);
}

TEST(FormulaPicture, MalformedSourceThrows) {
    EXPECT_THROW(renderFormulaPng("\\frac{a}"), FormulaSyntaxError);
}

} // namespace
