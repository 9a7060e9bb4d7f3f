#include "tools/dbbuild/csv_table.h"

#include "core/text/number_text.h"

#include <fstream>
#include <sstream>

namespace zorvane::dbbuild {

namespace {

class Reader {
public:
    Reader(std::string_view content, const std::string& fileLabel)
        : content_(content), label_(fileLabel) {}

    bool atEnd() const { return pos_ >= content_.size(); }
    int line() const { return line_; }

    // The rest of the current line, without its line break.
    std::string_view restOfLine() {
        const std::size_t end = content_.find('\n', pos_);
        const std::size_t stop = end == std::string_view::npos ? content_.size() : end;
        std::string_view text = content_.substr(pos_, stop - pos_);
        pos_ = stop == content_.size() ? stop : stop + 1;
        ++line_;
        return text;
    }

    bool peekIs(char c) const { return !atEnd() && content_[pos_] == c; }

    // One CSV record, which may span several lines inside quotes.
    std::vector<SourceCell> record() {
        std::vector<SourceCell> cells;
        while (true) {
            cells.push_back(cell());
            if (atEnd()) {
                return cells;
            }
            const char c = content_[pos_++];
            if (c == '\n') {
                ++line_;
                return cells;
            }
            if (c != ',') {
                fail("引号后应为逗号或行尾");
            }
        }
    }

    [[noreturn]] void fail(const std::string& what) const {
        throw SourceError(label_ + " 第 " + std::to_string(line_) + " 行：" + what);
    }

private:
    SourceCell cell() {
        if (peekIs('"')) {
            ++pos_;
            std::string text;
            while (true) {
                if (atEnd()) {
                    fail("引号没有闭合");
                }
                const char c = content_[pos_++];
                if (c == '"') {
                    if (peekIs('"')) {
                        text += '"';
                        ++pos_;
                        continue;
                    }
                    return {text};
                }
                if (c == '\n') {
                    ++line_;
                }
                text += c;
            }
        }
        const std::size_t start = pos_;
        while (!atEnd() && content_[pos_] != ',' && content_[pos_] != '\n') {
            if (content_[pos_] == '"' || content_[pos_] == '\r') {
                fail("未加引号的值中含有引号或回车符");
            }
            ++pos_;
        }
        if (pos_ == start) {
            return {};
        }
        return {std::string(content_.substr(start, pos_ - start))};
    }

    std::string_view content_;
    std::string label_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

store::FieldDef parseFieldDef(std::string_view spec, const Reader& reader) {
    store::FieldDef def;
    const std::size_t first = spec.find(':');
    if (first == std::string_view::npos || first == 0) {
        reader.fail("字段定义“" + std::string(spec) + "”应写作 名称:类型[:长度]");
    }
    def.name = std::string(spec.substr(0, first));
    std::string_view rest = spec.substr(first + 1);
    std::string_view kind = rest;
    std::string_view size;
    if (const std::size_t second = rest.find(':'); second != std::string_view::npos) {
        kind = rest.substr(0, second);
        size = rest.substr(second + 1);
    }
    const auto parsedKind = store::kindFromName(kind);
    if (!parsedKind) {
        reader.fail("字段“" + def.name + "”的类型“" + std::string(kind) + "”无法识别");
    }
    def.kind = *parsedKind;
    if (def.kind == store::FieldKind::Text) {
        def.size = 40;
    }
    if (!size.empty()) {
        const auto parsedSize = text::parseInteger(size);
        if (!parsedSize || *parsedSize <= 0 || *parsedSize > 4000 ||
            def.kind != store::FieldKind::Text) {
            reader.fail("字段“" + def.name + "”的长度“" + std::string(size) + "”不可用");
        }
        def.size = static_cast<int>(*parsedSize);
    }
    return def;
}

} // namespace

SourceTable parseSourceTable(std::string_view name, std::string_view content,
                             const std::string& fileLabel) {
    Reader reader(content, fileLabel);
    SourceTable table;
    table.name = std::string(name);
    while (!reader.atEnd() && reader.peekIs('#')) {
        reader.restOfLine();
    }
    if (reader.atEnd()) {
        reader.fail("缺少字段定义行");
    }
    const int headerLine = reader.line();
    for (const auto& cell : reader.record()) {
        if (!cell.text) {
            throw SourceError(fileLabel + " 第 " + std::to_string(headerLine) +
                              " 行：空的字段定义");
        }
        table.fields.push_back(parseFieldDef(*cell.text, reader));
    }
    while (!reader.atEnd()) {
        SourceRow row;
        row.line = reader.line();
        row.cells = reader.record();
        if (row.cells.size() == 1 && !row.cells.front().text && reader.atEnd()) {
            break; // the line break at the end of the file
        }
        if (row.cells.size() != table.fields.size()) {
            throw SourceError(fileLabel + " 第 " + std::to_string(row.line) + " 行：有 " +
                              std::to_string(row.cells.size()) + " 个值，应为 " +
                              std::to_string(table.fields.size()) + " 个");
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

SourceTable readSourceTable(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw SourceError("无法读取数据源文件“" + file.string() + "”");
    }
    std::ostringstream content;
    content << in.rdbuf();
    return parseSourceTable(file.stem().string(), content.str(), file.string());
}

} // namespace zorvane::dbbuild
