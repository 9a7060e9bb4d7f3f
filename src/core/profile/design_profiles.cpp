#include "core/profile/design_profiles.h"

#include "core/store/table.h"
#include "core/text/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>

namespace zorvane::profile {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNotFinished = "设计尚未完成：请先完成“链轮主要尺寸”一步，再导出链轮齿形。";
// The size table writes its values with 2 decimals.
constexpr double kSizeTextMm = 0.0051;

struct SizeRow {
    double small = 0;
    double large = 0;
};

// Item → value text of a table's rows, the first row of each item.
std::map<std::string, std::string> readColumn(const fs::path& databaseDir, const char* table,
                                              const char* key, const char* value) {
    store::Table rows(databaseDir, table);
    rows.open();
    std::map<std::string, std::string> column;
    for (rows.first(); !rows.eof(); rows.next()) {
        column.emplace(text::trimmed(rows.text(key)), text::trimmed(rows.text(value)));
    }
    rows.close();
    return column;
}

std::map<std::string, SizeRow> readSizes(const fs::path& databaseDir) {
    store::Table rows(databaseDir, "Size_Unnamed");
    rows.open();
    std::map<std::string, SizeRow> sizes;
    for (rows.first(); !rows.eof(); rows.next()) {
        const auto small = text::parseDecimal(text::trimmed(rows.text("小链轮数值")));
        const auto large = text::parseDecimal(text::trimmed(rows.text("大链轮数值")));
        if (small && large) {
            sizes.emplace(text::trimmed(rows.text("名称")), SizeRow{*small, *large});
        }
    }
    rows.close();
    return sizes;
}

double resultNumber(const std::map<std::string, std::string>& results, const std::string& item) {
    const auto found = results.find(item);
    const auto value = found == results.end() ? std::nullopt : text::parseDecimal(found->second);
    if (!value || !std::isfinite(*value)) {
        throw ProfileError(std::string(kNotFinished) + "（设计结果中缺少“" + item + "”）");
    }
    return *value;
}

int teethOf(const std::map<std::string, std::string>& results, const std::string& item) {
    const double z = resultNumber(results, item);
    if (z != std::round(z) || z < 1 || z > 100000) {
        throw ProfileError("设计结果中的" + item + "“" + results.at(item) + "”不是有效的齿数。");
    }
    return static_cast<int>(z);
}

// The sizes the profile is drawn from must be those the design's size table shows.
void checkAgainstTable(const SprocketSpec& spec, const std::map<std::string, SizeRow>& sizes,
                       bool small) {
    const ProfileSizes computed = profileSizes(spec);
    for (const auto& [item, value] :
         {std::pair{"分度圆直径", computed.pitchDiameter}, {"齿根圆直径", computed.rootDiameter}}) {
        const auto row = sizes.find(item);
        if (row == sizes.end()) {
            throw ProfileError(kNotFinished);
        }
        if (std::fabs((small ? row->second.small : row->second.large) - value) > kSizeTextMm) {
            throw ProfileError(std::string("设计数据表中") + (small ? "小" : "大") + "链轮的" +
                               item + "与链条节距和齿数不符，无法导出齿形。");
        }
    }
}

} // namespace

DesignProfiles loadDesignProfiles(const fs::path& databaseDir) {
    const auto sizes = readSizes(databaseDir);
    if (sizes.empty()) {
        throw ProfileError(kNotFinished);
    }
    const auto results = readColumn(databaseDir, "Result_Unnamed", "项目", "数值");
    ToothForm form = ToothForm::RollerStandard;
    if (sizes.count("齿楔角")) {
        form = ToothForm::Toothed;
    } else if (sizes.count("齿顶圆直径")) {
        form = ToothForm::RollerThreeArc;
    } else if (!sizes.count("齿顶圆最大直径")) {
        throw ProfileError(kNotFinished);
    }
    SprocketSpec spec;
    spec.form = form;
    spec.pitchMm = resultNumber(results, "链条节距");
    if (form != ToothForm::Toothed) {
        spec.rollerDiameterMm = resultNumber(results, "滚子外径(最大值)");
    }
    DesignProfiles design;
    design.sprockets = {spec, spec};
    design.sprockets[0].teeth = teethOf(results, "小链轮齿数");
    design.sprockets[1].teeth = teethOf(results, "大链轮齿数");
    // The roller design gives the small sprocket's largest allowed bore.
    if (form != ToothForm::Toothed && results.count("小链轮毂孔许用直径")) {
        design.sprockets[0].boreDiameterMm = resultNumber(results, "小链轮毂孔许用直径");
    }
    checkAgainstTable(design.sprockets[0], sizes, true);
    checkAgainstTable(design.sprockets[1], sizes, false);
    return design;
}

std::array<std::string, 2> designProfileTexts(const DesignProfiles& design, FileFormat format) {
    std::array<std::string, 2> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SprocketSpec& spec = design.sprockets[i];
        const Drawing drawing = drawingOf(buildProfile(spec));
        const std::string title = std::string(i == 0 ? "小链轮" : "大链轮") +
                                  " z=" + std::to_string(spec.teeth) +
                                  (spec.form == ToothForm::Toothed ? " 齿形链" : " 滚子链") +
                                  " p=" + text::general(spec.pitchMm) + " mm";
        texts[i] = format == FileFormat::Dxf ? dxfText(drawing) : svgText(drawing, title);
    }
    return texts;
}

std::vector<fs::path> writeDesignProfiles(const DesignProfiles& design, FileFormat format,
                                          const fs::path& directory, const std::string& smallName,
                                          const std::string& largeName) {
    const char* suffix = format == FileFormat::Dxf ? ".dxf" : ".svg";
    // Both drawings are made before either file is written.
    const auto texts = designProfileTexts(design, format);
    std::vector<fs::path> written;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const fs::path path = directory / ((i == 0 ? smallName : largeName) + suffix);
        writeFileWhole(path, texts[i]);
        written.push_back(path);
    }
    return written;
}

void exportSprocketProfiles(design::Interaction& ui, const fs::path& databaseDir,
                            const std::string& proposedName) {
    DesignProfiles design;
    try {
        design = loadDesignProfiles(databaseDir);
        buildProfile(design.sprockets[0]); // a profile that cannot be drawn is told before
        buildProfile(design.sprockets[1]); // the dialog opens
    } catch (const ProfileError& error) {
        design::showError(ui, error.what());
        return;
    }
    const design::SaveFileDialog dialog{
        "导出齿形", {"DXF 文件 (*.dxf)", "SVG 文件 (*.svg)"}, 0, proposedName + ".dxf", "dxf", ""};
    const auto chosen = ui.saveFile(dialog);
    if (!chosen) {
        return;
    }
    const fs::path path(chosen->path);
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    FileFormat format = chosen->filter == 1 ? FileFormat::Svg : FileFormat::Dxf;
    std::string stem = path.filename().string();
    if (extension == ".dxf" || extension == ".svg") {
        format = extension == ".svg" ? FileFormat::Svg : FileFormat::Dxf;
        stem = path.stem().string();
    }
    const std::string suffix = format == FileFormat::Dxf ? ".dxf" : ".svg";
    const fs::path directory = path.parent_path();
    for (const char* which : {"-z1", "-z2"}) {
        const fs::path target = directory / (stem + which + suffix);
        if (fs::exists(target) &&
            design::askYesNo(ui, "文件“" + target.string() + "”已存在，要替换它吗？",
                             design::Answer::No) != design::Answer::Yes) {
            return;
        }
    }
    try {
        const auto written =
            writeDesignProfiles(design, format, directory, stem + "-z1", stem + "-z2");
        design::showInformation(
            ui, "小链轮（z1 = " + std::to_string(design.sprockets[0].teeth) +
                    "）和大链轮（z2 = " + std::to_string(design.sprockets[1].teeth) +
                    "）的齿形已写入：\n" + written[0].string() + "\n" + written[1].string());
    } catch (const ProfileError& error) {
        design::showError(ui, error.what());
    }
}

} // namespace zorvane::profile
