// The real main window, offscreen, driven like a person with scripted answers.

#include "app/records/history_page.h"
#include "app/records/result_page.h"
#include "app/refdata/query_page.h"
#include "app/shell/design_list.h"
#include "app/shell/help_viewer.h"
#include "app/shell/init_panel.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_interaction.h"
#include "app/shell/select_panel.h"
#include "app/shell/value_prompt.h"
#include "app/shell/work_space.h"
#include "core/design/scripted_interaction.h"
#include "core/records/design_history.h"
#include "support/workspace.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

using namespace zorvane;

namespace {

records::DesignerInfo fixedDesigner() {
    return records::DesignerInfo(
        [] {
            return std::optional<records::OwnerInfo>({"李工", ""});
        },
        [] { return std::tm{}; }, "C");
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::Workspace> workspace_;
    std::unique_ptr<design::ScriptedInteraction> ui_;
    std::unique_ptr<app::MainWindow> window_;

    template <class T> T* find(const char* name) {
        T* widget = window_->findChild<T*>(QString::fromLatin1(name));
        if (!widget) {
            qFatal("no widget %s", name);
        }
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
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
    void grab(QWidget* widget, const QString& file) {
        widget->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/") + file);
    }

private slots:
    void init() {
        workspace_ = std::make_unique<testing::Workspace>();
        ui_ = std::make_unique<design::ScriptedInteraction>();
        window_ = std::make_unique<app::MainWindow>(*ui_, workspace_->path(), fixedDesigner());
        window_->resize(1200, 800);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        ui_.reset();
        workspace_.reset();
    }

    void startUpState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zorvane"));
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
        records::TRecord_Class history(workspace_->database(), "RD", false);
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
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zorvane [Unnamed.CHN]"));
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
        QCOMPARE(window_->session().state().lblz1, std::string("{低速传动(v≤3m/s)}"));
        grab(window_.get(), QStringLiteral("results.png"));
    }

    void chainTypeAgainAsksAndDiscards() {
        startRollerDesign(0);
        click("btnInitCancel");
        ui_->answer("确实要重新选择链种类？", design::Answer::Yes);
        click("spnSelect");
        QVERIFY(find<QWidget>("pnlSelect")->isVisible());
        QVERIFY(!find<QWidget>("pnlRollerChain")->isVisible());
        grab(find<QWidget>("pgeMain"), QStringLiteral("select-panel.png"));
        find<QRadioButton>("radDenti")->setChecked(true);
        QVERIFY(!find<QComboBox>("cbxRoll")->isEnabled());
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
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("rows");
        QTest::newRow("roller, 确定") << true << QStringLiteral("btnInitOK") << 11;
        QTest::newRow("toothed, 确定") << false << QStringLiteral("btnInitOK") << 11;
        QTest::newRow("roller, 取消") << true << QStringLiteral("btnInitCancel") << 0;
        QTest::newRow("toothed, 取消") << false << QStringLiteral("btnInitCancel") << 0;
    }
    void enterOnTheInitialConditionsButtons() {
        QFETCH(bool, roller);
        QFETCH(QString, button);
        QFETCH(int, rows);
        click("spnBegin");
        click("spnSelect");
        find<QRadioButton>(roller ? "radRoll" : "radDenti")->setChecked(true);
        QTest::keyClick(find<QWidget>("btnSelOK"), Qt::Key_Return);
        QVERIFY(!find<QWidget>("pnlSelect")->isVisible());
        click(roller ? "spnRInit" : "spnOriginal");
        type("edtPower", QStringLiteral("7.5"));
        type("edtn1", QStringLiteral("960"));
        type("edti", QStringLiteral("3"));
        auto* target = find<QPushButton>(button.toLatin1().constData());
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClick(target, Qt::Key_Return);
        QVERIFY(!find<QWidget>("pnlInit")->isVisible());
        QCOMPARE(window_->resultPage()->initGrid()->model()->rowCount(), rows);
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
        type("edtPower", QStringLiteral("7.5"));
        type("edtn1", QStringLiteral("960"));
        type("edti", QStringLiteral("3"));
        click("btnInitOK");
        QCOMPARE(window_->pages()->currentIndex(), 2);
        window_->resize(size);
        QTRY_COMPARE(window_->size(), size);
        ui_->answer("确实要重新输入初始条件？", design::Answer::Yes);
        click("spnRInit");
        auto* panel = find<QWidget>("pnlInit");
        QVERIFY(panel->isVisible());
        app::WorkSpace* space = window_->workSpace();
        QWidget* viewport = space->viewport();
        const QRect shown(panel->mapTo(viewport, QPoint(0, 0)), panel->size());
        if (viewport->width() >= panel->width()) {
            QVERIFY(std::abs(shown.center().x() - viewport->rect().center().x()) <= 1);
        } else {
            QCOMPARE(space->horizontalScrollBar()->maximum(), panel->width() - viewport->width());
        }
        if (viewport->height() >= panel->height()) {
            QVERIFY(std::abs(shown.center().y() - viewport->rect().center().y()) <= 1);
        } else {
            QCOMPARE(space->verticalScrollBar()->maximum(), panel->height() - viewport->height());
        }
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
        click("spnBegin");
        QCOMPARE(ui_->log().size(), std::size_t(2));
        QCOMPARE(ui_->log()[0].text, std::string("确实要重新开始？"));
        QCOMPARE(ui_->log()[1].kind, std::string("dialog"));
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
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("否"));
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(design::warnYesNo(ui, "小链轮转速过大", design::Answer::No), design::Answer::No);
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->buttons().size(), qsizetype(3));
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("是"));
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
