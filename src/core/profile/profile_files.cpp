#include "core/profile/profile_files.h"
#include "core/text/markup.h"
#include "core/text/system_error_text.h"

#include "core/profile/sprocket_profile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>

#include <unistd.h>

namespace zorvane::profile {

namespace {

// The shortest decimal text that reads back as the same double.
std::string number(double value) {
    if (value == 0) {
        return "0.0"; // also for -0.0
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

double degrees(double radians) {
    double angle = std::fmod(radians * 180 / std::numbers::pi, 360.0);
    return angle < 0 ? angle + 360 : angle;
}

// ---- DXF ---------------------------------------------------------------------------------------

class DxfOut {
public:
    void pair(int code, const std::string& value) {
        text_ += (code < 10    ? "  "
                  : code < 100 ? " "
                               : "") +
                 std::to_string(code) + "\n" + value + "\n";
    }
    void pair(int code, double value) { pair(code, number(value)); }
    void pair(int code, int value) { pair(code, std::to_string(value)); }
    void point(int code, Point p) {
        pair(code, p.x);
        pair(code + 10, p.y);
        pair(code + 20, 0.0);
    }
    std::string text_;
};

// The chain-dotted line type of the construction layer, dash lengths in millimetres.
void centreLineType(DxfOut& out) {
    out.pair(0, "LTYPE");
    out.pair(2, "CENTER");
    out.pair(70, 0);
    out.pair(3, "Center ____ _ ____ _");
    out.pair(72, 65);
    out.pair(73, 4);
    out.pair(40, 20.0);
    for (const double dash : {12.0, -3.0, 2.0, -3.0}) {
        out.pair(49, dash);
    }
}

void layerTable(DxfOut& out, const Drawing& drawing) {
    out.pair(0, "TABLE");
    out.pair(2, "LAYER");
    out.pair(70, static_cast<int>(drawing.layers.size()) + 1);
    const auto layer = [&out](const std::string& name, int colour, bool centre) {
        out.pair(0, "LAYER");
        out.pair(2, name);
        out.pair(70, 0);
        out.pair(62, colour);
        out.pair(6, centre ? "CENTER" : "CONTINUOUS");
    };
    layer("0", 7, false);
    for (const Layer& each : drawing.layers) {
        layer(each.name, each.colour, each.centreLine);
    }
    out.pair(0, "ENDTAB");
}

void entity(DxfOut& out, const Shape& shape) {
    if (const auto* line = std::get_if<Line>(&shape.entity)) {
        out.pair(0, "LINE");
        out.pair(8, shape.layer);
        out.point(10, line->from);
        out.point(11, line->to);
    } else if (const auto* circle = std::get_if<Circle>(&shape.entity)) {
        out.pair(0, "CIRCLE");
        out.pair(8, shape.layer);
        out.point(10, circle->centre);
        out.pair(40, circle->radius);
    } else {
        // A DXF arc runs counter-clockwise from its start angle to its end angle.
        const Arc& arc = std::get<Arc>(shape.entity);
        const double from = arc.sweep >= 0 ? arc.startAngle : arc.startAngle + arc.sweep;
        out.pair(0, "ARC");
        out.pair(8, shape.layer);
        out.point(10, arc.centre);
        out.pair(40, arc.radius);
        out.pair(50, degrees(from));
        out.pair(51, degrees(from + std::fabs(arc.sweep)));
    }
}

// ---- SVG ---------------------------------------------------------------------------------------

std::string svgColour(int colour) {
    switch (colour) {
    case 1:
        return "#d00000";
    case 3:
        return "#00a000";
    case 4:
        return "#0090a0";
    case 5:
        return "#0030d0";
    case 8:
        return "#808080";
    default:
        return "#000000";
    }
}

std::string svgPoint(Point p) {
    return number(p.x) + "," + number(-p.y); // SVG's y runs downwards
}

// The lines and arcs of one layer as one path; pieces that continue one another share a subpath.
std::string svgPath(const Drawing& drawing, const std::string& layer) {
    std::string d;
    bool open = false;
    Point first;
    Point last;
    for (const Shape& shape : drawing.shapes) {
        if (shape.layer != layer || std::holds_alternative<Circle>(shape.entity)) {
            continue;
        }
        const Element element = std::holds_alternative<Line>(shape.entity)
                                    ? Element(std::get<Line>(shape.entity))
                                    : Element(std::get<Arc>(shape.entity));
        if (!open || distance(startOf(element), last) > 1e-9) {
            d += (d.empty() ? "M" : " M") + svgPoint(startOf(element));
            first = startOf(element);
            open = true;
        }
        last = endOf(element);
        if (const auto* arc = std::get_if<Arc>(&element)) {
            // On the flipped y axis a counter-clockwise arc has sweep flag 0.
            d += " A" + number(arc->radius) + "," + number(arc->radius) + " 0 " +
                 (std::fabs(arc->sweep) > std::numbers::pi ? "1" : "0") + "," +
                 (arc->sweep > 0 ? "0" : "1") + " " + svgPoint(last);
        } else {
            d += " L" + svgPoint(last);
        }
        if (distance(last, first) < 1e-9) {
            d += " Z";
            open = false;
        }
    }
    return d;
}

} // namespace

std::string dxfText(const Drawing& drawing) {
    const Bounds box = boundsOf(drawing);
    DxfOut out;
    out.pair(0, "SECTION");
    out.pair(2, "HEADER");
    out.pair(9, "$ACADVER");
    out.pair(1, "AC1009");
    out.pair(9, "$INSBASE");
    out.point(10, {0, 0});
    out.pair(9, "$EXTMIN");
    out.point(10, box.low);
    out.pair(9, "$EXTMAX");
    out.point(10, box.high);
    out.pair(9, "$LUNITS");
    out.pair(70, 2);
    out.pair(9, "$LUPREC");
    out.pair(70, 4);
    out.pair(0, "ENDSEC");

    out.pair(0, "SECTION");
    out.pair(2, "TABLES");
    out.pair(0, "TABLE");
    out.pair(2, "LTYPE");
    out.pair(70, 2);
    out.pair(0, "LTYPE");
    out.pair(2, "CONTINUOUS");
    out.pair(70, 0);
    out.pair(3, "Solid line");
    out.pair(72, 65);
    out.pair(73, 0);
    out.pair(40, 0.0);
    centreLineType(out);
    out.pair(0, "ENDTAB");
    layerTable(out, drawing);
    out.pair(0, "ENDSEC");

    out.pair(0, "SECTION");
    out.pair(2, "BLOCKS");
    out.pair(0, "ENDSEC");

    out.pair(0, "SECTION");
    out.pair(2, "ENTITIES");
    for (const Shape& shape : drawing.shapes) {
        entity(out, shape);
    }
    out.pair(0, "ENDSEC");
    out.pair(0, "EOF");
    return out.text_;
}

std::string svgText(const Drawing& drawing, const std::string& title) {
    const Bounds box = boundsOf(drawing);
    const double margin = 0.03 * std::max(box.high.x - box.low.x, box.high.y - box.low.y) + 1;
    const double left = box.low.x - margin;
    const double top = -box.high.y - margin;
    const double width = box.high.x - box.low.x + 2 * margin;
    const double height = box.high.y - box.low.y + 2 * margin;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
                      number(width) + "mm\" height=\"" + number(height) + "mm\" viewBox=\"" +
                      number(left) + " " + number(top) + " " + number(width) + " " +
                      number(height) + "\">\n<title>" + text::escapeMarkup(title) + "</title>\n";
    for (const Layer& layer : drawing.layers) {
        svg += "<g id=\"" + text::escapeMarkup(layer.name) + "\" fill=\"none\" stroke=\"" +
               svgColour(layer.colour) + "\" stroke-width=\"" +
               (layer.name == kProfileLayer ? "0.15" : "0.08") + "\"" +
               (layer.centreLine ? " stroke-dasharray=\"6,1.5,1,1.5\"" : "") + ">\n<desc>" +
               text::escapeMarkup(layer.description) + "</desc>\n";
        const std::string path = svgPath(drawing, layer.name);
        if (!path.empty()) {
            svg += "<path d=\"" + path + "\"/>\n";
        }
        for (const Shape& shape : drawing.shapes) {
            if (const auto* circle = std::get_if<Circle>(&shape.entity);
                circle && shape.layer == layer.name) {
                svg += "<circle cx=\"" + number(circle->centre.x) + "\" cy=\"" +
                       number(-circle->centre.y) + "\" r=\"" + number(circle->radius) + "\"/>\n";
            }
        }
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

void writeFileWhole(const std::filesystem::path& target, const std::string& text) {
    namespace fs = std::filesystem;
    const fs::path scratch = target.parent_path() /
                             ("." + target.filename().string() + "." + std::to_string(::getpid()));
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(scratch, ignored);
            throw ProfileError("无法写入文件“" + target.string() + "”。");
        }
    }
    std::error_code error;
    fs::rename(scratch, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(scratch, ignored);
        throw ProfileError("无法写入文件“" + target.string() + "”：" +
                           zorvane::text::systemErrorText(error));
    }
}

} // namespace zorvane::profile
