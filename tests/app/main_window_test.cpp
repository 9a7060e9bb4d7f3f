// The real main window, offscreen, with the program's Chinese font stand-ins, driven like a person
// with scripted answers. Pictures of its pages and panels are saved in the build directory.

#include "app/records/history_page.h"
#include "app/records/result_page.h"
#include "app/refdata/query_page.h"
#include "app/shell/design_list.h"
#include "app/shell/help_viewer.h"
#include "app/shell/init_panel.h"
#include "app/shell/qt_interaction.h"
#include "app/shell/recent_projects.h"
#include "app/shell/select_panel.h"
#include "app/shell/value_prompt.h"
#include "app/shell/work_space.h"
#include "core/records/design_history.h"
#include "core/roller/roller_design.h"
#include "render/fonts.h"
#include "support/design_inputs.h"
#include "support/main_window_fixture.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace zorvane;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class MainWindowTest : public QObject, public testing::MainWindowFixture<> {
    Q_OBJECT

private:
    template <class T> T* find(const char* name) { return drive_.find<T>(name); }
    void click(const char* name) { drive_.click(name); }
    void type(const char* name, const QString& text) {
        auto* edit = find<QLineEdit>(name);
        edit->setFocus();
        edit->setText(text);
    }
    void startRollerDesign(int rows) {
        click("spnBegin");
        click("spnSelect");
        find<QComboBox>("cbxRoll")->setCurrentIndex(rows);
        click("btnSelOK");
        click("spnRInit");
    }
    // The title as the window shows it: the modified mark as "*" while there is unsaved work.
    QString title() const {
        QString shown = window_->windowTitle();
        return shown.replace(QStringLiteral("[*]"),
                             window_->isWindowModified() ? QStringLiteral("*") : QString());
    }
    bool stepDone(const char* name) {
        for (const auto& step : design::steps(design::Chain::Roller)) {
            if (step.name == name) {
                return window_->session().status().done(step.tag);
            }
        }
        return false;
    }
    void grab(QWidget* widget, const QString& file) {
        widget->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/") + file);
    }
    // Every label of a panel in one face, hints and notes as the captions; then its picture.
    void expectOneFace(const char* name, const char* shot) {
        auto* panel = find<QWidget>(name);
        const QString face = QFontInfo(panel->font()).family();
        for (auto* label : panel->findChildren<QLabel*>()) {
            const QString family = QFontInfo(label->font()).family();
            QVERIFY2(family == face, qPrintable(label->text() + QStringLiteral(" in ") + family));
        }
        grab(window_.get(), QStringLiteral("look-%1.png").arg(QLatin1String(shot)));
    }

private slots:
    void initTestCase() { render::installChineseFontSubstitutes(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void startUpState() {
        QCOMPARE(title(), QStringLiteral("Zorvane"));
        const QStringList expected{QString(), QStringLiteral("链传动设计"),
                                   QStringLiteral("新设计"), QStringLiteral("新设计")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(window_->statusPanel(i)->text(), expected[i]);
        }
        QVERIFY(find<QToolButton>("spnBegin")->isVisible());
        QVERIFY(!find<QToolButton>("spnSelect")->isVisible());
        QVERIFY(!find<QWidget>("pnlRollerChain")->isVisible());
        QVERIFY(!find<QToolButton>("spnResult")->isEnabled());
        QVERIFY(!find<QToolButton>("spnHistory")->isEnabled());
        for (const char* name : {"mniInit", "mniRst", "mniSize", "mniHistory"}) {
            QVERIFY(!window_->action(QString::fromLatin1(name))->isEnabled());
        }
        grab(window_.get(), QStringLiteral("main-window.png"));
    }

    // The menu bar keeps no frame after a menu: it takes no focus, and a button whose menu closed
    // with the mouse elsewhere is not drawn hovered.
    void menuBarKeepsNoFrameAfterAMenu() {
        for (const char* name : {"mniFileButton", "mniReportButton", "mniExit"}) {
            QCOMPARE(find<QToolButton>(name)->focusPolicy(), Qt::NoFocus);
        }
        auto* file = find<QToolButton>("mniFileButton");
        file->setAttribute(Qt::WA_UnderMouse, true); // pressed with the mouse on it
        QCursor::setPos(window_->mapToGlobal(QPoint(700, 500)));
        QTimer::singleShot(0, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menu->close(); // an item chosen far from the button
            }
        });
        file->showMenu();
        QTRY_VERIFY(!file->testAttribute(Qt::WA_UnderMouse));
        grab(window_.get(), QStringLiteral("look-start.png"));
    }

    void pageSynchronisation() {
        window_->leftPages()->setCurrentIndex(1);
        QCOMPARE(window_->pages()->currentIndex(), 3);
        QCOMPARE(window_->tabSet()->currentIndex(), 3);
        window_->leftPages()->setCurrentIndex(0);
        QCOMPARE(window_->pages()->currentIndex(), 0); // no design begun yet
        click("spnBegin");
        window_->tabSet()->setCurrentIndex(2);
        QCOMPARE(window_->pages()->currentIndex(), 2);
        QCOMPARE(window_->leftPages()->currentIndex(), 0);
        window_->leftPages()->setCurrentIndex(1);
        window_->leftPages()->setCurrentIndex(0);
        QCOMPARE(window_->pages()->currentIndex(), 2); // a design without an open panel
    }

    void historyViewersFollowTheCurrentEntry() {
        records::DesignHistory history(workspace_->database(), "RD", false);
        history.AddEntry("小链轮齿数", 19);
        history.AddEntry("链条速度", 3.2);
        app::HistoryPage page;
        page.bind(history.historyTable());
        page.show();
        QVERIFY(page.formula()->pixmap().isNull() == false);
        const QString first = page.explanation()->toPlainText();
        QVERIFY(!first.isEmpty());
        QTest::mouseClick(page.findChild<QToolButton*>(QStringLiteral("navLast")), Qt::LeftButton);
        QCOMPARE(page.grid()->currentIndex().row(), 1);
        QVERIFY(page.explanation()->toPlainText() != first);
        page.grid()->setCurrentIndex(page.grid()->model()->index(0, 1));
        QCOMPARE(page.explanation()->toPlainText(), first);
        history.AddEntry("有效圆周力", 1260); // a new entry becomes current and is shown
        QCOMPARE(page.grid()->model()->rowCount(), 3);
    }

    void queryPageButtonRowAndBack() {
        window_->tabSet()->setCurrentIndex(3);
        auto* row = find<app::QueryButtonRow>("Panel3");
        row->resize(400, 28);
        const int room = 400 - row->sub()->width();
        QCOMPARE(row->sub()->x(), room / 3);
        QCOMPARE(row->goAhead()->x(), 2 * room / 3);
        QCOMPARE(row->closeTable()->x(), room);
        QCOMPARE(row->add()->x(), 0);
        click("spnGoAhead"); // no design begun: the work space
        QCOMPARE(window_->pages()->currentIndex(), 0);
        QCOMPARE(window_->leftPages()->currentIndex(), 0);
    }

    void wholeRollerInitialConditions() {
        startRollerDesign(1);
        QCOMPARE(title(), QStringLiteral("Zorvane [Unnamed.CHN]*"));
        QCOMPARE(window_->statusPanel(1)->text(), QStringLiteral("滚子链传动设计"));
        QVERIFY(find<QWidget>("pnlInit")->isVisible());
        grab(find<QWidget>("pgeMain"), QStringLiteral("init-panel.png"));
        type("edtPower", QStringLiteral("7.5"));
        type("edtn1", QStringLiteral("960"));
        type("edti", QStringLiteral("3"));
        find<QComboBox>("cbxV")->setCurrentIndex(0);
        click("btnInitOK");
        QVERIFY(!find<QWidget>("pnlInit")->isVisible());
        QCOMPARE(window_->pages()->currentIndex(), 2);
        auto* model = window_->resultPage()->initGrid()->model();
        QCOMPARE(model->rowCount(), 11);
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("传递功率"));
        QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("KW"));
        QCOMPARE(model->data(model->index(3, 1)).toString(), QStringLiteral("320.00"));
        QVERIFY(find<QToolButton>("spnRNum")->isEnabled());
        QVERIFY(find<QToolButton>("spnRInit")->property("done").toBool());
        QCOMPARE(window_->session().state().rollerSpeedClass, std::string("{低速传动(v≤3m/s)}"));
        grab(window_.get(), QStringLiteral("results.png"));
    }

    // A roller design through its panels and pages; each in one face, each photographed.
    void rollerDesignPages() {
        window_->resize(1280, 900);
        startRollerDesign(0);
        drive_.fillInit(testing::lowSpeedSingleRow());
        expectOneFace("pnlInit", "init");
        drive_.click({"btnInitOK", "spnRNum"});
        expectOneFace("pnlz", "z");
        drive_.click({"btnZOk", "btnRZOK", "spnRNodeS", "spnRV", "spnRInit_a0"});
        expectOneFace("pnlInit_a0", "init-a0");
        drive_.click({"Button3", "spnR_a0"});
        expectOneFace("pnla", "a");
        drive_.click({"btnAOk", "spnRF", "spnRIntensity"});
        expectOneFace("pnlIntensity", "intensity");
        drive_.click({"btnIntensityOK", "spnRWearable", "spnRWheel"});
        // The newest rows are in view.
        QTableView* results = window_->resultPage()->resultGrid();
        const int last = results->model()->rowCount() - 1;
        QTRY_VERIFY(results->viewport()->rect().contains(
            results->visualRect(results->model()->index(last, 0))));
        grab(window_.get(), QStringLiteral("look-results.png"));
        window_->tabSet()->setCurrentIndex(1);
        grab(window_.get(), QStringLiteral("look-history.png"));
        window_->leftPages()->setCurrentIndex(1);
        QTreeWidgetItem* root = window_->tree()->topLevelItem(0);
        root->setExpanded(true);
        for (int i = 0; i < root->childCount(); ++i) {
            root->child(i)->setExpanded(true); // as the user opens them, one by one
        }
        grab(window_.get(), QStringLiteral("look-query.png"));
    }

    void chainTypeAgainAsksAndDiscards() {
        startRollerDesign(0);
        click("btnInitCancel");
        ui_->answer("确实要重新选择链种类？", design::Answer::Yes);
        click("spnSelect");
        QVERIFY(find<QWidget>("pnlSelect")->isVisible());
        QVERIFY(!find<QWidget>("pnlRollerChain")->isVisible());
        grab(find<QWidget>("pgeMain"), QStringLiteral("select-panel.png"));
        // A toothed chain greys the row lists visibly; back to a roller chain they are as before.
        const QColor enabled = find<QComboBox>("cbxRoll")->palette().color(QPalette::Button);
        find<QRadioButton>("radDenti")->setChecked(true);
        for (const char* name : {"cbxRoll", "cbxRType"}) {
            QVERIFY(!find<QComboBox>(name)->isEnabled());
            QCOMPARE(find<QComboBox>(name)->palette().color(QPalette::Disabled, QPalette::Button),
                     QColor(0xD4, 0xD0, 0xC8));
        }
        grab(window_.get(), QStringLiteral("look-select-toothed.png"));
        find<QRadioButton>("radRoll")->setChecked(true);
        QCOMPARE(find<QComboBox>("cbxRoll")->palette().color(QPalette::Button), enabled);
        find<QRadioButton>("radDenti")->setChecked(true);
        click("btnSelOK");
        QVERIFY(find<QWidget>("pnlDentiChain")->isVisible());
        QCOMPARE(window_->statusPanel(1)->text(), QStringLiteral("齿形链传动 设计"));
        click("spnOriginal");
        QVERIFY(!find<QComboBox>("cbxV")->isEnabled());
        QVERIFY(!find<QWidget>("chkT")->isEnabled());
    }

    // Enter on 确定 or 取消 of the initial conditions presses it, for either chain.
    void enterOnTheInitialConditionsButtons_data() {
        QTest::addColumn<bool>("roller");
        QTest::addColumn<bool>("ok");
        QTest::newRow("roller, 确定") << true << true;
        QTest::newRow("toothed, 确定") << false << true;
        QTest::newRow("roller, 取消") << true << false;
        QTest::newRow("toothed, 取消") << false << false;
    }
    void enterOnTheInitialConditionsButtons() {
        QFETCH(bool, roller);
        QFETCH(bool, ok);
        drive_.click({"spnBegin", "spnSelect"});
        find<QRadioButton>(roller ? "radRoll" : "radDenti")->setChecked(true);
        QTest::keyClick(find<QWidget>("btnSelOK"), Qt::Key_Return);
        click(roller ? "spnRInit" : "spnOriginal");
        drive_.fillInit(testing::toothedMediumSpeed());
        auto* button = find<QPushButton>(ok ? "btnInitOK" : "btnInitCancel");
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(!find<QWidget>("pnlInit")->isVisible());
        QCOMPARE(window_->resultPage()->initGrid()->model()->rowCount(), ok ? 11 : 0);
    }

    // After the window shrank on another page, a panel opens centred in the work space, and when
    // the work space is smaller than the panel it scrolls to every part of it.
    void panelsCentredAndReachableAfterAResize_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("900 x 600") << QSize(900, 600);
        QTest::newRow("1150 x 780") << QSize(1150, 780);
        QTest::newRow("520 x 400") << QSize(520, 400);
    }
    void panelsCentredAndReachableAfterAResize() {
        QFETCH(QSize, size);
        window_->resize(1400, 1000);
        startRollerDesign(0);
        drive_.fillInit(testing::lowSpeedSingleRow());
        click("btnInitOK");
        window_->resize(size);
        QTRY_COMPARE(window_->size(), size);
        ui_->answer("确实要重新输入初始条件？", design::Answer::Yes);
        click("spnRInit");
        auto* panel = find<QWidget>("pnlInit");
        QVERIFY(panel->isVisible());
        app::WorkSpace* space = window_->workSpace();
        QWidget* viewport = space->viewport();
        // Each way: centred when the work space holds the panel, else scrolling just over it.
        const QPoint off =
            panel->mapTo(viewport, panel->rect().center()) - viewport->rect().center();
        const QSize over = panel->size() - viewport->size();
        QVERIFY(over.width() > 0 ? space->horizontalScrollBar()->maximum() == over.width()
                                 : std::abs(off.x()) <= 1);
        QVERIFY(over.height() > 0 ? space->verticalScrollBar()->maximum() == over.height()
                                  : std::abs(off.y()) <= 1);
        grab(window_.get(),
             QStringLiteral("init-panel-%1x%2.png").arg(size.width()).arg(size.height()));
        for (const char* name : {"btnInitOK", "btnInitCancel", "edtPower"}) {
            auto* control = find<QWidget>(name);
            space->ensureWidgetVisible(control);
            const QRect at(control->mapTo(viewport, QPoint(0, 0)), control->size());
            QVERIFY2(viewport->rect().contains(at), name);
        }
    }

    void refusedInputsKeepThePanel() {
        startRollerDesign(0);
        type("edtPower", QString());
        ui_->clearLog();
        click("btnInitOK");
        QCOMPARE(ui_->messages().size(), std::size_t(1));
        QCOMPARE(ui_->messages()[0].text, std::string("请正确输入传递功率!"));
        QVERIFY(find<QWidget>("pnlInit")->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), find<QWidget>("edtPower"));
        QCOMPARE(window_->resultPage()->initGrid()->model()->rowCount(), 0);
    }

    void keyboardRouteSkipsDisabledInputs() {
        startRollerDesign(0);
        auto* power = find<QLineEdit>("edtPower");
        power->setFocus();
        QTest::keyClick(power, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), find<QWidget>("edtn1"));
        QTest::keyClick(find<QWidget>("edtn1"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), find<QWidget>("cbxMotor"));
        auto* load = find<QComboBox>("cbxLoadKind");
        load->setFocus();
        QTest::keyClick(load, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), find<QWidget>("cbxTight"));
    }

    void leavingAFieldChecksIt() {
        startRollerDesign(0);
        type("edtPower", QStringLiteral("7,5"));
        ui_->clearLog();
        find<QLineEdit>("edtn1")->setFocus(Qt::TabFocusReason);
        QCOMPARE(ui_->messages().size(), std::size_t(1));
        QCOMPARE(ui_->messages()[0].title, std::string("错误信息"));
        QTRY_COMPARE(QApplication::focusWidget(), find<QWidget>("edtPower"));
        QCOMPARE(ui_->messages().size(), std::size_t(1)); // no ping-pong of messages
    }

    void newDesignTwiceAsksAgain() {
        click("spnBegin");
        ui_->clearLog();
        ui_->answer("设计过程已修改，是否保存？", design::Answer::No);
        click("spnBegin");
        QCOMPARE(ui_->log().size(), std::size_t(3));
        QCOMPARE(ui_->log()[1].text, std::string("确实要重新开始？"));
        QCOMPARE(ui_->log()[2].kind, std::string("dialog"));
    }

    // Work done after a save or an opening: every command that would give it up asks first,
    // and Yes (or 保存) writes it into the project file, which holds the step when opened again.
    void workAfterASaveIsKept_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("reopened"); // the step follows an opening, not the save
        QTest::newRow("退出 after Save As") << u("spnExit") << false;
        QTest::newRow("close box after Open") << u("close box") << true;
        QTest::newRow("关闭 after Open") << u("mniClose") << true;
        QTest::newRow("打开 after Save As") << u("spnOpen") << false;
        QTest::newRow("开始新设计 after Open") << u("spnBegin") << true;
        QTest::newRow("保存 after Open, no prompt") << u("mniSave") << true;
    }
    void workAfterASaveIsKept() {
        QFETCH(QString, command);
        QFETCH(bool, reopened);
        const std::string file = (workspace_->path() / "x.CHN").string();
        startRollerDesign(0);
        drive_.fillInit(testing::lowSpeedSingleRow());
        drive_.click({"btnInitOK", "spnRNum", "btnZOk", "btnRZOK", "spnRNodeS", "spnRV"});
        ui_->saveAnswer(file);
        window_->action(QStringLiteral("mniSaveAs"))->trigger();
        QCOMPARE(title(), QStringLiteral("Zorvane [%1]").arg(u(file.c_str())));
        if (reopened) {
            window_->action(QStringLiteral("mniClose"))->trigger();
            ui_->openAnswer(file);
            click("spnOpen");
            QVERIFY(!window_->isWindowModified());
        }
        QVERIFY(!stepDone("spnRInit_a0"));
        drive_.click({"spnRInit_a0", "Button3"});
        QVERIFY(stepDone("spnRInit_a0"));
        QCOMPARE(title(), QStringLiteral("Zorvane [%1]*").arg(u(file.c_str())));
        QCOMPARE(window_->statusPanel(2)->text(), u("以更改"));

        ui_->clearLog();
        ui_->answer("设计过程已修改，是否保存？", design::Answer::Yes);
        if (command == u("close box")) {
            QVERIFY(window_->close());
        } else if (command.startsWith(u("mni"))) {
            window_->action(command)->trigger();
        } else {
            click(command.toLatin1().constData());
        }
        const bool prompted =
            !ui_->log().empty() && ui_->log()[0].text == "设计过程已修改，是否保存？";
        QCOMPARE(prompted, command != u("mniSave"));
        for (const auto& entry : ui_->log()) {
            QVERIFY2(entry.kind != "save", "the opened file was not written back");
        }

        // Whatever the command left, the file holds the step.
        if (!window_->isVisible()) {
            window_->show();
            QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        }
        ui_->answer("设计过程已修改，是否保存？", design::Answer::No, true);
        ui_->openAnswer(file);
        click("spnOpen");
        QVERIFY(stepDone("spnRInit_a0"));
        QVERIFY(!window_->isWindowModified());
    }

    // 文件 lists the projects saved or opened, newest first; one whose file is gone leaves the
    // list with a message, and one that is there opens as 打开 opens it.
    void recentProjects() {
        for (const QString& path : app::RecentProjects().paths()) {
            app::RecentProjects().remove(path);
        }
        const auto first = workspace_->path() / "first.CHN";
        const auto second = workspace_->path() / "second.CHN";
        startRollerDesign(0);
        for (const auto& file : {first, second}) {
            ui_->saveAnswer(file.string());
            window_->action(QStringLiteral("mniSaveAs"))->trigger();
        }
        auto* menu = window_->findChild<QMenu*>(QStringLiteral("mniRecent"));
        QMetaObject::invokeMethod(menu, "aboutToShow");
        const auto entries = menu->actions();
        QCOMPARE(entries.size(), qsizetype(2));
        QVERIFY(entries[0]->text().endsWith(u(second.c_str())));
        QVERIFY(entries[1]->text().endsWith(u(first.c_str())));

        std::filesystem::remove(second);
        ui_->clearLog();
        entries[0]->trigger();
        QCOMPARE(ui_->log().size(), std::size_t(1));
        QCOMPARE(ui_->log()[0].kind, std::string("error"));
        QVERIFY(ui_->log()[0].text.find(second.string()) != std::string::npos);
        QCOMPARE(app::RecentProjects().paths(), QStringList{u(first.c_str())});

        window_->action(QStringLiteral("mniClose"))->trigger();
        window_->openProject(u(first.c_str()));
        QCOMPARE(title(), QStringLiteral("Zorvane [%1]").arg(u(first.c_str())));
        QVERIFY(find<QWidget>("pnlRollerChain")->isVisible());
    }

    // A cancelled 关闭 leaves nothing behind that silences the next 打开.
    void cancelledCloseThenOpenShowsItsDialog() {
        startRollerDesign(0);
        ui_->answer("设计过程已修改，是否保存？", design::Answer::Cancel);
        window_->action(QStringLiteral("mniClose"))->trigger();
        QVERIFY(find<QWidget>("pnlRollerChain")->isVisible());
        ui_->clearLog();
        ui_->answer("设计过程已修改，是否保存？", design::Answer::No);
        click("spnOpen");
        QCOMPARE(ui_->log().size(), std::size_t(2));
        QCOMPARE(ui_->log()[1].kind, std::string("open"));
    }

    // The close box answered Yes, whose Save As is cancelled, keeps the design open; Save of the
    // new design goes to Save As; closed and opened again, the design comes back with its title,
    // status text, steps and initial conditions.
    void closeSaveAndOpenAgain() {
        startRollerDesign(0);
        drive_.fillInit(testing::lowSpeedSingleRow());
        click("btnInitOK");
        ui_->answer("设计过程已修改，是否保存？", design::Answer::Yes);
        QVERIFY(!window_->close()); // no save answer queued: the Save As dialog is cancelled
        QVERIFY(!window_->session().state().SaveSucceeded);
        QVERIFY(roller::engineOf(window_->session()) != nullptr);

        const QString file = QString::fromStdString((workspace_->path() / "half.chn").string());
        const QString titled = QStringLiteral("Zorvane [") + file + u']';
        ui_->saveAnswer(file.toStdString());
        window_->action(QStringLiteral("mniSave"))->trigger();
        QCOMPARE(ui_->log().back().kind, std::string("save"));
        QVERIFY(!window_->session().state().IsUnnamed);
        QCOMPARE(title(), titled);
        QCOMPARE(window_->statusPanel(2)->text(), QString());
        window_->action(QStringLiteral("mniClose"))->trigger();
        QCOMPARE(title(), QStringLiteral("Zorvane"));
        QCOMPARE(window_->statusPanel(2)->text(), QStringLiteral("新设计"));
        QVERIFY(!find<QWidget>("pnlRollerChain")->isVisible());
        QVERIFY(roller::engineOf(window_->session()) == nullptr);
        ui_->openAnswer(file.toStdString());
        click("spnOpen");
        QCOMPARE(title(), titled);
        QCOMPARE(window_->statusPanel(2)->text(), QStringLiteral("已进行的设计"));
        QVERIFY(find<QWidget>("pnlRollerChain")->isVisible());
        QVERIFY(find<QToolButton>("spnRNum")->isEnabled()); // the next step goes on
        QCOMPARE(window_->resultPage()->initGrid()->model()->rowCount(), 11);
    }

    void helpAboutAndProperties() {
        std::filesystem::create_directories(workspace_->path() / "Help");
        std::filesystem::copy_file(std::filesystem::path(ZORVANE_HELP_FILE),
                                   workspace_->path() / "Help" / "Chain.hlp");
        window_->action(QStringLiteral("mniTopic"))->trigger();
        QVERIFY(window_->helpViewer()->isVisible());
        // Centred over the main window, not at the screen's corner.
        const QPoint off =
            window_->helpViewer()->frameGeometry().center() - window_->frameGeometry().center();
        QVERIFY(off.manhattanLength() <= 2);
        QVERIFY(window_->helpViewer()->browser()->toPlainText().contains(QStringLiteral("目录")));
        ui_->clearLog();
        window_->action(QStringLiteral("mniAbout"))->trigger();
        QCOMPARE(ui_->log().size(), std::size_t(1));
        QVERIFY(ui_->log()[0].text.find("Zorvane") != std::string::npos);
        ui_->designerAnswer(true, std::string("王工"));
        window_->action(QStringLiteral("mniProperty"))->trigger();
        QCOMPARE(ui_->log().back().kind, std::string("dialog"));
        QCOMPARE(window_->session().designer().record().getText(records::DesignerField::Designer),
                 std::string("王工"));
        std::filesystem::remove_all(workspace_->path() / "Help");
        ui_->clearLog();
        window_->action(QStringLiteral("mniTopic"))->trigger();
        QCOMPARE(ui_->messages().size(), std::size_t(1));
        QCOMPARE(ui_->messages()[0].title, std::string("错误信息"));
    }

    void messageBoxesOfTheProgram() {
        app::QtInteraction ui;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("警告信息"));
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("否(&N)"));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(design::warnYesNo(ui, "小链轮转速过大", design::Answer::No), design::Answer::No);
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->buttons().size(), qsizetype(3));
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("是(&Y)"));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QCOMPARE(design::askYesNoCancel(ui, "设计过程已修改，是否保存？"), design::Answer::Yes);
    }

    void valuePromptDefaultsAndLimits() {
        QString value = QStringLiteral("1.175");
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<app::ValuePromptDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape); // ignored
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->edit()->selectedText(), QStringLiteral("1.175"));
            QCOMPARE(dialog->edit()->maxLength(), 255);
            QCOMPARE(dialog->findChildren<QPushButton*>().size(), qsizetype(1));
            QTest::keyClick(dialog->edit(), Qt::Key_Return);
        });
        QVERIFY(app::PromptQuery(QStringLiteral("输入拉力系数Kf"),
                                 QStringLiteral("Kf≈(1.15～1.20)"), value));
        QCOMPARE(value, QStringLiteral("1.175"));

        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QString kept = QStringLiteral("1");
        QVERIFY(!app::PromptQuery(QStringLiteral("选择链轮类型"), QStringLiteral("(1:标准链轮)"),
                                  kept));
        QCOMPARE(kept, QStringLiteral("1"));
        QCOMPARE(app::mulDiv(180, 7, 4), 315);
        QCOMPARE(app::mulDiv(63, 5, 8), 39); // 39.375
        QCOMPARE(app::mulDiv(5, 1, 2), 3);   // halves away from zero
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
