// zorvane-icons SVG OUTPUT_DIR SIZE...: renders the application icon SVG into
// OUTPUT_DIR/<size>x<size>/apps/zorvane.png for every size, as the icon theme lays them out.
// The PNG bytes depend on the picture alone, so the package is the same on every build.

#include "tools/common/png_chunks.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>
#include <string>

namespace {

bool writePng(const QString& file, const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return false;
    }
    QDir().mkpath(QFileInfo(file).path());
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(zorvane::tools::withoutVolatileChunks(png));
    return out.commit();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "用法：zorvane-icons 图标.svg 输出目录 尺寸...\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zorvane-icons: 无法读取图标文件 %s\n", argv[1]);
        return 1;
    }
    const QDir outDir(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "zorvane-icons: 图标尺寸 %s 无效\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString name = QStringLiteral("%1x%1/apps/zorvane.png").arg(size);
        if (!writePng(outDir.filePath(name), image)) {
            std::fprintf(stderr, "zorvane-icons: 无法写入 %s\n",
                         outDir.filePath(name).toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
