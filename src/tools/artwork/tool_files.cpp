// What both picture tools need besides the pictures: writing a file, and an application for
// the fonts without a display.

#include "tools/artwork/artwork.h"

#include <QFile>

#include <stdexcept>
#include <string>

namespace zorvane::artwork {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("无法写入 " + path.toStdString() + "：" +
                                 file.errorString().toStdString());
    }
}

void useOffscreenUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

} // namespace zorvane::artwork
