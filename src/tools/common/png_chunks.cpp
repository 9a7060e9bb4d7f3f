#include "tools/common/png_chunks.h"

namespace zorvane::tools {

// Keeps only the chunks that describe pixels; the writer adds no text or time today, and the
// bytes must stay a function of the picture alone.
QByteArray withoutVolatileChunks(const QByteArray& png) {
    constexpr qsizetype signatureSize = 8;
    QByteArray out = png.left(signatureSize);
    qsizetype pos = signatureSize;
    while (pos + 12 <= png.size()) {
        const auto byte = [&](qsizetype i) {
            return static_cast<quint32>(static_cast<unsigned char>(png[pos + i]));
        };
        const quint32 length = (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
        const qsizetype chunkSize = 12 + static_cast<qsizetype>(length);
        if (pos + chunkSize > png.size()) {
            return png;
        }
        const QByteArray type = png.mid(pos + 4, 4);
        if (type != "tEXt" && type != "zTXt" && type != "iTXt" && type != "tIME") {
            out += png.mid(pos, chunkSize);
        }
        pos += chunkSize;
    }
    return out;
}

} // namespace zorvane::tools
