// zorvane-drawings DATABASE_DIR: draws the sprocket drawings into the database directory as BMP
// files. Only those files are written; the tables beside them are left alone.

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

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("无法写入 " + path.toStdString() + "：" +
                                 file.errorString().toStdString());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "用法：zorvane-drawings 数据库目录\n");
        return 2;
    }
    // Fonts need a GUI application; nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    try {
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        if (!dir.exists()) {
            throw std::runtime_error("没有数据库目录 " + dir.path().toStdString());
        }
        for (const zorvane::artwork::DatabaseDrawing& drawing :
             zorvane::artwork::databaseDrawings()) {
            const std::string name(drawing.fileName);
            const QImage image = drawing.draw();
            if (image.size() != drawing.size) {
                throw std::runtime_error("图片尺寸不符：" + name);
            }
            writeFile(dir.filePath(QString::fromStdString(name)),
                      zorvane::artwork::encodeBmp(image));
        }
        std::printf("zorvane-drawings: %zu 幅链轮图\n",
                    zorvane::artwork::databaseDrawings().size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zorvane-drawings: %s\n", error.what());
        return 1;
    }
    return 0;
}
