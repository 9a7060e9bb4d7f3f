#include "core/report/report_writers.h"

namespace zorvane::report {

namespace {

std::string quoted(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

void appendRecord(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += (i ? "," : "") + quoted(fields[i]);
    }
    out += "\r\n";
}

void appendSection(std::string& out, const Section& section) {
    std::vector<std::size_t> printed;
    std::vector<std::string> header;
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        if (section.columns[c].kind != CellKind::Picture) {
            printed.push_back(c);
            header.push_back(compactCaption(section.columns[c].caption));
        }
    }
    appendRecord(out, header);
    for (const ReportRow& row : section.rows) {
        std::vector<std::string> fields;
        for (std::size_t c : printed) {
            fields.push_back(row[c].text);
        }
        appendRecord(out, fields);
    }
}

} // namespace

std::string toCsv(const Document& document) {
    std::string out(kUtf8ByteOrderMark);
    const bool titled = document.sections.size() > 1;
    for (std::size_t i = 0; i < document.sections.size(); ++i) {
        const Section& section = document.sections[i];
        if (titled) {
            if (i > 0) {
                out += "\r\n";
            }
            appendRecord(out, {compactCaption(section.title.text)});
        }
        appendSection(out, section);
    }
    return out;
}

} // namespace zorvane::report
