#pragma once
// The print preview of a report: its pages at a chosen zoom, page by page, with printing through
// the printer dialog and export to PDF, text, CSV and HTML through the save dialog. Both dialogs
// go through the Interaction, so that tests drive them with scripted answers.

#include "core/design/interaction.h"
#include "core/report/report_document.h"
#include "render/report_layout.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QStatusBar;

namespace zorvane::app {

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    PreviewDialog(const report::Document& document, design::Interaction& ui,
                  QWidget* parent = nullptr);
    ~PreviewDialog() override;

    QPrintPreviewWidget* preview() const { return preview_; }
    // At the bottom: names the file the last export wrote.
    QStatusBar* statusBar() const { return status_; }
    int pageCount() const;
    int currentPage() const;
    void showPage(int page);

    // 打印: the printer dialog, then the pages chosen there to the printer chosen there.
    void printReport();
    // 导出: the save dialog, then the report in the file type chosen there.
    void exportReport();

    // The file name the save dialog proposes, after the report's title.
    static std::string proposedFileName(const report::Document& document);

    // Where the dialog goes: `wanted` as far as it fits in `available` (a screen's free area)
    // with the window frame's `frame` around it, centred on `centre` and moved inside
    // `available`. The rectangle is the dialog's own, without its frame.
    static QRect fittedGeometry(QSize wanted, const QRect& available, const QMargins& frame,
                                QPoint centre);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolBar();
    void updatePageLabel();
    // Sizes and places the dialog within the free area of its parent's screen.
    void fitToScreen();

    report::Document document_;
    design::Interaction& ui_;
    render::ReportLayout layout_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QStatusBar* status_ = nullptr;
};

} // namespace zorvane::app
