#include "app/reports/preview_dialog.h"

#include "core/report/report_writers.h"
#include "render/report_files.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

#include <filesystem>

namespace zorvane::app {

using render::ExportError;
using render::ExportFormat;
using render::kExportFormats;
using render::writeReportFile;

namespace {

// The file type of a chosen file: by its suffix when it names one of the types, otherwise the
// type selected in the dialog (whose suffix the file then gets).
std::pair<ExportFormat, std::string> exportTarget(const design::SavedFile& saved) {
    std::string path = saved.path;
    std::string suffix = std::filesystem::path(path).extension().string();
    for (char& c : suffix) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const auto& info : kExportFormats) {
        if (suffix == "." + std::string(info.suffix) ||
            (info.format == ExportFormat::Html && suffix == ".htm")) {
            return {info.format, path};
        }
    }
    const auto index = static_cast<std::size_t>(saved.filter);
    const auto& info = kExportFormats[index < kExportFormats.size() ? index : 0];
    return {info.format, path + "." + std::string(info.suffix)};
}

// What the window system draws around a window.
QMargins frameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The size the preview asks for: a page's width at a readable zoom and most of a page's height.
constexpr QSize kWantedSize(900, 960);

} // namespace

PreviewDialog::PreviewDialog(const report::Document& document, design::Interaction& ui,
                             QWidget* parent)
    : QDialog(parent), document_(document), ui_(ui), layout_(document_),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QString::fromStdString(document_.caption));
    printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                        QMarginsF(report::kPageMarginMm, report::kPageMarginMm,
                                                  report::kPageMarginMm, report::kPageMarginMm),
                                        QPageLayout::Millimeter));
    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setObjectName(QStringLiteral("pvwReport"));
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { layout_.print(*printer); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PreviewDialog::updatePageLabel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildToolBar();
    column->addWidget(preview_, 1);
    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("sbrPreview"));
    column->addWidget(status_);
    fitToScreen();
    preview_->fitToWidth();
    preview_->updatePreview();
}

PreviewDialog::~PreviewDialog() = default;

QRect PreviewDialog::fittedGeometry(QSize wanted, const QRect& available, const QMargins& frame,
                                    QPoint centre) {
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize outer = (wanted + frameSize).boundedTo(available.size());
    QRect placed(QPoint(), outer);
    placed.moveCenter(centre);
    placed.moveLeft(
        std::clamp(placed.left(), available.left(), available.right() - outer.width() + 1));
    placed.moveTop(
        std::clamp(placed.top(), available.top(), available.bottom() - outer.height() + 1));
    return placed.marginsRemoved(frame);
}

void PreviewDialog::fitToScreen() {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        resize(kWantedSize);
        return;
    }
    // Until the dialog has a frame of its own, its parent's tells how thick one is.
    const QMargins frame = owner ? frameOf(*owner) : QMargins();
    const QRect available = screen->availableGeometry();
    const QPoint centre = owner && available.intersects(owner->frameGeometry())
                              ? owner->frameGeometry().center()
                              : available.center();
    setGeometry(fittedGeometry(kWantedSize, available, frame, centre));
}

void PreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The window system knows the frame now; the first placement could only guess it.
    if (const QWindow* window = windowHandle()) {
        const QMargins frame = window->frameMargins();
        const QRect outer = geometry().marginsAdded(frame);
        const QScreen* screen = window->screen();
        if (screen && !screen->availableGeometry().contains(outer)) {
            setGeometry(fittedGeometry(size(), screen->availableGeometry(), frame, outer.center()));
        }
    }
}

void PreviewDialog::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbrPreview"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout()->addWidget(bar);
    auto add = [&](const char* name, const char* text, auto slot) {
        QAction* action = bar->addAction(QString::fromUtf8(text));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("actFitWidth", "适合宽度", [this] { preview_->fitToWidth(); });
    add("actFitPage", "整页", [this] { preview_->fitInView(); });
    add("actZoomIn", "放大", [this] { preview_->zoomIn(); });
    add("actZoomOut", "缩小", [this] { preview_->zoomOut(); });
    bar->addSeparator();
    add("actFirstPage", "首页", [this] { showPage(1); });
    add("actPriorPage", "上一页", [this] { showPage(currentPage() - 1); });
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("lblPage"));
    pageLabel_->setMinimumWidth(90);
    pageLabel_->setAlignment(Qt::AlignCenter);
    bar->addWidget(pageLabel_);
    add("actNextPage", "下一页", [this] { showPage(currentPage() + 1); });
    add("actLastPage", "末页", [this] { showPage(pageCount()); });
    bar->addSeparator();
    add("actPrint", "打印...", &PreviewDialog::printReport);
    add("actExport", "导出...", &PreviewDialog::exportReport);
    bar->addSeparator();
    add("actClose", "关闭", &QDialog::accept);
}

int PreviewDialog::pageCount() const {
    return preview_->pageCount();
}

int PreviewDialog::currentPage() const {
    return preview_->currentPage();
}

void PreviewDialog::showPage(int page) {
    preview_->setCurrentPage(std::clamp(page, 1, std::max(1, pageCount())));
    updatePageLabel();
}

void PreviewDialog::updatePageLabel() {
    pageLabel_->setText(
        QStringLiteral("第 %1 / %2 页").arg(currentPage()).arg(std::max(1, pageCount())));
}

void PreviewDialog::printReport() {
    design::PrintSettings settings;
    settings.fromPage = 1;
    settings.toPage = pageCount();
    if (!ui_.choosePrinter(settings)) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!settings.outputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(settings.outputFile));
    } else if (!settings.printer.empty()) {
        printer.setPrinterName(QString::fromStdString(settings.printer));
    }
    printer.setCopyCount(std::max(1, settings.copies));
    if (!printer.isValid() || !layout_.print(printer, settings.fromPage, settings.toPage)) {
        design::showError(
            ui_, "无法打印到“" +
                     (settings.outputFile.empty() ? settings.printer : settings.outputFile) + "”");
    }
}

std::string PreviewDialog::proposedFileName(const report::Document& document) {
    if (document.sections.size() == 1) {
        return report::compactCaption(document.sections.front().title.text) + ".pdf";
    }
    return document.caption + ".pdf";
}

void PreviewDialog::exportReport() {
    design::SaveFileDialog dialog;
    dialog.caption = "导出报表";
    for (const auto& info : kExportFormats) {
        dialog.filters.emplace_back(info.filter);
    }
    dialog.fileName = proposedFileName(document_);
    const auto chosen = ui_.saveFile(dialog);
    if (!chosen || chosen->path.empty()) {
        return;
    }
    const auto [format, path] = exportTarget(*chosen);
    try {
        writeReportFile(document_, format, path);
        status_->showMessage(QString::fromStdString("已导出：" + path));
    } catch (const ExportError& error) {
        status_->clearMessage();
        design::showError(ui_, error.what());
    }
}

} // namespace zorvane::app
