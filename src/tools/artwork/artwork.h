#pragma once
// The program's pictures: the start-up picture, the application and tool bar icons and the
// images of the reference tree. Each is drawn with QPainter from geometry alone (text as glyph
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

struct Picture {
    std::string_view resource; // the resource path, ":/artwork/<file name>"
    QSize size;
    QImage (*draw)();

    // The file name below the resource prefix.
    std::string_view fileName() const;
};

// Every picture: the splash, the application icon, the tool bar icons in image-list order and
// the tree images in image-list order.
std::span<const Picture> pictures();

// PNG bytes that depend on the pixels alone: fixed resolution, no time or text chunks.
QByteArray encodePng(const QImage& image);

// A Qt resource collection listing every picture's file name under the prefix /artwork.
QByteArray resourceCollection();

} // namespace zorvane::artwork
