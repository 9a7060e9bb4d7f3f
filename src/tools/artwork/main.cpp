// zorvane-artwork OUTPUT_DIR: draws the program's pictures into OUTPUT_DIR as PNG files, with
// the resource collection zorvane_artwork.qrc that lists them.

#include "tools/artwork/artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

void writeFile(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("无法写入 " + file.fileName().toStdString() + "：" +
                                 file.errorString().toStdString());
    }
}

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "用法：zorvane-artwork 输出目录\n");
        return 2;
    }
    // Fonts need a GUI application; nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    try {
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        if (!dir.mkpath(QStringLiteral("."))) {
            throw std::runtime_error("无法建立目录 " + dir.path().toStdString());
        }
        int count = 0;
        for (const zorvane::artwork::Picture& picture : zorvane::artwork::pictures()) {
            const QImage image = picture.draw();
            if (image.size() != picture.size) {
                throw std::runtime_error("图片尺寸不符：" + std::string(picture.fileName()));
            }
            writeFile(dir, fromView(picture.fileName()), zorvane::artwork::encodePng(image));
            ++count;
        }
        writeFile(dir, QStringLiteral("zorvane_artwork.qrc"),
                  zorvane::artwork::resourceCollection());
        std::printf("zorvane-artwork: %d 幅图片\n", count);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvane-artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
