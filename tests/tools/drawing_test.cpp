// The sprocket drawings of the database directory, the drawings of the reference browser, the
// tooth-count table picture and the drafting helpers they are drawn with.

#include "render/resource_names.h"
#include "support/temp_dir.h"
#include "support/workspace.h"
#include "tools/artwork/artwork.h"
#include "tools/artwork/drafting.h"
#include "tools/artwork/paint_kit.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
namespace drafting = zorvane::artwork::drafting;
using zorvane::artwork::DatabaseDrawing;
using zorvane::artwork::databaseDrawings;
using zorvane::artwork::encodeBmp;

quint32 le32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Pixels in `area` that are neither paper nor anti-aliasing fringe.
int inkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += qGray(image.pixel(x, y)) < 150 ? 1 : 0;
        }
    }
    return ink;
}

// Pixels of the dimension ink: clearly blue, whatever the anti-aliasing did to them.
int dimensionInkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ink += qBlue(pixel) > qRed(pixel) + 50 ? 1 : 0;
        }
    }
    return ink;
}

QByteArray fileBytes(const fs::path& file) {
    QFile in(QString::fromStdString(file.string()));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// ---- The drawings and their files ----

TEST(SprocketDrawings, AreTheRollerAndTheToothedDrawing) {
    ASSERT_EQ(databaseDrawings().size(), 2u);
    EXPECT_EQ(databaseDrawings()[0].fileName, "RWheel.bmp");
    EXPECT_EQ(databaseDrawings()[1].fileName, "DWheel.bmp");
}

TEST(SprocketDrawings, TwoRendersGiveTheSameBytes) {
    for (const DatabaseDrawing& drawing : databaseDrawings()) {
        const QImage first = drawing.draw();
        EXPECT_EQ(first.size(), drawing.size) << drawing.fileName;
        EXPECT_FALSE(first.hasAlphaChannel()) << drawing.fileName;
        EXPECT_EQ(encodeBmp(first), encodeBmp(drawing.draw())) << drawing.fileName;
    }
}

// White paper with line work that neither vanishes nor floods the picture, some of it in the
// dimension ink.
TEST(SprocketDrawings, AreLineWorkOnWhitePaper) {
    for (const DatabaseDrawing& drawing : databaseDrawings()) {
        const QImage image = drawing.draw();
        const QRect all = image.rect();
        int paper = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                paper += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        const int area = image.width() * image.height();
        EXPECT_GT(paper, area * 6 / 10) << drawing.fileName;
        EXPECT_GT(inkIn(image, all), area / 40) << drawing.fileName;
        EXPECT_GT(dimensionInkIn(image, all), 1500) << drawing.fileName;
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << drawing.fileName;
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 255, 255))
            << drawing.fileName;
    }
}

// ---- The reference browser's drawings ----

// Each is line work on white paper at the size the catalogue gives, with dimensions, and nothing
// of the dimensions or their labels cut off at the edge of the picture. (That the same sources
// draw the same bytes is checked with the whole reference database.)
TEST(BrowserDrawings, AreDimensionedLineWorkInsideThePicture) {
    for (const auto& drawing : zorvane::artwork::browserDrawings()) {
        const QImage image = drawing.draw().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(image.size(), drawing.size) << drawing.name;
        const QRect all = image.rect();
        int paper = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                paper += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
            }
        }
        const int area = image.width() * image.height();
        EXPECT_GT(paper, area * 4 / 10) << drawing.name;
        EXPECT_GT(inkIn(image, all), area / 100) << drawing.name;
        EXPECT_GT(dimensionInkIn(image, all), 300) << drawing.name;
        const int w = image.width(), h = image.height();
        for (const QRect& edge :
             {QRect(0, 0, w, 3), QRect(0, h - 3, w, 3), QRect(0, 0, 3, h), QRect(w - 3, 0, 3, h)}) {
            EXPECT_EQ(dimensionInkIn(image, edge), 0) << drawing.name;
        }
    }
}

// The tree table names only drawings of the catalogue, and every drawing of the catalogue is
// shown by some leaf.
TEST(BrowserDrawings, TreeRowsAndCatalogueNameTheSameDrawings) {
    std::ifstream in(fs::path(ZORVANE_DATA_DIR) / "tables" / "TreName.csv");
    ASSERT_TRUE(in);
    const std::regex graphic(R"(,@([a-z0-9-]+)\s*$)");
    std::set<std::string> named;
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, graphic)) {
            named.insert(match[1]);
        }
    }
    for (const std::string& name : named) {
        EXPECT_NE(zorvane::artwork::findBrowserDrawing(name), nullptr) << name;
    }
    for (const auto& drawing : zorvane::artwork::browserDrawings()) {
        EXPECT_EQ(named.count(std::string(drawing.name)), 1u) << drawing.name;
    }
}

// The roller drawing has two views: the front view on the left with the pitch dimensioned above
// the rollers, the hatched axial section on the right with the row pitch above its teeth.
TEST(SprocketDrawings, RollerDrawingHasBothViewsAndTheirDimensions) {
    const QImage image = zorvane::artwork::drawRollerSprocketDrawing();
    const int w = image.width();
    const int h = image.height();
    const QRect front(0, h / 5, w / 2, h * 4 / 5);
    const QRect section(w * 2 / 3, h / 5, w / 3, h * 4 / 5);
    EXPECT_GT(inkIn(image, front), 2500);
    EXPECT_GT(inkIn(image, section), 4000); // the hatching
    const QRect aboveFront(w / 6, h / 10, w / 3, h / 10);
    const QRect aboveSection(w * 2 / 3, h / 10, w / 4, h / 10);
    EXPECT_GT(dimensionInkIn(image, aboveFront), 150);
    EXPECT_GT(dimensionInkIn(image, aboveSection), 150);
}

// The toothed drawing puts the pitch above the chain and the plate with its wedge angle at the
// top right.
TEST(SprocketDrawings, ToothedDrawingHasThePitchAndThePlateDetail) {
    const QImage image = zorvane::artwork::drawToothedSprocketDrawing();
    const int w = image.width();
    const int h = image.height();
    EXPECT_GT(dimensionInkIn(image, QRect(w / 3, h / 10, w / 4, h / 10)), 150);
    const QRect detail(w * 4 / 5, h / 10, w / 5, h * 3 / 10);
    EXPECT_GT(inkIn(image, detail), 600);
    EXPECT_GT(dimensionInkIn(image, detail), 100);
}

TEST(SprocketDrawings, BmpIsUncompressed24BitAt96Dpi) {
    const QImage image = zorvane::artwork::drawToothedSprocketDrawing();
    const QByteArray bmp = encodeBmp(image);
    ASSERT_GE(bmp.size(), 54);
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(le32(bmp, 2), static_cast<quint32>(bmp.size()));
    EXPECT_EQ(le32(bmp, 10), 54u); // pixels right after the headers, no palette
    EXPECT_EQ(le32(bmp, 14), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<int>(le32(bmp, 18)), image.width());
    EXPECT_EQ(static_cast<int>(le32(bmp, 22)), image.height()); // bottom-up rows
    EXPECT_EQ(le16(bmp, 26), 1);
    EXPECT_EQ(le16(bmp, 28), 24);
    EXPECT_EQ(le32(bmp, 30), 0u); // BI_RGB
    EXPECT_EQ(le32(bmp, 38), 3780u);
    EXPECT_EQ(le32(bmp, 42), 3780u);
    const int rowBytes = (image.width() * 3 + 3) / 4 * 4;
    EXPECT_EQ(bmp.size(), 54 + rowBytes * image.height());
    // Lossless: the file holds exactly the drawn pixels.
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), image);
}

// ---- The database directory the build made ----

TEST(BuiltDrawings, LieBesideTheTablesAndMatchTheDrawingCode) {
    const fs::path database = ZORVANE_BUILT_DATABASE;
    EXPECT_TRUE(fs::exists(database / "R_Size.db")) << "the drawings step removed the tables";
    EXPECT_TRUE(fs::exists(database / "Size_Unnamed.db"));
    for (const DatabaseDrawing& drawing : databaseDrawings()) {
        const QByteArray bytes = fileBytes(database / std::string(drawing.fileName));
        ASSERT_FALSE(bytes.isEmpty()) << drawing.fileName << " is missing";
        const QImage image = QImage::fromData(bytes, "BMP");
        ASSERT_FALSE(image.isNull()) << drawing.fileName;
        EXPECT_EQ(image.size(), drawing.size) << drawing.fileName;
        EXPECT_EQ(bytes, encodeBmp(drawing.draw())) << drawing.fileName << " is out of date";
    }
}

TEST(BuiltDrawings, ComeWithEveryWorkspace) {
    const zorvane::testing::Workspace workspace;
    for (std::string_view name :
         {zorvane::render::kRollerSprocketDrawing, zorvane::render::kToothedSprocketDrawing}) {
        const QImage image(QString::fromStdString((workspace.database() / name).string()));
        EXPECT_FALSE(image.isNull()) << name;
    }
}

TEST(DrawingsTool, WritesOnlyTheDrawingsAndKeepsOtherFiles) {
    const zorvane::testing::TempDir dir;
    std::ofstream(dir.path() / "R_Size.db") << "table";
    QProcess tool;
    tool.start(QStringLiteral(ZORVANE_DRAWINGS_TOOL),
               {QString::fromStdString(dir.path().string())});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(fileBytes(dir.path() / "R_Size.db"), QByteArray("table"));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 3);
    EXPECT_EQ(fileBytes(dir.path() / "RWheel.bmp"),
              encodeBmp(zorvane::artwork::drawRollerSprocketDrawing()));
}

TEST(DrawingsTool, RefusesADirectoryThatIsNotThere) {
    const zorvane::testing::TempDir dir;
    QProcess tool;
    tool.start(QStringLiteral(ZORVANE_DRAWINGS_TOOL),
               {QString::fromStdString((dir.path() / "missing").string())});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_NE(tool.exitCode(), 0);
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

// ---- The tooth-count table ----

TEST(Z1SpeedTable, HasTwoRowsOfFourCellsWithText) {
    const QImage table = zorvane::artwork::drawZ1SpeedTable();
    ASSERT_EQ(table.size(), QSize(361, 63));
    // Rules along the top, the middle and the bottom.
    for (const int y : {0, 31, 62}) {
        EXPECT_EQ(inkIn(table, QRect(0, y, table.width(), 1)), table.width()) << "row rule " << y;
    }
    for (const int x : {0, 120, 200, 280, 360}) {
        EXPECT_EQ(inkIn(table, QRect(x, 0, 1, table.height())), table.height())
            << "column rule " << x;
    }
    const int lefts[] = {0, 120, 200, 280, 360};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRect cell(lefts[column] + 3, row * 31 + 3, lefts[column + 1] - lefts[column] - 5,
                             25);
            EXPECT_GT(inkIn(table, cell), 25) << "cell " << row << "," << column;
        }
    }
}

// ---- Drafting helpers ----

TEST(Drafting, ArcsRunFromTheirFirstScreenAngleToTheSecond) {
    const QPointF centre(50, 50);
    const qreal from = -2.0; // up and to the left
    const qreal to = -1.0;   // up and to the right
    const QPainterPath arc = drafting::arcPath(centre, 20, from, to);
    const auto near = [](QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); };
    // Within the curve fitting of Qt's arcs; the wrong sweep would miss by tens of pixels.
    EXPECT_LT(near(arc.pointAtPercent(0), centre + drafting::direction(from) * 20), 0.05);
    EXPECT_LT(near(arc.pointAtPercent(1), centre + drafting::direction(to) * 20), 0.05);
    EXPECT_LT(near(arc.pointAtPercent(0.5), centre + drafting::direction(-1.5) * 20), 0.5);
}

TEST(Drafting, SubscriptsSitSmallerAndLowerAfterTheLetter) {
    const QPainterPath base = drafting::symbolPath({QStringLiteral("d"), {}});
    const QPainterPath both = drafting::symbolPath({QStringLiteral("d"), QStringLiteral("a")});
    const QRectF letter = base.boundingRect();
    const QRectF whole = both.boundingRect();
    ASSERT_FALSE(letter.isEmpty());
    EXPECT_GT(whole.right(), letter.right() + 4);
    EXPECT_GT(whole.bottom(), letter.bottom() + 1); // below the baseline
    const QRectF sub = both.subtracted(base).boundingRect();
    EXPECT_LT(sub.height(), letter.height());
    for (const char* greek : {"α", "β", "γ", "φ"}) {
        EXPECT_GT(drafting::symbolPath({QString::fromUtf8(greek), {}}).boundingRect().width(), 4)
            << greek;
    }
}

TEST(Drafting, AlignedDimensionStandsOffOnTheAskedSide) {
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        // From left to right the normal points down: a negative offset puts the line above.
        drafting::alignedDimension(painter, QPointF(40, 90), QPointF(160, 90), -40,
                                   {QStringLiteral("p"), {}});
    }
    EXPECT_GE(dimensionInkIn(image, QRect(60, 49, 80, 3)), 80); // the dimension line at y 50
    EXPECT_EQ(dimensionInkIn(image, QRect(60, 60, 80, 40)), 0); // nothing between
    EXPECT_GT(dimensionInkIn(image, QRect(38, 55, 5, 30)), 20); // the extension lines
    EXPECT_GT(dimensionInkIn(image, QRect(157, 55, 5, 30)), 20);
    EXPECT_GT(dimensionInkIn(image, QRect(85, 20, 30, 27)), 10); // the symbol above the line
    EXPECT_EQ(dimensionInkIn(image, QRect(0, 95, 200, 25)), 0);
}

TEST(Drafting, BrokenSectorIsBoundedByItsBreakLines) {
    const QPointF centre(100, 100);
    const drafting::BrokenSector sector = drafting::brokenSector(
        centre, 80, -zorvane::artwork::kPi * 0.75, -zorvane::artwork::kPi / 4);
    EXPECT_TRUE(sector.region.contains(QPointF(100, 40)));   // straight up, inside
    EXPECT_FALSE(sector.region.contains(QPointF(100, 160))); // below the centre
    EXPECT_FALSE(sector.region.contains(QPointF(170, 95)));  // to the right, outside
    EXPECT_FALSE(sector.region.contains(QPointF(100, 15)));  // beyond the radius
    // Each break line runs from the centre out to the radius.
    const QRectF lines = sector.breaks.boundingRect();
    EXPECT_NEAR(lines.bottom(), 100, 3);
    EXPECT_NEAR(lines.top(), 100 - 80 * std::sqrt(0.5), 3);
}

} // namespace
