// The list of pictures, their PNG encoding and the resource collection that lists them.

#include "render/resource_names.h"
#include "tools/artwork/artwork.h"

#include "tools/common/png_chunks.h"

#include <QBuffer>
#include <QImageWriter>

#include <array>
#include <stdexcept>
#include <string>

namespace zorvane::artwork {

using render::kAppIcon;
using render::kResourcePrefix;
using render::kSplash;
using render::kToolBarIcons;
using render::kTreeImages;
using render::kZ1SpeedTable;

namespace {

constexpr QSize kToolIconSize(24, 24);
constexpr QSize kTreeImageSize(16, 16);

constexpr std::array<Picture, 15> kPictures{{
    {kSplash, QSize(423, 318), &drawSplash},
    {kAppIcon, QSize(64, 64), &drawAppIcon},
    {kToolBarIcons[0], kToolIconSize, +[] { return drawToolIcon(ToolIcon::New); }},
    {kToolBarIcons[1], kToolIconSize, +[] { return drawToolIcon(ToolIcon::Open); }},
    {kToolBarIcons[2], kToolIconSize, +[] { return drawToolIcon(ToolIcon::Save); }},
    {kToolBarIcons[3], kToolIconSize, +[] { return drawToolIcon(ToolIcon::Close); }},
    {kToolBarIcons[4], kToolIconSize, +[] { return drawToolIcon(ToolIcon::Query); }},
    {kToolBarIcons[5], kToolIconSize, +[] { return drawToolIcon(ToolIcon::Exit); }},
    {kToolBarIcons[6], kToolIconSize, +[] { return drawToolIcon(ToolIcon::ResultReport); }},
    {kToolBarIcons[7], kToolIconSize, +[] { return drawToolIcon(ToolIcon::HistoryReport); }},
    {kTreeImages[0], kTreeImageSize, +[] { return drawTreeImage(TreeImage::OpenFolder); }},
    {kTreeImages[1], kTreeImageSize, +[] { return drawTreeImage(TreeImage::ClosedFolder); }},
    {kTreeImages[2], kTreeImageSize, +[] { return drawTreeImage(TreeImage::Table); }},
    {kTreeImages[3], kTreeImageSize, +[] { return drawTreeImage(TreeImage::Marker); }},
    {kZ1SpeedTable, QSize(361, 63), &drawZ1SpeedTable},
}};

} // namespace

std::string_view Picture::fileName() const {
    return resource.substr(kResourcePrefix.size());
}

std::span<const Picture> pictures() {
    return kPictures;
}

QByteArray encodePng(const QImage& image) {
    // Opaque pictures are stored without an alpha channel.
    const QImage pixels = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                        : QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(pixels)) {
        throw std::runtime_error("图片无法编码为 PNG：" + writer.errorString().toStdString());
    }
    buffer.close();
    return tools::withoutVolatileChunks(png);
}

QByteArray encodePicture(const Picture& picture, const QImage& image) {
    return picture.fileName().ends_with(".bmp") ? encodeBmp(image) : encodePng(image);
}

QByteArray resourceCollection() {
    const std::string_view prefix = kResourcePrefix.substr(1, kResourcePrefix.size() - 2);
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"";
    qrc += QByteArray(prefix.data(), static_cast<qsizetype>(prefix.size()));
    qrc += "\">\n";
    for (const Picture& picture : kPictures) {
        const std::string_view name = picture.fileName();
        qrc += "    <file>";
        qrc += QByteArray(name.data(), static_cast<qsizetype>(name.size()));
        qrc += "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    return qrc;
}

} // namespace zorvane::artwork
