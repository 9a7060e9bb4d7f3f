#include "render/report_fonts.h"

#include "core/report/report_document.h"
#include "render/fonts.h"

namespace zorvane::render {

QStringList reportFontFamilies(const std::string& family) {
    const QStringList songti =
        QStringList{QStringLiteral("宋体")} + chineseFontStandIns(QStringLiteral("宋体"));
    const QStringList arial{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    if (family == report::kSongti) {
        return songti + arial;
    }
    return arial + songti;
}

} // namespace zorvane::render
