#pragma once
// Writing a report into a file: PDF through Qt's PDF writer, plain text, CSV and HTML through
// the core's writers. A file is written beside its final name and renamed into place when it is
// whole, so a failed export leaves no half-written file behind.

#include "core/report/report_document.h"

#include <QByteArray>

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zorvane::render {

enum class ExportFormat { Pdf, Text, Csv, Html };

struct ExportFormatInfo {
    ExportFormat format;
    std::string_view suffix; // without the dot
    std::string_view filter; // for the save dialog
};

// In the order the save dialog offers them.
constexpr std::array<ExportFormatInfo, 4> kExportFormats{{
    {ExportFormat::Pdf, "pdf", "PDF 文件 (*.pdf)"},
    {ExportFormat::Text, "txt", "文本文件 (*.txt)"},
    {ExportFormat::Csv, "csv", "CSV 文件 (*.csv)"},
    {ExportFormat::Html, "html", "HTML 文件 (*.html)"},
}};

// Why a file could not be written, for the user; names the file.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `document` as `format` into `path`. Throws ExportError.
void writeReportFile(const report::Document& document, ExportFormat format,
                     const std::string& path);

// The PDF bytes of a report.
QByteArray reportPdf(const report::Document& document);

} // namespace zorvane::render
