#pragma once
// The program's pictures: the start-up picture, the application and tool bar icons, the images
// of the reference tree and the recommended tooth counts of the tooth-count panel, compiled in
// as resources; and the two sprocket drawings that the program loads from the database
// directory. Each is drawn with QPainter from geometry alone (text as glyph
// outlines, no clip art), so that every build writes the same bytes. Drawing needs a
// QGuiApplication for the fonts; the offscreen platform is enough.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <span>
#include <string_view>

namespace zorvane::artwork {

enum class ToolIcon { New, Open, Save, Close, Query, Exit, ResultReport, HistoryReport };
enum class TreeImage { OpenFolder, ClosedFolder, Table, Marker };

QImage drawSplash();
QImage drawAppIcon();
QImage drawToolIcon(ToolIcon icon);
QImage drawTreeImage(TreeImage image);
QImage drawZ1SpeedTable();
QImage drawRollerSprocketDrawing();
QImage drawToothedSprocketDrawing();

struct Picture {
    std::string_view resource; // the resource path, ":/artwork/<file name>"
    QSize size;
    QImage (*draw)();

    // The file name below the resource prefix.
    std::string_view fileName() const;
};

// Every picture: the splash, the application icon, the tool bar icons in image-list order, the
// tree images in image-list order and the recommended tooth counts.
std::span<const Picture> pictures();

// A drawing written into the database directory as a BMP file.
struct DatabaseDrawing {
    std::string_view fileName;
    QSize size;
    QImage (*draw)();
};

// The roller and the toothed chain sprocket drawings.
std::span<const DatabaseDrawing> databaseDrawings();

// A drawing of the reference browser, stored as a PNG in the graphic field of the tree table.
// The table source names it as "@" + name.
struct BrowserDrawing {
    std::string_view name;
    QSize size;
    QImage (*draw)();
};

std::span<const BrowserDrawing> browserDrawings();
// The drawing of that name, or nothing.
const BrowserDrawing* findBrowserDrawing(std::string_view name);

// PNG bytes that depend on the pixels alone: fixed resolution, no time or text chunks.
QByteArray encodePng(const QImage& image);

// An uncompressed 24-bit Windows bitmap at 96 dpi, the same bytes for the same pixels.
QByteArray encodeBmp(const QImage& image);

// The bytes of a resource picture as its file name says: a bitmap for ".bmp", else a PNG.
QByteArray encodePicture(const Picture& picture, const QImage& image);

// Writes `bytes` into the file at `path`, replacing it; throws std::runtime_error with the
// reason when that fails. Both picture tools write their files through it.
void writeFile(const QString& path, const QByteArray& bytes);

// Makes the GUI application the drawing tools need for their fonts; nothing is shown, so the
// offscreen platform serves unless another one is asked for.
void useOffscreenUnlessSet();

// A Qt resource collection listing every picture's file name under the prefix /artwork.
QByteArray resourceCollection();

} // namespace zorvane::artwork
