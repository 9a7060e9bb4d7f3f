#include "tools/dbbuild/graphic_painter.h"

#include "tools/artwork/artwork.h"
#include "tools/dbbuild/formula_renderer.h"

#include <stdexcept>
#include <string_view>

namespace zorvane::dbbuild {

std::vector<unsigned char> paintGraphic(const std::string& source) {
    QByteArray png;
    if (!source.empty() && source.front() == '@') {
        const auto* drawing = artwork::findBrowserDrawing(std::string_view(source).substr(1));
        if (!drawing) {
            throw std::runtime_error("没有名为“" + source.substr(1) + "”的图");
        }
        png = artwork::encodePng(drawing->draw());
    } else {
        png = renderFormulaPng(source);
    }
    return std::vector<unsigned char>(png.begin(), png.end());
}

} // namespace zorvane::dbbuild
