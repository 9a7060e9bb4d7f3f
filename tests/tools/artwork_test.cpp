// The pictures compiled into the program and the help file copied beside it.

#include "core/design/steps.h"
#include "render/resource_names.h"
#include "tools/artwork/artwork.h"
#include "tools/artwork/chain_line.h"
#include "tools/artwork/paint_kit.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

namespace {

using zorvane::artwork::encodePicture;
using zorvane::artwork::encodePng;
using zorvane::artwork::Picture;
using zorvane::artwork::pictures;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray resourceBytes(std::string_view resource) {
    QFile file(qs(resource));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expectResourceSize(std::string_view resource, QSize size) {
    const QImage image(qs(resource));
    ASSERT_FALSE(image.isNull()) << resource;
    EXPECT_EQ(image.size(), size) << resource;
}

TEST(ArtworkResources, LoadWithTheirSizes) {
    expectResourceSize(zorvane::render::kSplash, QSize(423, 318));
    expectResourceSize(zorvane::render::kAppIcon, QSize(64, 64));
    for (std::string_view icon : zorvane::render::kToolBarIcons) {
        expectResourceSize(icon, QSize(24, 24));
    }
    for (std::string_view image : zorvane::render::kTreeImages) {
        expectResourceSize(image, QSize(16, 16));
    }
    expectResourceSize(zorvane::render::kZ1SpeedTable, QSize(361, 63));
}

TEST(ArtworkResources, ToolBarIconsFollowTheImageListOrder) {
    const char* expected[] = {"new",   "open", "save",          "close",
                              "query", "exit", "result-report", "history-report"};
    ASSERT_EQ(std::size(expected), zorvane::render::kToolBarIcons.size());
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(zorvane::render::kToolBarIcons[i],
                  ":/artwork/icon-" + std::string(expected[i]) + ".png");
    }
}

TEST(ArtworkResources, HoldWhatTheDrawingsDrawNow) {
    ASSERT_EQ(pictures().size(), 15u);
    for (const Picture& picture : pictures()) {
        const QByteArray stored = resourceBytes(picture.resource);
        ASSERT_FALSE(stored.isEmpty()) << picture.resource;
        EXPECT_EQ(stored, encodePicture(picture, picture.draw())) << picture.resource;
    }
}

TEST(ArtworkDrawing, TwoRendersGiveTheSameBytes) {
    for (const Picture& picture : pictures()) {
        const QImage first = picture.draw();
        EXPECT_EQ(first.size(), picture.size) << picture.resource;
        EXPECT_EQ(encodePng(first), encodePng(picture.draw())) << picture.resource;
    }
}

TEST(ArtworkDrawing, PngHasNoTextOrTimeChunks) {
    const QByteArray png = encodePng(zorvane::artwork::drawSplash());
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    for (const char* chunk : {"tEXt", "zTXt", "iTXt", "tIME"}) {
        EXPECT_FALSE(png.contains(chunk)) << chunk;
    }
}

// An icon draws something and leaves its corners free; a failed drawing leaves it empty.
TEST(ArtworkDrawing, SmallPicturesHaveInkAndTransparentCorners) {
    for (const Picture& picture : pictures().subspan(1)) {
        if (picture.resource == zorvane::render::kZ1SpeedTable) {
            continue; // an opaque table, tested with the drawings
        }
        const QImage image = picture.draw().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, image.width() * image.height() / 10) << picture.resource;
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << picture.resource;
    }
}

// The title is light text on the dark picture: without a font the title area stays dark.
TEST(ArtworkDrawing, SplashIsOpaqueAndCarriesItsTitle) {
    const QImage splash = zorvane::artwork::drawSplash();
    EXPECT_FALSE(splash.hasAlphaChannel());
    int light = 0;
    for (int y = 25; y < 75; ++y) {
        for (int x = 25; x < 200; ++x) {
            light += qGray(splash.pixel(x, y)) > 220 ? 1 : 0;
        }
    }
    EXPECT_GT(light, 400);
}

TEST(ArtworkDrawing, ResourceCollectionListsEveryPicture) {
    const QByteArray qrc = zorvane::artwork::resourceCollection();
    EXPECT_TRUE(qrc.contains("<qresource prefix=\"/artwork\">"));
    for (const Picture& picture : pictures()) {
        const std::string entry = "<file>" + std::string(picture.fileName()) + "</file>";
        EXPECT_TRUE(qrc.contains(entry.c_str())) << entry;
    }
}

// ---- Geometry ----

using zorvane::artwork::ChainLine;

qreal distance(QPointF a, QPointF b) {
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

qreal dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
}

struct Drive {
    qreal pitch = 14;
    qreal large = ChainLine::arcPitchRadius(25, 14);
    qreal small = ChainLine::arcPitchRadius(13, 14);
    ChainLine line{QPointF(100, 200), large, small,
                   ChainLine::centreDistanceFor(large, small, 14, 50)};
};

TEST(ChainLine, ClosesWithAWholeNumberOfLinks) {
    const Drive drive;
    EXPECT_NEAR(drive.line.length(), 50 * drive.pitch, 1e-9);
    // One tooth gap to the next along the pitch circle is one pitch.
    EXPECT_NEAR(2 * zorvane::artwork::kPi * drive.large / 25, drive.pitch, 1e-12);
}

TEST(ChainLine, RunsAreTangentToBothPitchCircles) {
    const Drive drive;
    const ChainLine& line = drive.line;
    for (const qreal angle : {line.upperAngle(), line.lowerAngle()}) {
        const QPointF a = line.onLarge(angle);
        const QPointF b = line.onSmall(angle);
        EXPECT_NEAR(distance(a, b), line.span(), 1e-9);
        EXPECT_NEAR(dot(a - line.largeCentre(), b - a), 0, 1e-9);
        EXPECT_NEAR(dot(b - line.smallCentre(), b - a), 0, 1e-9);
    }
    // The upper run starts the line and lies above the centres.
    EXPECT_NEAR(distance(line.pointAt(0), line.onLarge(line.upperAngle())), 0, 1e-9);
    EXPECT_LT(line.pointAt(line.span() / 2).y(), line.largeCentre().y());
}

TEST(ChainLine, HasNoJumpsAndIsClosed) {
    const Drive drive;
    const ChainLine& line = drive.line;
    const qreal step = line.length() / 2000;
    for (int k = 0; k < 2000; ++k) {
        const qreal gap = distance(line.pointAt(k * step), line.pointAt((k + 1) * step));
        ASSERT_NEAR(gap, step, 0.02 * step) << "at " << k * step;
    }
    EXPECT_NEAR(distance(line.pointAt(line.length()), line.pointAt(0)), 0, 1e-9);
    EXPECT_NEAR(distance(line.pointAt(-step), line.pointAt(line.length() - step)), 0, 1e-9);
}

TEST(ChainLine, ArcsAreFoundWhereTheLineWraps) {
    const Drive drive;
    const ChainLine& line = drive.line;
    qreal angle = 0;
    EXPECT_FALSE(line.onSmallArc(line.span() / 2, angle));
    ASSERT_TRUE(line.onSmallArc(line.span() + 1e-6, angle));
    EXPECT_NEAR(angle, line.upperAngle(), 1e-6);
    ASSERT_TRUE(line.onLargeArc(line.length() - 1e-6, angle));
    EXPECT_NEAR(angle, line.upperAngle() + 2 * zorvane::artwork::kPi, 1e-6);
    const QPointF far = line.pointAt(line.length() - 1);
    EXPECT_NEAR(distance(far, line.largeCentre()), drive.large, 1e-9);
}

TEST(Sprocket, OutlineHasItsTeethBetweenRootAndTip) {
    zorvane::artwork::Sprocket sprocket;
    sprocket.centre = QPointF(50, 50);
    sprocket.teeth = 13;
    sprocket.pitchRadius = 29;
    sprocket.seatRadius = 4.5;
    sprocket.tipRadius = 33.3;
    sprocket.gapAngle = 0.3;
    const QPainterPath outline = sprocket.outline();
    const auto at = [&](qreal radius, qreal angle) {
        return sprocket.centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
    };
    const qreal toothPitch = 2 * zorvane::artwork::kPi / sprocket.teeth;
    EXPECT_FALSE(outline.contains(at(sprocket.pitchRadius, sprocket.gapAngle)));
    EXPECT_TRUE(outline.contains(at(sprocket.pitchRadius, sprocket.gapAngle + toothPitch / 2)));
    EXPECT_TRUE(outline.contains(at(sprocket.pitchRadius - sprocket.seatRadius - 1, 0.3)));
    EXPECT_FALSE(outline.contains(at(sprocket.tipRadius + 0.5, 1.0)));
    // Walking round between the root and the tip crosses every tooth twice.
    int crossings = 0;
    bool inside = outline.contains(at(sprocket.pitchRadius + 2, 0));
    for (int i = 1; i <= 3600; ++i) {
        const bool now =
            outline.contains(at(sprocket.pitchRadius + 2, i * 2 * zorvane::artwork::kPi / 3600));
        crossings += now != inside ? 1 : 0;
        inside = now;
    }
    EXPECT_EQ(crossings, 2 * sprocket.teeth);
}

TEST(PaintKit, BlurSpreadsInkEvenlyAndKeepsFlatAreas) {
    QImage flat = zorvane::artwork::blankImage(20, 20, QColor(10, 20, 30, 255));
    const QImage before = flat.copy();
    zorvane::artwork::blur(flat, 2);
    EXPECT_EQ(flat, before);

    QImage dot = zorvane::artwork::blankImage(21, 21);
    dot.setPixel(10, 10, qRgba(255, 255, 255, 255));
    zorvane::artwork::blur(dot, 1);
    EXPECT_LT(qAlpha(dot.pixel(10, 10)), 255);
    EXPECT_GT(qAlpha(dot.pixel(10, 10)), qAlpha(dot.pixel(12, 10)));
    EXPECT_EQ(dot.pixel(9, 10), dot.pixel(11, 10));
    EXPECT_EQ(dot.pixel(10, 8), dot.pixel(12, 10));
    EXPECT_EQ(qAlpha(dot.pixel(0, 0)), 0);
}

TEST(PaintKit, ChineseTextHasOutlines) {
    if (QFontDatabase::hasFamily(QStringLiteral("WenQuanYi Zen Hei"))) {
        EXPECT_EQ(zorvane::artwork::textFamily(), QStringLiteral("WenQuanYi Zen Hei"));
    }
    const QPainterPath text =
        zorvane::artwork::textPath(QStringLiteral("链传动设计"), 20, QPointF(0, 0));
    EXPECT_GT(text.boundingRect().width(), 80);
    EXPECT_LT(text.boundingRect().bottom(), 6);
}

// ---- Help file ----

QString helpText() {
    QFile file(QStringLiteral(ZORVANE_HELP_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "没有帮助文件 " << ZORVANE_HELP_FILE;
        return {};
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    EXPECT_FALSE(utf8.hasError()) << "帮助文件不是 UTF-8";
    return text;
}

TEST(HelpFile, IsTheSourceCopiedBesideTheProgram) {
    QFile copy(QStringLiteral(ZORVANE_HELP_FILE));
    QFile source(QStringLiteral(ZORVANE_HELP_SOURCE));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), source.readAll());
}

TEST(HelpFile, ContentsLinkToAnchorsThatExist) {
    const QString text = helpText();
    EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("id=\"contents\"")));
    QSet<QString> ids;
    for (const auto& match :
         QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(text)) {
        EXPECT_FALSE(ids.contains(match.captured(1)))
            << "重复的锚点 " << match.captured(1).toStdString();
        ids.insert(match.captured(1));
    }
    int links = 0;
    for (const auto& match :
         QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(text)) {
        EXPECT_TRUE(ids.contains(match.captured(1)))
            << "无处可去的链接 #" << match.captured(1).toStdString();
        ++links;
    }
    EXPECT_GT(links, 10);
    for (const char* section : {"overview", "window", "workflow", "roller", "toothed", "redo",
                                "results", "history", "browser", "projects", "reports"}) {
        EXPECT_TRUE(text.contains(QStringLiteral("href=\"#") + QLatin1String(section)))
            << "目录缺少 " << section;
    }
}

TEST(HelpFile, NamesEveryStepAndItsRedoQuestion) {
    const QString text = helpText();
    for (const char* caption : {"开始新设计", "选择链种类", "设计结果", "历史记录", "数据库查询"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(caption))) << caption;
    }
    using zorvane::design::Chain;
    for (const Chain chain : {Chain::Roller, Chain::Toothed}) {
        for (const zorvane::design::StepDef& step : zorvane::design::steps(chain)) {
            EXPECT_TRUE(text.contains(qs(step.caption))) << step.caption;
            EXPECT_TRUE(text.contains(qs(step.question))) << step.question;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
