#include "tools/dbbuild/database_builder.h"

#include "core/design/reference_manifest.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/table_digest.h"
#include "core/text/number_text.h"
#include "tools/dbbuild/csv_table.h"
#include "tools/dbbuild/program_coefficients.h"

#include <algorithm>
#include <fstream>

namespace zorvane::dbbuild {

namespace fs = std::filesystem;
using store::FieldKind;
using store::Value;

namespace {

// Characters of a UTF-8 text (the size of a text field counts characters, not bytes).
std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::vector<fs::path> sourceFiles(const fs::path& tablesDir) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(tablesDir)) {
        if (entry.is_regular_file() && entry.path().extension() == ".csv") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class TableWriter {
public:
    TableWriter(const fs::path& outDir, const FormulaPainter& painter, BuildReport& report)
        : outDir_(outDir), painter_(painter), report_(report) {}

    void write(const SourceTable& source, const std::string& fileLabel) {
        store::Table table(outDir_, source.name);
        table.setFieldDefs(source.fields);
        table.create();
        table.setReadOnly(false);
        table.open();
        for (const auto& row : source.rows) {
            table.append();
            for (std::size_t i = 0; i < source.fields.size(); ++i) {
                if (const auto& text = row.cells[i].text) {
                    table.setField(static_cast<int>(i),
                                   value(source.fields[i], *text, fileLabel, row.line));
                }
            }
            table.post();
            ++report_.rows;
        }
        ++report_.tables;
    }

private:
    Value value(const store::FieldDef& field, const std::string& text, const std::string& fileLabel,
                int line) {
        const auto fail = [&](const std::string& what) { refuse(field, fileLabel, line, what); };
        switch (field.kind) {
        case FieldKind::Text:
            if (characterCount(text) > static_cast<std::size_t>(field.size)) {
                fail("文本超过 " + std::to_string(field.size) + " 个字符");
            }
            return Value(text);
        case FieldKind::Memo:
            return Value(text);
        case FieldKind::Number:
            if (const auto number = text::parseDecimal(text)) {
                return Value(*number);
            }
            refuse(field, fileLabel, line, "“" + text + "”不是数值");
        case FieldKind::Integer:
            if (const auto whole = text::parseInteger(text)) {
                return Value(static_cast<std::int64_t>(*whole));
            }
            refuse(field, fileLabel, line, "“" + text + "”不是整数");
        case FieldKind::Graphic:
            try {
                const auto bytes = painter_(text);
                ++report_.pictures;
                return Value(store::Bytes(bytes.begin(), bytes.end()));
            } catch (const std::exception& error) {
                refuse(field, fileLabel, line, std::string("公式无法绘制：") + error.what());
            }
        }
        refuse(field, fileLabel, line, "未知的字段类型");
    }

    [[noreturn]] static void refuse(const store::FieldDef& field, const std::string& fileLabel,
                                    int line, const std::string& what) {
        throw SourceError(fileLabel + " 第 " + std::to_string(line) + " 行，字段“" + field.name +
                          "”：" + what);
    }

    fs::path outDir_;
    const FormulaPainter& painter_;
    BuildReport& report_;
};

// The working size table starts empty with the fields both size templates share.
void writeEmptySizeTable(const fs::path& outDir) {
    store::Table rollerSizes(outDir, "R_Size");
    store::Table toothedSizes(outDir, "D_Size");
    rollerSizes.open();
    toothedSizes.open();
    if (rollerSizes.fields() != toothedSizes.fields()) {
        throw SourceError("R_Size 与 D_Size 的字段不同；两个尺寸模板必须字段相同");
    }
    store::Table size(outDir, "Size_Unnamed");
    size.setFieldDefs(rollerSizes.fields());
    size.create();
}

// The manifest of every table built from a source, read back as a design reads it; the working
// size table is left out, since a design writes it.
void writeManifest(const fs::path& outDir, const std::vector<std::string>& tables) {
    std::vector<design::ManifestEntry> entries;
    for (const auto& name : tables) {
        store::Table table(outDir, name);
        table.open();
        entries.push_back({name, store::digestOf(table)});
    }
    const fs::path file = outDir / design::kManifestFileName;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << design::formatManifest(entries);
    out.close();
    if (!out) {
        throw SourceError("无法写入参考数据清单“" + file.string() + "”");
    }
}

} // namespace

BuildReport buildDatabase(const fs::path& dataDir, const fs::path& outputDir,
                          const FormulaPainter& painter) {
    const fs::path tablesDir = dataDir / "tables";
    if (!fs::is_directory(tablesDir)) {
        throw SourceError("找不到数据源目录“" + tablesDir.string() + "”");
    }
    const fs::path building = outputDir.string() + ".building";
    fs::remove_all(building);
    fs::create_directories(building);

    BuildReport report;
    TableWriter writer(building, painter, report);
    std::vector<std::string> built;
    for (const auto& file : sourceFiles(tablesDir)) {
        const auto source = readSourceTable(file);
        writer.write(source, file.string());
        built.push_back(source.name);
    }
    writeEmptySizeTable(building);
    checkProgramCoefficients(building);
    writeManifest(building, built);

    fs::remove_all(outputDir);
    fs::rename(building, outputDir);
    return report;
}

} // namespace zorvane::dbbuild
