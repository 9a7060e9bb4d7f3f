#include "app/shell/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace zorvane::app {

namespace {

struct Substitute {
    const char* family;
    const char* first; // the closest installed face
};

// 宋体 is a Ming face; UMing is the same style. 楷体 and 隶书 have no installed face of their
// own style, so they fall back to UMing (a brush face) and the clean Zen Hei for headers.
constexpr Substitute kSubstitutes[] = {
    {"宋体", "AR PL UMing CN"},
    {"SimSun", "AR PL UMing CN"},
    {"楷体_GB2312", "AR PL UKai CN"},
    {"隶书", "WenQuanYi Zen Hei"},
};

} // namespace

void installChineseFontSubstitutes() {
    const QStringList installed = QFontDatabase::families();
    for (const auto& substitute : kSubstitutes) {
        QStringList faces;
        for (const char* face : {substitute.first, "AR PL UMing CN", "WenQuanYi Zen Hei"}) {
            const QString name = QString::fromUtf8(face);
            if (installed.contains(name) && !faces.contains(name)) {
                faces << name;
            }
        }
        QFont::insertSubstitutions(QString::fromUtf8(substitute.family), faces);
    }
}

} // namespace zorvane::app
