#include "render/report_files.h"

#include "core/report/report_writers.h"
#include "render/report_layout.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>

namespace zorvane::render {

QByteArray reportPdf(const report::Document& document) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(document.caption));
        writer.setCreator(QStringLiteral("Zorvane"));
        writer.setResolution(600);
        ReportLayout(document).print(writer);
    }
    return bytes;
}

void writeReportFile(const report::Document& document, ExportFormat format,
                     const std::string& path) {
    QByteArray bytes;
    switch (format) {
    case ExportFormat::Pdf:
        bytes = reportPdf(document);
        break;
    case ExportFormat::Text:
        bytes = QByteArray::fromStdString(report::toText(document));
        break;
    case ExportFormat::Csv:
        bytes = QByteArray::fromStdString(report::toCsv(document));
        break;
    case ExportFormat::Html:
        bytes = QByteArray::fromStdString(report::toHtml(document));
        break;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw ExportError("无法写入文件“" + path + "”：" + file.errorString().toStdString());
    }
}

} // namespace zorvane::render
