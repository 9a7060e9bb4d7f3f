// zorvane-drawings DATABASE_DIR: draws the sprocket drawings into the database directory as BMP
// files. Only those files are written; the tables beside them are left alone.

#include "tools/artwork/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "用法：zorvane-drawings 数据库目录\n");
        return 2;
    }
    zorvane::artwork::useOffscreenUnlessSet();
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
            zorvane::artwork::writeFile(dir.filePath(QString::fromStdString(name)),
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
