// zorvane-artwork OUTPUT_DIR: draws the program's pictures into OUTPUT_DIR as PNG files (BMP for
// a name ending in .bmp), with the resource collection zorvane_artwork.qrc that lists them.
// zorvane-artwork --browser OUTPUT_DIR: draws the reference browser's drawings as <name>.png, the
// same pictures the database builder stores, for looking at them while drawing.

#include "tools/artwork/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

int main(int argc, char** argv) {
    const bool browser = argc == 3 && std::string(argv[1]) == "--browser";
    if (argc != 2 && !browser) {
        std::fprintf(stderr, "用法：zorvane-artwork [--browser] 输出目录\n");
        return 2;
    }
    zorvane::artwork::useOffscreenUnlessSet();
    QGuiApplication app(argc, argv);
    try {
        const QDir dir(QString::fromLocal8Bit(argv[argc - 1]));
        if (!dir.mkpath(QStringLiteral("."))) {
            throw std::runtime_error("无法建立目录 " + dir.path().toStdString());
        }
        int count = 0;
        if (browser) {
            for (const auto& drawing : zorvane::artwork::browserDrawings()) {
                const QImage image = drawing.draw();
                if (image.size() != drawing.size) {
                    throw std::runtime_error("图片尺寸不符：" + std::string(drawing.name));
                }
                zorvane::artwork::writeFile(dir.filePath(fromView(drawing.name) + ".png"),
                                            zorvane::artwork::encodePng(image));
                ++count;
            }
            std::printf("zorvane-artwork: %d 幅浏览图\n", count);
            return 0;
        }
        for (const zorvane::artwork::Picture& picture : zorvane::artwork::pictures()) {
            const QImage image = picture.draw();
            if (image.size() != picture.size) {
                throw std::runtime_error("图片尺寸不符：" + std::string(picture.fileName()));
            }
            zorvane::artwork::writeFile(dir.filePath(fromView(picture.fileName())),
                                        zorvane::artwork::encodePicture(picture, image));
            ++count;
        }
        zorvane::artwork::writeFile(dir.filePath(QStringLiteral("zorvane_artwork.qrc")),
                                    zorvane::artwork::resourceCollection());
        std::printf("zorvane-artwork: %d 幅图片\n", count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvane-artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
