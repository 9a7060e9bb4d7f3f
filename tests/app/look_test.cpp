// The look of the window as the program starts it, with its Chinese font stand-ins: one face in
// each panel, the disabled lists of a toothed design greyed, the menu bar without focus frames.
// Saves a screenshot of every page and panel on the way through a roller design.

#include "app/records/history_page.h"
#include "app/records/result_page.h"
#include "app/shell/fonts.h"
#include "app/shell/main_window.h"
#include "app/shell/work_space.h"
#include "core/design/scripted_interaction.h"
#include "support/design_inputs.h"
#include "support/workspace.h"
#include "window_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace zorvane;

class LookTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::Workspace> workspace_;
    std::unique_ptr<design::ScriptedInteraction> ui_;
    std::unique_ptr<app::MainWindow> window_;
    testing::WindowDriver drive_;

    void shot(const QString& name) {
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/look-") + name +
                             QStringLiteral(".png"));
    }
    // Every label of a panel in one face: hints and notes as the captions.
    static void expectOneFace(QWidget* panel) {
        const QString face = QFontInfo(panel->font()).family();
        for (auto* label : panel->findChildren<QLabel*>()) {
            QVERIFY2(QFontInfo(label->font()).family() == face,
                     qPrintable(label->text() + QStringLiteral(" in ") +
                                QFontInfo(label->font()).family()));
        }
    }

private slots:
    void initTestCase() { app::installChineseFontSubstitutes(); }
    void init() {
        workspace_ = std::make_unique<testing::Workspace>();
        ui_ = std::make_unique<design::ScriptedInteraction>();
        window_ = std::make_unique<app::MainWindow>(*ui_, workspace_->path());
        drive_.setWindow(window_.get());
        window_->resize(1280, 900);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        ui_.reset();
        workspace_.reset();
    }

    // The menu bar keeps no frame after a menu: it takes no focus, and a button whose menu closed
    // with the mouse elsewhere is not drawn hovered.
    void menuBarKeepsNoFrameAfterAMenu() {
        for (const char* name : {"mniFileButton", "mniReportButton", "mniExit"}) {
            auto* button = drive_.find<QToolButton>(name);
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        }
        auto* file = drive_.find<QToolButton>("mniFileButton");
        file->setAttribute(Qt::WA_UnderMouse, true); // pressed with the mouse on it
        QCursor::setPos(window_->mapToGlobal(QPoint(700, 500)));
        QTimer::singleShot(0, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menu->close(); // an item chosen far from the button
            }
        });
        file->showMenu();
        QTRY_VERIFY(!file->testAttribute(Qt::WA_UnderMouse));
        shot(QStringLiteral("start"));
    }

    void toothedDisablesTheRowListsVisibly() {
        drive_.click("spnBegin");
        drive_.click("spnSelect");
        auto* rows = drive_.find<QComboBox>("cbxRoll");
        const QColor enabled = rows->palette().color(QPalette::Button);
        drive_.find<QRadioButton>("radDenti")->setChecked(true);
        for (const char* name : {"cbxRoll", "cbxRType"}) {
            auto* box = drive_.find<QComboBox>(name);
            QVERIFY(!box->isEnabled());
            QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Button),
                     QColor(0xD4, 0xD0, 0xC8));
        }
        shot(QStringLiteral("select-toothed"));
        drive_.find<QRadioButton>("radRoll")->setChecked(true);
        QCOMPARE(rows->palette().color(QPalette::Button), enabled);
    }

    // A roller design through its panels and pages; each in one face, each photographed.
    void rollerDesignPages() {
        drive_.click("spnBegin");
        drive_.click("spnSelect");
        drive_.click("btnSelOK");
        drive_.click("spnRInit");
        expectOneFace(drive_.find<QWidget>("pnlInit"));
        drive_.fillInit(testing::lowSpeedSingleRow());
        shot(QStringLiteral("init"));
        drive_.click("btnInitOK");
        drive_.click("spnRNum");
        expectOneFace(drive_.find<QWidget>("pnlz"));
        shot(QStringLiteral("z"));
        drive_.click("btnZOk");
        drive_.click("btnRZOK");
        drive_.click("spnRNodeS");
        drive_.click("spnRV");
        drive_.click("spnRInit_a0");
        expectOneFace(drive_.find<QWidget>("pnlInit_a0"));
        shot(QStringLiteral("init-a0"));
        drive_.click("Button3");
        drive_.click("spnR_a0");
        expectOneFace(drive_.find<QWidget>("pnla"));
        shot(QStringLiteral("a"));
        drive_.click("btnAOk");
        drive_.click("spnRF");
        drive_.click("spnRIntensity");
        expectOneFace(drive_.find<QWidget>("pnlIntensity"));
        drive_.click("btnIntensityOK");
        drive_.click("spnRWearable");
        drive_.click("spnRWheel");
        QCOMPARE(window_->pages()->currentIndex(), 2);
        // The newest rows are in view.
        QTableView* results = window_->resultPage()->resultGrid();
        const int last = results->model()->rowCount() - 1;
        QTRY_VERIFY(results->viewport()->rect().contains(
            results->visualRect(results->model()->index(last, 0))));
        shot(QStringLiteral("results"));
        window_->tabSet()->setCurrentIndex(1);
        shot(QStringLiteral("history"));
        window_->leftPages()->setCurrentIndex(1);
        QTreeWidgetItem* root = window_->tree()->topLevelItem(0);
        root->setExpanded(true);
        for (int i = 0; i < root->childCount(); ++i) {
            root->child(i)->setExpanded(true); // as the user opens them, one by one
        }
        shot(QStringLiteral("query"));
    }
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
