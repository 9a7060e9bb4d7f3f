#include "render/fonts.h"

#include <QFont>
#include <QFontDatabase>

#include <array>

namespace zorvane::render {

namespace {

// The faces the setup installs: a Ming face (fonts-arphic-uming) and a Hei face
// (fonts-wqy-zenhei). The Kai face of the same family is taken when someone installed it.
constexpr const char* kMing = "AR PL UMing CN";
constexpr const char* kKai = "AR PL UKai CN";
constexpr const char* kHei = "WenQuanYi Zen Hei";

struct StandIn {
    const char* family;               // the name the windows ask for
    std::array<const char*, 3> faces; // installed faces to use instead, best first
};

// 宋体 is a Ming face, so UMing is a true match. 楷体 wants the brush-written Kai; without UKai,
// UMing keeps the serif look closer than a Hei face would. 隶书 (clerical script) has no installed
// face of its own; it only titles the page headers, in heavy strokes at 20 px, and Zen Hei's even
// heavy strokes read like such a header, where UMing's thin strokes would look faint. Zen Hei is
// the last resort for all, as it covers the whole GB 2312 set.
constexpr std::array<StandIn, 10> kStandIns{{
    {"宋体", {kMing, kHei, nullptr}},
    {"SimSun", {kMing, kHei, nullptr}},
    {"新宋体", {kMing, kHei, nullptr}},
    {"NSimSun", {kMing, kHei, nullptr}},
    {"楷体_GB2312", {kKai, kMing, kHei}},
    {"楷体", {kKai, kMing, kHei}},
    {"KaiTi_GB2312", {kKai, kMing, kHei}},
    {"KaiTi", {kKai, kMing, kHei}},
    {"隶书", {kHei, kMing, nullptr}},
    {"LiSu", {kHei, kMing, nullptr}},
}};

} // namespace

QStringList chineseFontStandIns(const QString& family) {
    const QStringList installed = QFontDatabase::families();
    QStringList faces;
    for (const auto& standIn : kStandIns) {
        if (QString::fromUtf8(standIn.family) != family) {
            continue;
        }
        for (const char* face : standIn.faces) {
            if (face && installed.contains(QString::fromUtf8(face))) {
                faces << QString::fromUtf8(face);
            }
        }
    }
    return faces;
}

void installChineseFontSubstitutes() {
    for (const auto& standIn : kStandIns) {
        const QString family = QString::fromUtf8(standIn.family);
        const QStringList faces = chineseFontStandIns(family);
        if (!faces.isEmpty()) {
            QFont::removeSubstitutions(family);
            QFont::insertSubstitutions(family, faces);
        }
    }
}

} // namespace zorvane::render
