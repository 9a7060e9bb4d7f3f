// The roller chain step panels, offscreen: what they show of the main state and give back, their
// keyboard routes and field leaves, and how the main window runs their buttons.

#include "app/roller/a_panel.h"
#include "app/roller/init_a0_panel.h"
#include "app/roller/intensity_panel.h"
#include "app/shell/main_window.h"
#include "app/shell/tooth_count_panel.h"
#include "core/design/scripted_interaction.h"
#include "support/workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace zorvane;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

template <class T> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    if (!widget) {
        qFatal("no widget %s", name);
    }
    return widget;
}

QColor base(QWidget* widget) {
    return widget->palette().color(QPalette::Base);
}

} // namespace

class RollerPanelTest : public QObject {
    Q_OBJECT

private slots:
    // The panels show the state's texts; they give back only what the user changed since, so a
    // text the core set in between survives.
    void panelsShowTheStateAndGiveBackWhatWasTyped() {
        design::MainState state;
        state.rollerSpeedClass = "{低速传动(v≤3m/s)}";
        state.rollerZ2Calculated = "57.95";
        design::PanelFields fields;
        fields.rollerZ1 = "19";
        fields.rollerZ2 = "58";
        fields.rollerZi = "";
        fields.rollerZiEnabled = false;
        fields.initialCentreGiven = "本设计中,a0的初值为40.000p,";
        fields.initialCentreRange = "本设计中,a0在理论上的取值范围为:(15.20～80)p";
        fields.initialCentrePitches = "40";
        fields.centreChangeAdvice = "无张紧装置,Δa应取较小的值";

        app::ToothCountPanel z(design::Chain::Roller);
        app::InitA0Panel initA0;
        app::APanel a;
        app::IntensityPanel intensity;
        z.load(fields, state);
        initA0.load(fields, state);
        a.load(fields, state);
        intensity.load(fields, state);
        QCOMPARE(child<QLabel>(z, "lblz1")->text(), u("{低速传动(v≤3m/s)}"));
        QCOMPARE(child<QLabel>(z, "lblCal_z2")->text(), u("57.95"));
        QCOMPARE(child<QLineEdit>(z, "edtz1")->text(), u("19"));
        auto* zi = child<QLineEdit>(z, "edtzi");
        QVERIFY(!zi->isEnabled());
        QCOMPARE(base(zi), QColor(0xD4, 0xD0, 0xC8));
        QCOMPARE(child<QLabel>(initA0, "lblInit_a0")->text(),
                 u("本设计中,a0在理论上的取值范围为:(15.20～80)p"));
        QCOMPARE(child<QLabel>(a, "lbla")->text(), u("无张紧装置,Δa应取较小的值"));
        QCOMPARE(child<QLineEdit>(a, "edta")->text(), u("0.003")); // the defaults
        QCOMPARE(child<QLineEdit>(intensity, "edtn")->text(), u("6"));

        for (QWidget* panel : std::initializer_list<QWidget*>{&z, &initA0, &a, &intensity}) {
            panel->grab().save(u(ZORVANE_SCREENSHOT_DIR "/") + panel->objectName() + u(".png"));
        }

        child<QLineEdit>(z, "edtz1")->setText(u("21"));
        child<QLineEdit>(initA0, "edtInit_a0")->setText(u("35.5"));
        child<QLineEdit>(intensity, "edtn")->setText(QString());
        fields.rollerZ2 = "63"; // changed by a handler since the panel showed 58
        z.store(fields);
        initA0.store(fields);
        a.store(fields);
        intensity.store(fields);
        QCOMPARE(fields.rollerZ1, std::string("21"));
        QCOMPARE(fields.rollerZ2, std::string("63"));
        QCOMPARE(fields.initialCentrePitches, std::string("35.5"));
        QCOMPARE(fields.allowedSafetyFactor, std::string()); // an emptied field is a change too
        QCOMPARE(fields.centreChange, std::string("0.003"));

        fields.rollerZiEnabled = true;
        z.load(fields, state);
        QVERIFY(zi->isEnabled());
        QCOMPARE(base(zi), QColor(Qt::white));
        QCOMPARE(child<QLineEdit>(z, "edtz2")->text(), u("63"));
    }

    // Enter and Down follow the route of pnlz; a disabled edtzi is passed over. Leaving a field
    // by the route, Tab or a click reports the leave; the program's own focus moves and hiding
    // the panel do not.
    void toothCountRouteAndLeaves() {
        QWidget window; // the panel floats in a page, as on the work space
        auto& z = *new app::ToothCountPanel(design::Chain::Roller, &window);
        auto* elsewhere = new QLineEdit(&window); // where the focus goes when the panel hides
        elsewhere->move(0, z.height() + 10);
        design::PanelFields fields;
        fields.rollerZiEnabled = false;
        z.load(fields, design::MainState());
        window.resize(z.size() + QSize(40, 40));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* z1 = child<QLineEdit>(z, "edtz1");
        auto* z2 = child<QLineEdit>(z, "edtz2");
        auto* zi = child<QLineEdit>(z, "edtzi");
        auto* ok = child<QPushButton>(z, "btnRZOK");
        auto* cancel = child<QPushButton>(z, "btnRZCancel");
        QSignalSpy z1Left(&z, &app::ToothCountPanel::z1Left);
        QSignalSpy z2Left(&z, &app::ToothCountPanel::z2Left);
        QSignalSpy ziLeft(&z, &app::ToothCountPanel::ziLeft);
        QSignalSpy okClicked(&z, &app::ToothCountPanel::okClicked);
        QSignalSpy zOk(&z, &app::ToothCountPanel::zOkClicked);

        z1->setFocus();
        QTest::keyClick(z1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), z2);
        QCOMPARE(z1Left.size(), 1);
        QTest::keyClick(z2, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), ok);
        QCOMPARE(z2Left.size(), 1);
        QTest::keyClick(ok, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), cancel);
        QTest::keyClick(cancel, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), z1);
        QCOMPARE(okClicked.size(), 0);

        // The small 确定 beside edtz1 leaves the focus where it is: one check per click.
        QTest::mouseClick(child<QPushButton>(z, "btnZOk"), Qt::LeftButton);
        QCOMPARE(zOk.size(), 1);
        QCOMPARE(QApplication::focusWidget(), z1);
        QCOMPARE(z1Left.size(), 1);

        z2->setFocus(Qt::OtherFocusReason); // the focus put back by the program
        QCOMPARE(z1Left.size(), 1);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(z2Left.size(), 2);
        QCOMPARE(okClicked.size(), 1);
        QTest::keyClick(ok, Qt::Key_Return); // Enter presses a focused button
        QCOMPARE(okClicked.size(), 2);

        fields.rollerZiEnabled = true;
        z.load(fields, design::MainState());
        z2->setFocus();
        QTest::keyClick(z2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), zi);
        QTest::keyClick(zi, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ok);
        QCOMPARE(ziLeft.size(), 1);

        zi->setFocus();
        z.hide();
        QCOMPARE(QApplication::focusWidget(), elsewhere);
        QCOMPARE(ziLeft.size(), 1);
    }

    // Through the main window: every handler sees the texts typed before it, the window shows
    // the texts and the focus the state names after it, and the shared panels' buttons reach
    // the roller handlers.
    void mainWindowStoresBeforeAndShowsAfterEachHandler() {
        testing::Workspace workspace;
        design::ScriptedInteraction ui;
        app::MainWindow window(ui, workspace.path());
        window.resize(1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(child<QToolButton>(window, "spnBegin"), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(window, "spnSelect"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "btnSelOK"), Qt::LeftButton);
        auto& state = window.session().state();

        state.setPanel(design::Panel::Intensity, true);
        state.setPanel(design::Panel::InitA0, true);
        state.fields.allowedSafetyFactor = "7";
        state.fields.initialCentreRange = "本设计中,a0在理论上的取值范围为:(15.20～30)p";
        state.focus = "edtn";
        window.refresh();
        auto* edtn = child<QLineEdit>(window, "edtn");
        QVERIFY(edtn->isVisible());
        QVERIFY(child<QWidget>(window, "pnlInit_a0")->isVisible());
        QCOMPARE(edtn->text(), u("7"));
        QCOMPARE(child<QLabel>(window, "lblInit_a0")->text(),
                 u("本设计中,a0在理论上的取值范围为:(15.20～30)p"));
        QTRY_COMPARE(QApplication::focusWidget(), edtn);

        edtn->setText(u("5"));
        child<QLineEdit>(window, "edtInit_a0")->setText(u("35"));
        child<QPushButton>(window, "btnIntstyCancel")->click();
        QCOMPARE(state.fields.allowedSafetyFactor, std::string("5"));
        QCOMPARE(state.fields.initialCentrePitches, std::string("35"));
        child<QLineEdit>(window, "edtInit_a0")->setText(u("36"));
        child<QPushButton>(window, "Button4")->click();
        QCOMPARE(state.fields.initialCentrePitches, std::string("36"));
    }
};

QTEST_MAIN(RollerPanelTest)
#include "roller_panel_test.moc"
