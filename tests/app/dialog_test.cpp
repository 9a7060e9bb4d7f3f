// The program's own dialogs, offscreen: the value prompt, the message boxes and input box of
// QtInteraction, the designer dialog and the Chinese font stand-ins. Modal dialogs are driven
// from a timer that finds the active modal widget.

#include "app/records/designer_dialog.h"
#include "app/shell/qt_interaction.h"
#include "app/shell/translations.h"
#include "app/shell/value_prompt.h"
#include "core/records/designer_record.h"
#include "render/fonts.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>

using namespace zorvane;
using design::Answer;
using design::Buttons;
using design::MessageIcon;

Q_DECLARE_METATYPE(design::Buttons)
Q_DECLARE_METATYPE(design::MessageIcon)
Q_DECLARE_METATYPE(design::Answer)

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

// Runs `act` on the modal dialog once the next exec() shows it. A failed check closes the
// dialog, so that a failure never leaves the test waiting on a window.
template <class W> void whenShown(std::function<void(W*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* widget = qobject_cast<W*>(modal)) {
            act(widget);
        } else {
            QTest::qFail("no modal dialog of the expected kind", __FILE__, __LINE__);
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal);
            dialog && dialog->isVisible() && QTest::currentTestFailed()) {
            dialog->done(QDialog::Rejected);
        }
    });
}

QPushButton* buttonWithText(QWidget* parent, const QString& text) {
    for (auto* button : parent->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

bool centredOnScreen(const QWidget* window) {
    const QPoint off = window->frameGeometry().center() - window->screen()->geometry().center();
    return off.manhattanLength() <= 2;
}

} // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { render::installChineseFontSubstitutes(); }

    void mulDivRoundsHalvesAwayFromZero_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("expected");
        QTest::newRow("exact") << 180 << 7 << 4 << 315;
        QTest::newRow("39.375") << 63 << 5 << 8 << 39;
        QTest::newRow("2.5 up") << 5 << 1 << 2 << 3;
        QTest::newRow("3.5 up, not to even") << 7 << 1 << 2 << 4;
        QTest::newRow("-2.5 down") << -5 << 1 << 2 << -3;
        QTest::newRow("negative divisor") << 5 << 1 << -2 << -3;
        QTest::newRow("no overflow") << 100000 << 100000 << 100000 << 100000;
        QTest::newRow("divide by zero") << 3 << 4 << 0 << -1;
    }
    void mulDivRoundsHalvesAwayFromZero() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, expected);
        QCOMPARE(app::mulDiv(a, b, c), expected);
    }

    // Every size is in units of the average character of the dialog's font; one button only.
    // The prompt grows with the font and keeps its parts apart and inside it at any size: the
    // prompt above the edit box above the one default 确定, nothing cut off.
    void promptGeometryFollowsTheFont() {
        const QFont saved = QApplication::font();
        std::vector<QSize> sizes;
        for (const int pixelSize : {12, 23}) {
            QFont font = saved;
            font.setPixelSize(pixelSize);
            QApplication::setFont(font);
            app::ValuePromptDialog dialog(u("输入拉力系数Kf"), u("Kf≈(1.15～1.20)"), u("1.175"));
            QApplication::setFont(saved);
            sizes.push_back(dialog.size());
            QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
            QVERIFY(!(dialog.windowFlags() &
                      (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            const auto buttons = dialog.findChildren<QPushButton*>();
            QCOMPARE(buttons.size(), qsizetype(1)); // no cancel button
            QCOMPARE(buttons[0]->text(), u("确定"));
            QVERIFY(buttons[0]->isDefault());
            QCOMPARE(dialog.promptLabel()->palette().color(QPalette::WindowText),
                     QColor(0, 128, 128));
            QCOMPARE(dialog.promptLabel()->font().family(), u("宋体"));
            QCOMPARE(dialog.promptLabel()->font().pointSize(), 9);
            const QRect area(QPoint(0, 0), dialog.size());
            const QRect prompt = dialog.promptLabel()->geometry();
            const QRect edit = dialog.edit()->geometry();
            const QRect ok = dialog.okButton()->geometry();
            for (const QRect& part : {prompt, edit, ok}) {
                QVERIFY(area.contains(part));
            }
            QVERIFY(prompt.top() < edit.top() && edit.bottom() < ok.top());
            QVERIFY(dialog.edit()->width() >=
                    QFontMetrics(dialog.edit()->font()).horizontalAdvance(u("1.175")));
        }
        QVERIFY(sizes[1].width() > sizes[0].width() && sizes[1].height() > sizes[0].height());
    }

    void promptAnswers_data() {
        QTest::addColumn<QString>("keys"); // typed into the edit box, then Enter
        QTest::addColumn<QString>("value");
        QTest::newRow("enter keeps the default") << QString() << u("1.175");
        QTest::newRow("typing replaces the selection") << u("1.2") << u("1.2");
        QTest::newRow("the empty text is accepted") << u("\b") << QString();
        QTest::newRow("at most 255 characters")
            << QString(300, QLatin1Char('7')) << QString(255, QLatin1Char('7'));
    }
    void promptAnswers() {
        QFETCH(QString, keys);
        QFETCH(QString, value);
        QString text = u("1.175");
        whenShown<app::ValuePromptDialog>([keys](app::ValuePromptDialog* dialog) {
            QCOMPARE(dialog->focusWidget(), dialog->edit());
            QCOMPARE(dialog->edit()->selectedText(), u("1.175"));
            QTest::keyClicks(dialog->edit(), keys);
            QTest::keyClick(dialog->edit(), Qt::Key_Return);
        });
        QVERIFY(app::PromptQuery(u("输入拉力系数Kf"), u("Kf≈(1.15～1.20)"), text));
        QCOMPARE(text, value);
    }

    void promptIgnoresEscapeAndClosesOnlyByItsBox() {
        QString text = u("0.03");
        whenShown<app::ValuePromptDialog>([](app::ValuePromptDialog* dialog) {
            QTest::keyClicks(dialog->edit(), u("0.05"));
            QTest::keyClick(dialog->edit(), Qt::Key_Escape);
            QVERIFY(dialog->isVisible());
            dialog->close(); // the close box, Alt+F4
        });
        QVERIFY(!app::PromptQuery(u("请输入许用磨损伸长率"), u("(可在0.03附近取值)"), text));
        QCOMPARE(text, u("0.03"));
    }

    // Centred on the screen, not over the main window; through PromptValue.
    void promptIsCentredOnTheScreen() {
        QWidget mainWindow;
        mainWindow.setGeometry(10, 10, 300, 200);
        mainWindow.show();
        app::QtInteraction ui(&mainWindow);
        whenShown<app::ValuePromptDialog>([](app::ValuePromptDialog* dialog) {
            QVERIFY(centredOnScreen(dialog));
            dialog->grab().save(u(ZORVANE_SCREENSHOT_DIR "/value_prompt.png"));
            QTest::keyClicks(dialog->edit(), u("1.4"));
            QTest::keyClick(dialog->edit(), Qt::Key_Return);
        });
        QCOMPARE(
            design::PromptValue(ui, "选择磨损系数c1", "润滑条件越差,c1越小(1.1≤c1<1.6)", "1.35"),
            std::string("1.4"));
    }

    void messageBoxes_data() {
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Answer>("defaultButton");
        QTest::addColumn<QString>("texts"); // of the buttons, sorted
        QTest::addColumn<QString>("expectedDefault");
        QTest::addColumn<QString>("action"); // "esc", "close", "enter" or a button's text
        QTest::addColumn<Answer>("answer");
        const auto ok = u("确定"), yes = u("是(&Y)"), no = u("否(&N)"), yesNo = u("否(&N)是(&Y)"),
                   all = u("取消否(&N)是(&Y)"), esc = u("esc"), close = u("close"),
                   enter = u("enter");
        QTest::newRow("error, escape")
            << MessageIcon::Error << Buttons::Ok << Answer::Ok << ok << ok << esc << Answer::Ok;
        QTest::newRow("information, close box") << MessageIcon::Information << Buttons::Ok
                                                << Answer::Ok << ok << ok << close << Answer::Ok;
        QTest::newRow("warning, default No") << MessageIcon::Warning << Buttons::YesNo << Answer::No
                                             << yesNo << no << enter << Answer::No;
        QTest::newRow("yes/no, escape is No") << MessageIcon::Question << Buttons::YesNo
                                              << Answer::Yes << yesNo << yes << esc << Answer::No;
        QTest::newRow("yes/no, close box is No")
            << MessageIcon::Question << Buttons::YesNo << Answer::Yes << yesNo << yes << close
            << Answer::No;
        QTest::newRow("yes/no, default not in the set")
            << MessageIcon::Question << Buttons::YesNo << Answer::Ok << yesNo << yes << enter
            << Answer::Yes;
        QTest::newRow("yes/no/cancel, escape is Cancel")
            << MessageIcon::Question << Buttons::YesNoCancel << Answer::Yes << all << yes << esc
            << Answer::Cancel;
        QTest::newRow("yes/no/cancel, close box is Cancel")
            << MessageIcon::Question << Buttons::YesNoCancel << Answer::Yes << all << yes << close
            << Answer::Cancel;
        QTest::newRow("yes/no/cancel, click No") << MessageIcon::Question << Buttons::YesNoCancel
                                                 << Answer::Yes << all << yes << no << Answer::No;
    }
    void messageBoxes() {
        QFETCH(MessageIcon, icon);
        QFETCH(Buttons, buttons);
        QFETCH(Answer, defaultButton);
        QFETCH(QString, texts);
        QFETCH(QString, expectedDefault);
        QFETCH(QString, action);
        QFETCH(Answer, answer);
        static const std::map<MessageIcon, QMessageBox::Icon> icons{
            {MessageIcon::Error, QMessageBox::Critical},
            {MessageIcon::Warning, QMessageBox::Warning},
            {MessageIcon::Question, QMessageBox::Question},
            {MessageIcon::Information, QMessageBox::Information}};
        whenShown<QMessageBox>([=](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), u("提示信息"));
            QCOMPARE(box->text(), u("v<15m/s 时 <b>不</b>需要")); // shown as it is, not as markup
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->icon(), icons.at(icon));
            QStringList shown;
            for (auto* button : box->buttons()) {
                shown << button->text();
            }
            shown.sort();
            QCOMPARE(shown.join(QString()), texts);
            QVERIFY(box->defaultButton());
            QCOMPARE(box->defaultButton()->text(), expectedDefault);
            if (action == u("esc")) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else if (action == u("close")) {
                box->close();
            } else if (action == u("enter")) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                buttonWithText(box, action)->click();
            }
        });
        app::QtInteraction ui;
        QCOMPARE(ui.ask({"提示信息", "v<15m/s 时 <b>不</b>需要", icon, buttons, defaultButton}),
                 answer);
    }

    void inputBox() {
        app::QtInteraction ui;
        for (const QString& button : {u("确定"), u("取消")}) {
            whenShown<QInputDialog>([button](QInputDialog* dialog) {
                QCOMPARE(dialog->windowTitle(), u("链号"));
                QCOMPARE(dialog->textValue(), u("16A"));
                dialog->setTextValue(u("16A-2"));
                buttonWithText(dialog, button)->click();
            });
            const auto text = ui.inputBox("链号", "请输入链号", "16A");
            QCOMPARE(text, button == u("确定") ? std::optional<std::string>("16A-2")
                                               : std::optional<std::string>());
        }
    }

    // Top to bottom; the record keeps the date before the time, the page shows the time first.
    void designerDialogBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("recordIndex");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("designer") << u("name_Edit") << 0 << 0 << u(" 设计者：") << false;
        QTest::newRow("company") << u("company_Edit") << 1 << 1 << u(" 单  位：") << false;
        QTest::newRow("kind") << u("KindEdit") << 2 << 2 << u(" 设计种类：") << true;
        QTest::newRow("form") << u("SortEdit") << 3 << 3 << u(" 形    式：") << true;
        QTest::newRow("time") << u("TimeEdit") << 5 << 4 << u(" 时    间：") << true;
        QTest::newRow("date") << u("DateEdit") << 4 << 5 << u(" 日    期：") << true;
    }
    void designerDialogBoxes() {
        QFETCH(QString, name);
        QFETCH(int, recordIndex);
        QFETCH(int, row);
        QFETCH(QString, label);
        QFETCH(bool, readOnly);
        app::DesignerDialog dialog;
        QCOMPARE(dialog.windowTitle(), u(" 设计信息"));
        QCOMPARE(dialog.findChild<QTabWidget*>()->tabText(0), u(" 摘要信息"));
        auto* edit = dialog.findChild<QLineEdit*>(name);
        QVERIFY(edit);
        QCOMPARE(dialog.box(static_cast<std::size_t>(recordIndex)), edit);
        auto* form = qobject_cast<QFormLayout*>(edit->parentWidget()->layout());
        int at = -1;
        QFormLayout::ItemRole role{};
        form->getWidgetPosition(edit, &at, &role);
        QCOMPARE(at, row);
        QCOMPARE(qobject_cast<QLabel*>(form->labelForField(edit))->text(), label);
        QCOMPARE(edit->isReadOnly(), readOnly);
        QCOMPARE(edit->palette().color(QPalette::Base) == app::DesignerDialog::readOnlyBackground(),
                 readOnly);
        QCOMPARE(edit->font().pixelSize(), 15);
    }

    // Through the core's designer information: 确  认 stores the boxes into the record, 取  消
    // and Escape store nothing, and the boxes keep what was typed either way.
    void designerDialogStoresOnlyOnConfirm_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("确  认") << u("BitBtn1") << true;
        QTest::newRow("取  消") << u("BitBtn2") << false;
        QTest::newRow("escape") << QString() << false;
    }
    void designerDialogStoresOnlyOnConfirm() {
        QFETCH(QString, button);
        QFETCH(bool, confirmed);
        records::DesignerInfo designer(
            [] {
                return std::optional<records::OwnerInfo>({"李工", "某机械厂"});
            },
            [] {
                std::tm noon{};
                noon.tm_hour = 12;
                return noon;
            },
            "C");
        designer.SetDesignForm("滚子链");
        designer.LoadDialog(designer.record());
        QWidget parent;
        app::QtInteraction ui(&parent);
        whenShown<app::DesignerDialog>([button, confirmed](app::DesignerDialog* dialog) {
            QCOMPARE(dialog->focusWidget(), dialog->okButton());
            QCOMPARE(dialog->okButton()->text(), u("确  认"));
            QVERIFY(centredOnScreen(dialog));
            QCOMPARE(dialog->box(1)->text(), u("某机械厂"));
            QCOMPARE(dialog->box(3)->text(), u("滚子链"));
            dialog->box(0)->setText(u("王工"));
            if (button.isEmpty()) {
                QTest::keyClick(dialog->box(0), Qt::Key_Escape);
                return;
            }
            if (confirmed) {
                dialog->grab().save(u(ZORVANE_SCREENSHOT_DIR "/designer_dialog.png"));
            }
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        QCOMPARE(designer.show(ui), confirmed);
        QCOMPARE(designer.boxes()[0], std::string("王工"));
        QCOMPARE(designer.record().getText(records::DesignerField::Designer),
                 std::string(confirmed ? "王工" : "李工"));
    }

    void chineseFaces_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("preferred"); // best first; the first installed one wins
        const QStringList ming{u("AR PL UMing CN"), u("WenQuanYi Zen Hei")};
        QTest::newRow("宋体") << u("宋体") << ming;
        QTest::newRow("SimSun") << u("SimSun") << ming;
        QTest::newRow("楷体_GB2312") << u("楷体_GB2312") << QStringList{u("AR PL UKai CN")} + ming;
        QTest::newRow("隶书") << u("隶书")
                              << QStringList{u("WenQuanYi Zen Hei"), u("AR PL UMing CN")};
    }
    void chineseFaces() {
        QFETCH(QString, family);
        QFETCH(QStringList, preferred);
        const QStringList installed = QFontDatabase::families();
        const auto found =
            std::find_if(preferred.begin(), preferred.end(),
                         [&](const QString& face) { return installed.contains(face); });
        if (found == preferred.end()) {
            QSKIP("none of the Chinese faces is installed");
        }
        QCOMPARE(QFontInfo(QFont(family)).family(), *found);
    }

    // Last, since it changes the whole program: once the toolkit's translation is loaded, its
    // own dialogs, buttons and overwrite prompt speak Chinese.
    void toolkitDialogsSpeakChinese() {
        QVERIFY(app::installToolkitTranslation(*QCoreApplication::instance()));
        QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Open);
        QStringList texts;
        for (const auto* button : box.buttons()) {
            texts << button->text();
        }
        texts.sort();
        QCOMPARE(texts.join(u'|'), u("保存|取消|打开"));
        QCOMPARE(QCoreApplication::translate("QFileDialog",
                                             "%1 already exists.\nDo you want to replace it?"),
                 u("%1 已存在。\n您想要替换它吗？"));
    }
};

QTEST_MAIN(DialogTest)
#include "dialog_test.moc"
