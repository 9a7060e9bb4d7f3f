// The report commands of the main window on a roller design finished in the window: disabled
// until the last step, then the real preview of the combined and the history report offscreen,
// with page navigation, export through the scripted save dialog and printing into a file.

#include "app/reports/preview_dialog.h"
#include "app/shell/main_window.h"
#include "core/design/finished_design.h"
#include "core/design/scripted_interaction.h"
#include "core/design/steps.h"
#include "core/records/design_history.h"
#include "support/design_inputs.h"
#include "support/workspace.h"
#include "window_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <fstream>

using namespace zorvane;

class ReportPreviewTest : public QObject {
    Q_OBJECT

private:
    testing::Workspace workspace_;
    design::ScriptedInteraction ui_;
    std::unique_ptr<app::MainWindow> window_;
    testing::WindowDriver drive_;

    void click(const char* name) { drive_.click(name); }
    bool enabled(const char* name) { return drive_.find<QAbstractButton>(name)->isEnabled(); }

    // The low-speed roller design clicked through the window, every step with its proposals.
    void finishRollerDesign() {
        click("spnBegin");
        click("spnSelect");
        drive_.find<QAbstractButton>("radRoll")->click();
        click("btnSelOK");
        click(design::stepAt(design::Chain::Roller, 0).name.data());
        drive_.fillInit(testing::lowSpeedSingleRow());
        click("btnInitOK");
        for (int p = 1; p <= design::lastPosition(design::Chain::Roller); ++p) {
            click(design::stepAt(design::Chain::Roller, p).name.data());
            if (p == 1) {
                click("btnZOk");
                click("btnRZOK");
            } else if (p == 4) {
                click("Button3");
            } else if (p == 5) {
                click("btnAOk");
            } else if (p == 7) {
                click("btnIntensityOK");
            }
        }
    }

    // The dialog with its frame lies inside the free area of the screen it shows on.
    static void expectOnScreen(const QWidget& dialog) {
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
    }

    QString output(const char* name) const {
        return QString::fromStdString((workspace_.path() / name).string());
    }

private slots:
    void initTestCase() {
        window_ = std::make_unique<app::MainWindow>(ui_, workspace_.path());
        drive_.setWindow(window_.get());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanupTestCase() { window_.reset(); }

    void reportCommandsWaitForTheLastStep() {
        QVERIFY(!enabled("spnResult"));
        QVERIFY(!window_->action(QStringLiteral("mniHistory"))->isEnabled());
        design::showReport(window_->session(), report::ReportId::Combined);
        QVERIFY(ui_.previews().empty());
        finishRollerDesign();
        QVERIFY(enabled("spnResult"));
        QVERIFY(enabled("spnHistory"));
        for (const char* item : {"mniInit", "mniRst", "mniSize", "mniHistory"}) {
            QVERIFY2(window_->action(QString::fromLatin1(item))->isEnabled(), item);
        }
    }

    void combinedReportPreviewNavigatesExportsAndCloses() {
        int pages = 0;
        ui_.saveAnswer(output("combined.pdf").toStdString());
        ui_.saveAnswer(output("combined-export").toStdString(), 2); // CSV by the chosen type
        ui_.printAnswer({"", output("printed.pdf").toStdString(), 1, 0, 0});
        ui_.onPreview = [&](const report::Document& document) {
            app::PreviewDialog preview(document, ui_, window_.get());
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            pages = preview.pageCount();
            QCOMPARE(preview.windowTitle(), QStringLiteral("设计结果报表"));
            expectOnScreen(preview);
            QCOMPARE(preview.currentPage(), 1);
            preview.findChild<QAction*>(QStringLiteral("actLastPage"))->trigger();
            QCOMPARE(preview.currentPage(), pages);
            QCOMPARE(preview.findChild<QLabel*>(QStringLiteral("lblPage"))->text(),
                     QStringLiteral("第 %1 / %1 页").arg(pages));
            preview.findChild<QAction*>(QStringLiteral("actFirstPage"))->trigger();
            preview.findChild<QAction*>(QStringLiteral("actZoomIn"))->trigger();
            preview.grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/report-preview.png"));
            preview.exportReport();
            QCOMPARE(preview.statusBar()->currentMessage(),
                     QStringLiteral("已导出：") + output("combined.pdf"));
            preview.exportReport();
            QCOMPARE(preview.statusBar()->currentMessage(),
                     QStringLiteral("已导出：") + output("combined-export.csv"));
            preview.printReport();
            preview.findChild<QAction*>(QStringLiteral("actClose"))->trigger();
            QVERIFY(!preview.isVisible());
        };
        click("spnResult");
        ui_.onPreview = nullptr;

        QCOMPARE(ui_.previews().size(), std::size_t{1});
        const report::Document& shown = ui_.previews().back();
        QCOMPARE(shown.name, std::string("qrcInitRst_Rep"));
        QCOMPARE(shown.sections.size(), std::size_t{3});
        QCOMPARE(shown.sections[2].rows.size(), std::size_t{9});
        QVERIFY(pages >= 2);
        for (const char* file : {"combined.pdf", "printed.pdf"}) {
            QFile pdf(output(file));
            QVERIFY2(pdf.open(QIODevice::ReadOnly), file);
            QVERIFY(pdf.read(5) == "%PDF-");
        }
        QFile csv(output("combined-export.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(csv.readAll()).contains(QStringLiteral("链轮的基本尺寸")));
        // Nothing but the report's own dialogs came up.
        for (const auto& exchange : ui_.log()) {
            QVERIFY2(exchange.kind != "error", exchange.text.c_str());
        }
    }

    void historyReportShowsEveryEntry() {
        ui_.onPreview = [&](const report::Document& document) {
            app::PreviewDialog preview(document, ui_, window_.get());
            QCOMPARE(preview.windowTitle(), QStringLiteral("历史记录结果报表"));
            QVERIFY(preview.pageCount() >= 2);
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            expectOnScreen(preview);
            preview.grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/history-preview.png"));
        };
        window_->action(QStringLiteral("mniHistory"))->trigger();
        ui_.onPreview = nullptr;
        const auto& history = *window_->session().history()->historyTable();
        QCOMPARE(static_cast<int>(ui_.previews().back().sections[0].rows.size()),
                 history.recordCount());
    }

    // Screens' free areas (a task bar taken off) and the frames window systems draw.
    void previewFitsTheScreen_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("centre");
        QTest::addRow("laptop 1366x768")
            << QRect(0, 0, 1366, 728) << QMargins(1, 31, 1, 1) << QPoint(683, 364);
        QTest::addRow("laptop, parent near the top")
            << QRect(0, 0, 1366, 728) << QMargins(4, 24, 4, 4) << QPoint(300, 40);
        QTest::addRow("second screen to the right")
            << QRect(1920, 0, 1366, 738) << QMargins(1, 31, 1, 1) << QPoint(2000, 700);
        QTest::addRow("task bar on the left")
            << QRect(48, 0, 1232, 1024) << QMargins(0, 0, 0, 0) << QPoint(0, 0);
        QTest::addRow("large screen")
            << QRect(0, 0, 1920, 1040) << QMargins(1, 31, 1, 1) << QPoint(960, 520);
    }
    void previewFitsTheScreen() {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, centre);
        const QSize wanted(900, 960);
        const QRect placed = app::PreviewDialog::fittedGeometry(wanted, available, frame, centre);
        QVERIFY(available.contains(placed.marginsAdded(frame)));
        // As large as asked where the screen allows it, else as large as the screen allows.
        QCOMPARE(placed.width(),
                 std::min(wanted.width(), available.width() - frame.left() - frame.right()));
        QCOMPARE(placed.height(),
                 std::min(wanted.height(), available.height() - frame.top() - frame.bottom()));
    }

    void missingTableStopsBeforeThePreview() {
        const auto before = ui_.previews().size();
        // Damaged under the running program: the table file's bytes are no table any more.
        std::ofstream(workspace_.database() / "Size_Unnamed.db", std::ios::binary | std::ios::trunc)
            << std::string(8192, 'x');
        window_->action(QStringLiteral("mniSize"))->trigger();
        QCOMPARE(ui_.previews().size(), before);
        const auto& last = ui_.log().back();
        QCOMPARE(last.kind, std::string("error"));
        QVERIFY2(last.text.find("Size_Unnamed") != std::string::npos, last.text.c_str());
    }
};

QTEST_MAIN(ReportPreviewTest)
#include "report_preview_test.moc"
