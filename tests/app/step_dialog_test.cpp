// The dialogs and windows of the design steps, offscreen: the chain number dialog over the real
// reference table, the drop-down choice dialog and the sprocket drawing window. Modal dialogs are
// driven from a timer that finds the active modal widget.

#include "app/records/result_page.h"
#include "app/refdata/wheel_window.h"
#include "app/roller/node_dialog.h"
#include "app/shell/choice_dialog.h"
#include "app/shell/qt_interaction.h"
#include "core/store/query.h"
#include "support/workspace.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace zorvane;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Runs `act` on the modal dialog once the next exec() shows it. A failed check lets the dialog
// go by accepting it, so that a failure never leaves the test waiting on a window.
template <class W> void whenShown(std::function<void(W*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!dialog) {
            QTest::qFail("no modal dialog of the expected kind", __FILE__, __LINE__);
            return;
        }
        // Focus moves need the dialog to be the active window, which it becomes a little later.
        if (!QTest::qWaitForWindowActive(dialog)) {
            QTest::qFail("the dialog did not become active", __FILE__, __LINE__);
        } else {
            act(dialog);
        }
        if (dialog->isVisible() && QTest::currentTestFailed()) {
            dialog->accept();
        }
    });
}

bool centredOnScreen(const QWidget* window) {
    const QPoint off = window->frameGeometry().center() - window->screen()->geometry().center();
    return off.manhattanLength() <= 2;
}

QList<app::WheelWindow*> openWheelWindows() {
    QList<app::WheelWindow*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* wheel = qobject_cast<app::WheelWindow*>(widget); wheel && wheel->isVisible()) {
            open << wheel;
        }
    }
    return open;
}

} // namespace

class StepDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The chain number dialog over the query the pitch step opens: the edits follow the grid,
    // the dialog closes only through 确定, and the query is left on the chosen row.
    void nodeDialogLeavesTheCursorOnTheChosenRow() {
        testing::Workspace workspace;
        store::Query chains(workspace.database());
        chains.setSql("Select * from ChainNoNd\nOrder by ChainNoNd.\"节距\" Desc");
        chains.open();
        QVERIFY(chains.recordCount() > 3);
        chains.first();
        const QString largest = u(chains.text("链号").c_str());
        chains.moveTo(2);
        const QString third = u(chains.text("链号").c_str());
        const QString thirdPitch = u(chains.text("节距").c_str());
        chains.first();

        QWidget mainWindow;
        mainWindow.setGeometry(10, 10, 300, 200);
        mainWindow.show();
        app::QtInteraction ui(&mainWindow);
        whenShown<app::NodeDialog>([&](app::NodeDialog* dialog) {
            QCOMPARE(dialog->objectName(), u("TfrmNode"));
            QCOMPARE(dialog->windowTitle(), u("选择链号和节距"));
            QVERIFY(centredOnScreen(dialog));
            QCOMPARE(dialog->size(),
                     QSize(dialog->findChild<QLabel*>(u("lblUnit"))->geometry().right() + 1 + 20,
                           dialog->grid()->height() + 20));
            QCOMPARE(dialog->findChild<QLabel*>(u("Label3"))->text(), u("优先选用节距较大的链号!"));
            QCOMPARE(dialog->chainNumber()->text(), largest);
            QVERIFY(dialog->chainNumber()->isReadOnly() && dialog->pitch()->isReadOnly());

            QTableView* grid = dialog->grid();
            const QRect cell = grid->visualRect(grid->model()->index(2, 0));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QCOMPARE(dialog->chainNumber()->text(), third);
            QCOMPARE(dialog->pitch()->text(), thirdPitch);

            dialog->chainNumber()->setFocus();
            QTest::keyClick(dialog->chainNumber(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), dialog->pitch());
            QTest::keyClick(dialog->pitch(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), dialog->okButton());
            dialog->grab().save(u(ZORVANE_SCREENSHOT_DIR "/node_dialog.png"));
            QTest::keyClick(dialog->okButton(), Qt::Key_Return);
        });
        QVERIFY(ui.chooseChainNumber(chains));
        QCOMPARE(chains.recNo(), 2);
        QCOMPARE(u(chains.text("链号").c_str()), third);
    }

    // The list dialogs by keyboard and mouse: the arrow keys select and the edit follows, Enter
    // confirms the selection, a double click confirms its row, Escape cancels, and the close box
    // (the title bar has no other button) presses 确定; the unit shows.
    void listDialogsAnswerTheKeyboard_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("chosen"); // the row confirmed, -1 when cancelled
        for (const QString& dialog : {u("TfrmNode"), u("TfrmDNode"), u("Tfrmb")}) {
            const QByteArray name = dialog.toLatin1();
            QTest::newRow(name + " down down enter") << dialog << u("DDE") << 2;
            QTest::newRow(name + " down up down enter") << dialog << u("DUDE") << 1;
            QTest::newRow(name + " down escape") << dialog << u("DX") << -1;
            QTest::newRow(name + " double click") << dialog << u("2") << 2;
            QTest::newRow(name + " click, close box") << dialog << u("1C") << 1;
        }
    }
    void listDialogsAnswerTheKeyboard() {
        QFETCH(QString, dialog);
        QFETCH(QString, keys);
        QFETCH(int, chosen);
        whenShown<QDialog>([keys](QDialog* shown) {
            QCOMPARE(shown->findChild<QLabel*>(u("lblUnit"))->text(), u("mm"));
            const Qt::WindowFlags flags = shown->windowFlags();
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QVERIFY(!(flags & (Qt::WindowMinMaxButtonsHint | Qt::FramelessWindowHint)));
            auto* view = shown->findChild<QAbstractItemView*>();
            view->setFocus();
            for (qsizetype at = 0; at < keys.size(); ++at) {
                const QChar key = keys[at];
                if (key == u'D' || key == u'U') {
                    QTest::keyClick(view, key == u'D' ? Qt::Key_Down : Qt::Key_Up);
                } else if (key == u'E') {
                    QTest::keyClick(view, Qt::Key_Return);
                } else if (key == u'X') {
                    QTest::keyClick(view, Qt::Key_Escape);
                } else if (key == u'C') {
                    shown->close();
                } else {
                    // A digit: a click on that row, a double click when nothing follows.
                    const QRect cell = view->visualRect(view->model()->index(key.digitValue(), 0));
                    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
                    if (at + 1 == keys.size()) {
                        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
                    }
                }
            }
            QVERIFY2(!shown->isVisible(), "the keys left the dialog open");
        });
        app::QtInteraction ui;
        if (dialog == u("TfrmNode")) {
            testing::Workspace workspace;
            store::Query chains(workspace.database());
            chains.setSql("Select * from ChainNoNd");
            chains.open();
            QCOMPARE(ui.chooseChainNumber(chains), chosen >= 0);
            if (chosen >= 0) {
                QCOMPARE(chains.recNo(), chosen);
            }
        } else {
            const std::vector<std::string> items{"12.7", "15.875", "19.05"};
            const auto answer = ui.chooseFromList(dialog.toStdString(), "选择", "", "值：", items);
            QCOMPARE(answer.has_value(), chosen >= 0);
            if (chosen >= 0) {
                QCOMPARE(*answer, items[static_cast<std::size_t>(chosen)]);
            }
        }
    }

    void choiceDialogAnswers_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("expected");
        QTest::newRow("确定 after another item") << u("click") << 1;
        QTest::newRow("Enter in the list, then on 确定") << u("enter") << 1;
        QTest::newRow("close box after another item") << u("close") << 0;
        QTest::newRow("Escape after another item") << u("escape") << 0;
    }
    void choiceDialogAnswers() {
        QFETCH(QString, how);
        QFETCH(int, expected);
        app::QtInteraction ui;
        whenShown<app::ChoiceDialog>([how](app::ChoiceDialog* dialog) {
            QCOMPARE(dialog->objectName(), u("TfrmJQD"));
            QCOMPARE(dialog->windowTitle(), u("选择信息"));
            QVERIFY(dialog->windowFlags() & Qt::WindowCloseButtonHint);
            QVERIFY(!(dialog->windowFlags() & Qt::WindowMinMaxButtonsHint));
            QVERIFY(centredOnScreen(dialog));
            QComboBox* list = dialog->list();
            QCOMPARE(list->objectName(), u("cbxJQD"));
            QCOMPARE(list->currentText(), u("改变链速"));
            QCOMPARE(dialog->okButton()->text(), u("确定"));
            QCOMPARE(QApplication::focusWidget(), list);
            list->setCurrentIndex(1);
            if (how == u("click")) {
                QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
            } else if (how == u("enter")) {
                QTest::keyClick(list, Qt::Key_Return);
                QVERIFY(dialog->isVisible());
                QCOMPARE(QApplication::focusWidget(), dialog->okButton());
                QTest::keyClick(dialog->okButton(), Qt::Key_Return);
            } else if (how == u("close")) {
                dialog->close();
            } else {
                QTest::keyClick(list, Qt::Key_Escape);
            }
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(
            ui.chooseItem("TfrmJQD", "选择信息", "选择重新设计步骤：", {"改变链速", "改变齿数"}, 0),
            expected);
    }

    // Two double-clicks open one drawing window; once it is closed, the next opens a new one, and
    // Escape closes that one as the close box does.
    void oneDrawingWindowAtATime() {
        testing::TempDir dir;
        const QString bitmap = u((dir.path() / "RWheel.bmp").string().c_str());
        QImage drawing(300, 200, QImage::Format_RGB32);
        drawing.fill(Qt::white);
        QVERIFY(drawing.save(bitmap, "BMP"));

        app::ResultPage page;
        page.resize(800, 600);
        page.setSizeAreaVisible(true);
        page.setSizePicture(bitmap);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QLabel* image = page.sizeDrawing();
        QVERIFY(!image->pixmap().isNull());

        QTest::mouseDClick(image, Qt::LeftButton);
        QTest::mouseDClick(image, Qt::LeftButton);
        QCOMPARE(openWheelWindows().size(), qsizetype(1));
        QTest::mouseClick(page.findChild<QToolButton*>(u("spnSHow")), Qt::LeftButton);
        QCOMPARE(openWheelWindows().size(), qsizetype(1));
        QPointer<app::WheelWindow> first = openWheelWindows().front();
        QCOMPARE(first->windowTitle(), u("链轮尺寸参数"));
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(first->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(first->size(), QSize(300, 200));
        QVERIFY(QTest::qWaitForWindowExposed(first.data()));
        QVERIFY(centredOnScreen(first));

        first->close();
        QTRY_VERIFY(first.isNull()); // released
        QCOMPARE(page.wheelWindow(), nullptr);
        QTest::mouseDClick(image, Qt::LeftButton);
        QCOMPARE(openWheelWindows().size(), qsizetype(1));
        QPointer<app::WheelWindow> second = page.wheelWindow();
        QVERIFY(QTest::qWaitForWindowExposed(second.data()));
        QTest::keyClick(second.data(), Qt::Key_Escape);
        QTRY_VERIFY(second.isNull());
    }

    void missingDrawingShowsNothing() {
        app::ResultPage page;
        page.setSizeAreaVisible(true);
        page.setSizePicture(u("/nonexistent/RWheel.bmp"));
        page.show();
        QVERIFY(page.sizeDrawing()->pixmap().isNull());
        QTest::mouseDClick(page.sizeDrawing(), Qt::LeftButton);
        QVERIFY(openWheelWindows().isEmpty());
    }
};

QTEST_MAIN(StepDialogTest)
#include "step_dialog_test.moc"
