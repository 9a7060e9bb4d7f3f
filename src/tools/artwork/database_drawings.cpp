// The drawings of the database directory and their BMP encoding.

#include "render/resource_names.h"
#include "tools/artwork/artwork.h"

#include <QBuffer>
#include <QImageWriter>

#include <array>
#include <stdexcept>

namespace zorvane::artwork {

namespace {

const std::array<DatabaseDrawing, 2> kDrawings{{
    {render::kRollerSprocketDrawing, QSize(620, 360), &drawRollerSprocketDrawing},
    {render::kToothedSprocketDrawing, QSize(620, 440), &drawToothedSprocketDrawing},
}};

} // namespace

std::span<const DatabaseDrawing> databaseDrawings() {
    return kDrawings;
}

QByteArray encodeBmp(const QImage& image) {
    // Qt writes a BITMAPINFOHEADER without compression, 24 bits for an opaque 32-bit image, and
    // takes the resolution from the image: nothing in the bytes but the pixels and their size.
    QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    pixels.setDotsPerMeterX(3780);
    pixels.setDotsPerMeterY(3780);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(pixels)) {
        throw std::runtime_error("图片无法编码为 BMP：" + writer.errorString().toStdString());
    }
    return bmp;
}

} // namespace zorvane::artwork
