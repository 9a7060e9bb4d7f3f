// The file commands through the real window, offscreen: Save of a new design goes to Save As, the
// close box that is answered Yes and then has its Save As cancelled stays open, and a saved
// design closed and opened again comes back with its steps, title and status texts.

#include "app/shell/main_window.h"
#include "core/design/scripted_interaction.h"
#include "core/records/result_tables.h"
#include "support/design_inputs.h"
#include "support/workspace.h"
#include "window_driver.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace zorvane;

class FileCommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::Workspace> workspace_;
    std::unique_ptr<design::ScriptedInteraction> ui_;
    std::unique_ptr<app::MainWindow> window_;
    testing::WindowDriver driver_;

    QString project() const {
        return QString::fromStdString((workspace_->path() / "half.chn").string());
    }
    void trigger(const char* action) { window_->action(QString::fromLatin1(action))->trigger(); }
    // A roller design begun, its chain type chosen and its initial conditions confirmed.
    void beginRollerDesign() {
        driver_.click("spnBegin");
        driver_.click("spnSelect");
        driver_.click("btnSelOK");
        driver_.click("spnRInit");
        driver_.fillInit(testing::lowSpeedSingleRow());
        driver_.click("btnInitOK");
    }

private slots:
    void init() {
        workspace_ = std::make_unique<testing::Workspace>();
        ui_ = std::make_unique<design::ScriptedInteraction>();
        window_ = std::make_unique<app::MainWindow>(*ui_, workspace_->path());
        driver_.setWindow(window_.get());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        // Leaving without a prompt: the design counts as saved.
        window_->session().state().IsSaved = true;
        window_.reset();
        ui_.reset();
        workspace_.reset();
    }

    void saveOfANewDesignGoesToSaveAs() {
        driver_.click("spnBegin");
        ui_->saveAnswer(project().toStdString());
        trigger("mniSave");
        QCOMPARE(ui_->log().back().kind, std::string("save"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zorvane [") + project() + u']');
        QCOMPARE(window_->statusPanel(2)->text(), QString());
        QVERIFY(QFile::exists(project()));
        QVERIFY(!window_->session().state().IsUnnamed);
    }

    void closeBoxAnsweredYesThenCancelledStaysOpen() {
        beginRollerDesign();
        ui_->answer("设计过程已修改，是否保存？", design::Answer::Yes);
        QVERIFY(!window_->close()); // no save answer queued: the Save As dialog is cancelled
        QVERIFY(window_->isVisible());
        QVERIFY(!window_->session().state().SaveSucceeded);
        QVERIFY(window_->session().rollerEngine() != nullptr);
    }

    void closeThenOpenBringsTheDesignBack() {
        beginRollerDesign();
        ui_->saveAnswer(project().toStdString());
        trigger("mniSaveAs");
        const int initRows = window_->session().results()->initTable()->recordCount();
        QVERIFY(initRows > 0);
        trigger("mniClose");
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zorvane"));
        QCOMPARE(window_->statusPanel(2)->text(), QStringLiteral("新设计"));
        QVERIFY(!driver_.shown("pnlRollerChain"));
        QVERIFY(window_->session().rollerEngine() == nullptr);

        ui_->openAnswer(project().toStdString());
        driver_.click("spnOpen");
        QCOMPARE(window_->windowTitle(), QStringLiteral("Zorvane [") + project() + u']');
        QCOMPARE(window_->statusPanel(2)->text(), QStringLiteral("已进行的设计"));
        QVERIFY(driver_.shown("pnlRollerChain"));
        QVERIFY(driver_.find<QToolButton>("spnRNum")->isEnabled()); // the next step goes on
        QVERIFY(window_->session().status().done(12));
        QCOMPARE(window_->session().results()->initTable()->recordCount(), initRows);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
