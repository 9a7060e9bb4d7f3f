#include "app/shell/main_window.h"

#include "app/records/history_page.h"
#include "app/records/result_page.h"
#include "app/refdata/image_window.h"
#include "app/refdata/query_page.h"
#include "app/refdata/reference_browser.h"
#include "app/shell/about_text.h"
#include "app/shell/design_list.h"
#include "app/shell/help_viewer.h"
#include "app/shell/init_panel.h"
#include "app/shell/look.h"
#include "app/shell/menu_bar_button.h"
#include "app/shell/qt_text.h"
#include "app/shell/recent_projects.h"
#include "app/shell/reference_tree.h"
#include "app/shell/select_panel.h"
#include "app/shell/step_panels.h"
#include "app/shell/work_space.h"
#include "core/design/finished_design.h"
#include "core/design/problem.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/report/report_commands.h"
#include "core/store/store_error.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// The pictures live in a resource object inside a static library; registering them here makes
// the linker keep it.
static void registerArtwork() {
    Q_INIT_RESOURCE(zorvane_artwork);
}

namespace zorvane::app {

using design::Panel;
using design::Tab;

namespace {

struct ToolButtonDef {
    const char* name;
    const char* hint;
    const char* icon;
};

// The icon buttons of ToolBar2 in their order.
constexpr std::array<ToolButtonDef, 8> kToolButtons{{
    {"spnNew", "新建", "icon-new"},
    {"spnOpen", "打开", "icon-open"},
    {"spnSave", "保存", "icon-save"},
    {"spnClose", "关闭", "icon-close"},
    {"spnQuery", "查询", "icon-query"},
    {"spnResult", "设计结果报表", "icon-result-report"},
    {"spnHistory", "历史记录报表", "icon-history-report"},
    {"spnExit", "退出", "icon-exit"},
}};

constexpr std::array<int, 4> kStatusWidths{50, 150, 50, 50};

// A menu item; one with a shortcut is also the window's, since the menus of the menu bar
// buttons are not part of the window until they are shown.
QAction* addItem(QMenu* menu, const char* name, const char* text,
                 const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        menu->parentWidget()->addAction(action);
    }
    return action;
}

} // namespace

MainWindow::MainWindow(design::Interaction& ui, const std::filesystem::path& appDir,
                       records::DesignerInfo designer, QWidget* parent)
    : QMainWindow(parent), ui_(ui),
      session_(std::make_unique<design::DesignSession>(appDir, ui, std::move(designer))),
      commands_(std::make_unique<project::FileCommands>(*session_)) {
    commands_->projectFileUsed = [](const std::string& path) { RecentProjects().add(qs(path)); };
    registerArtwork();
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/app-icon.png")));
    QFont windowFont(QStringLiteral("宋体"));
    windowFont.setPixelSize(12);
    setFont(windowFont);

    buildToolBars();
    auto* central = new QSplitter(Qt::Horizontal, this);
    central->setHandleWidth(1);
    buildLeft(central);
    buildRight(central);
    central->setSizes({169, 1000});
    central->setStretchFactor(1, 1);
    setCentralWidget(central);
    buildStatusBar();
    refresh();
    resize(1100, 760);
    // What the opening of the working tables found is told once the window shows.
    QTimer::singleShot(0, this, [this] { reportWorkspace(); });
}

// 退出: the save prompt of the file commands, then the window closes without asking again.
void MainWindow::exitProgram() {
    bool leave = false;
    run([this, &leave] { leave = commands_->exit(); });
    if (leave) {
        quitting_ = true;
        close();
    }
}

// The close box asks as the file commands say; 退出 has asked already.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    bool canClose = false;
    run([this, &canClose] { canClose = commands_->closeQuery(); });
    if (canClose) {
        quitting_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::reportWorkspace() {
    for (const auto& repair : session_->workspaceRepairs()) {
        design::showInformation(ui_, repair);
    }
    if (!session_->workspace()) {
        design::showError(ui_, session_->workspaceProblem());
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::buildToolBars() {
    auto* menuBar = addToolBar(QStringLiteral("ToolBar1"));
    menuBar->setObjectName(QStringLiteral("ToolBar1"));
    menuBar->setMovable(false);
    auto addMenu = [&](const char* name, const char* caption) {
        auto* menu = new QMenu(QString::fromUtf8(caption), this);
        menu->setObjectName(QString::fromLatin1(name));
        menuBar->addWidget(new MenuBarButton(QString::fromLatin1(name) + QStringLiteral("Button"),
                                             QString::fromUtf8(caption), menu, menuBar));
        return menu;
    };

    QMenu* file = addMenu("mniFile", "文件[&N]");
    connect(addItem(file, "mniNew", "新建[&N]", QKeySequence::New), &QAction::triggered, this,
            [this] { run([this] { session_->beginNewDesign(); }); });
    connect(addItem(file, "mniOpen", "打开[&O]", QKeySequence::Open), &QAction::triggered, this,
            [this] { run([this] { commands_->open(); }); });
    connect(addItem(file, "mniClose", "关闭[&C]"), &QAction::triggered, this,
            [this] { run([this] { commands_->close(); }); });
    file->addSeparator();
    connect(addItem(file, "mniProperty", "属性[&Q]"), &QAction::triggered, this, [this] {
        run([this] {
            session_->designer().LoadDialog(session_->designer().record());
            session_->designer().show(ui_);
        });
    });
    connect(addItem(file, "mniSave", "保存[&S]", QKeySequence::Save), &QAction::triggered, this,
            [this] { run([this] { commands_->save(); }); });
    connect(addItem(file, "mniSaveAs", "另存为[&A]"), &QAction::triggered, this,
            [this] { run([this] { commands_->saveAs(); }); });
    file->addSeparator();
    recentMenu_ = file->addMenu(QStringLiteral("最近的项目[&R]"));
    recentMenu_->setObjectName(QStringLiteral("mniRecent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);

    QMenu* window = addMenu("mniWindow", "窗口[&W]");
    designAction_ = addItem(window, "mniDesign", "设计[&D]");
    connect(designAction_, &QAction::triggered, this,
            [this] { run([this] { session_->gate().backToDesign(); }); });
    connect(addItem(window, "mniQuery", "查询[&Q]"), &QAction::triggered, this,
            [this] { run([this] { session_->gate().switchToTab(Tab::DatabaseQuery); }); });

    QMenu* record = addMenu("mniRecord", "记录");
    connect(addItem(record, "mniHistoryRec", "历史记录[&R]"), &QAction::triggered, this,
            [this] { run([this] { session_->gate().switchToTab(Tab::History); }); });
    connect(addItem(record, "mniResultRec", "设计结果记录"), &QAction::triggered, this,
            [this] { run([this] { session_->gate().switchToTab(Tab::Result); }); });

    QMenu* help = addMenu("mniHelp", "帮助");
    connect(addItem(help, "mniTopic", "主题[&T]", QKeySequence::HelpContents), &QAction::triggered,
            this, &MainWindow::openHelp);
    connect(addItem(help, "mniAbout", "关于[&A]"), &QAction::triggered, this,
            &MainWindow::showAbout);

    QMenu* report = addMenu("mniReport", "报表[&R]");
    QMenu* results = report->addMenu(QStringLiteral("设计结果报表[&S]"));
    results->setObjectName(QStringLiteral("mniResultReports"));
    reportActions_ = {addItem(results, "mniInit", "初始条件报表"),
                      addItem(results, "mniRst", "设计结果报表"),
                      addItem(results, "mniSize", "结构参数报表"),
                      addItem(report, "mniHistory", "历史记录报表[&H]")};

    auto* exit =
        new MenuBarButton(QStringLiteral("mniExit"), QStringLiteral("退出[&X]"), nullptr, menuBar);
    connect(exit, &QToolButton::clicked, this, &MainWindow::exitProgram);
    menuBar->addWidget(exit);

    addToolBarBreak();
    auto* icons = addToolBar(QStringLiteral("ToolBar2"));
    icons->setObjectName(QStringLiteral("ToolBar2"));
    icons->setMovable(false);
    icons->setIconSize(QSize(24, 24));
    for (const auto& def : kToolButtons) {
        auto* button = new QToolButton(icons);
        button->setObjectName(QString::fromLatin1(def.name));
        button->setToolTip(QString::fromUtf8(def.hint));
        button->setIcon(
            QIcon(QStringLiteral(":/artwork/%1.png").arg(QString::fromLatin1(def.icon))));
        button->setFixedSize(26, 26);
        button->setAutoRaise(true);
        icons->addWidget(button);
        const std::string_view name = def.name;
        if (name == "spnNew") {
            connect(button, &QToolButton::clicked, this, [this] {
                run([this] {
                    session_->beginNewDesign();
                    session_->gate().switchToTab(Tab::WorkSpace);
                });
            });
        } else if (name == "spnQuery") {
            connect(button, &QToolButton::clicked, this,
                    [this] { run([this] { session_->gate().switchToTab(Tab::DatabaseQuery); }); });
        } else if (name == "spnExit") {
            connect(button, &QToolButton::clicked, this, &MainWindow::exitProgram);
        } else if (name == "spnResult" || name == "spnHistory") {
            reportButtons_.push_back(button);
            if (name == "spnResult") {
                // The design's report preview, from which it prints.
                button->setShortcut(QKeySequence::Print);
                button->setToolTip(QStringLiteral("%1 (%2)").arg(
                    button->toolTip(),
                    QKeySequence(QKeySequence::Print).toString(QKeySequence::NativeText)));
            }
        } else if (name == "spnOpen") {
            connect(button, &QToolButton::clicked, this,
                    [this] { run([this] { commands_->open(); }); });
        } else if (name == "spnSave") {
            connect(button, &QToolButton::clicked, this,
                    [this] { run([this] { commands_->save(); }); });
        } else if (name == "spnClose") {
            connect(button, &QToolButton::clicked, this,
                    [this] { run([this] { commands_->close(); }); });
        }
    }
    connectReportCommands();
}

void MainWindow::connectReportCommands() {
    for (const auto& command : report::kReportCommands) {
        const QString name = QString::fromLatin1(command.control.data(),
                                                 static_cast<qsizetype>(command.control.size()));
        const auto id = command.report;
        auto show = [this, id] { run([this, id] { design::showReport(*session_, id); }); };
        if (QAction* item = action(name)) {
            connect(item, &QAction::triggered, this, show);
        } else if (auto* button = findChild<QToolButton*>(name)) {
            connect(button, &QToolButton::clicked, this, show);
        }
    }
}

void MainWindow::buildLeft(QWidget* parent) {
    auto* holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("pnlDesignQuery"));
    holder->setMinimumWidth(120);
    left_ = new QTabWidget(holder);
    left_->setObjectName(QStringLiteral("pgeDesignQuery"));
    left_->tabBar()->setFont(pixelFont("宋体", 16, true));
    designList_ = new DesignList(left_);
    left_->addTab(designList_, QStringLiteral("设计"));
    left_->addTab(pageHolder(left_), QStringLiteral("查询")); // the tree, made when first shown
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(left_);

    connect(designList_, &DesignList::beginClicked, this,
            [this] { run([this] { session_->beginNewDesign(); }); });
    connect(designList_, &DesignList::selectClicked, this,
            [this] { run([this] { session_->openChainTypeStep(); }); });
    connect(designList_, &DesignList::stepClicked, this, &MainWindow::stepClicked);
    connect(left_, &QTabWidget::currentChanged, this, [this](int index) {
        if (!refreshing_) {
            run([this, index] { session_->gate().leftSideChanged(index == 1); });
        }
    });
}

void MainWindow::buildStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (std::size_t i = 0; i < status_.size(); ++i) {
        status_[i] = new QLabel(bar);
        status_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        status_[i]->setMinimumWidth(kStatusWidths[i]);
        status_[i]->setFrameShape(QFrame::Panel);
        status_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(status_[i]);
    }
}

QAction* MainWindow::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::run(const std::function<void()>& handler) {
    // One handler at a time: a field's leave check set off by the focus moves of a running
    // handler or of the drawing after it must not run inside them.
    if (running_) {
        return;
    }
    running_ = true;
    stepPanels_->store(session_->state().fields);
    try {
        session_->runStep(handler);
    } catch (const std::exception& error) {
        design::reportFailure(ui_, error);
    }
    commands_->noteChanges();
    refresh();
    running_ = false;
}

void MainWindow::stepClicked(design::Chain chain, int position) {
    run([this, chain, position] { session_->steps().stepClicked(chain, position); });
}

void MainWindow::confirmInit() {
    run([this] {
        const auto outcome = session_->steps().confirmInitialConditions(initPanel()->inputs());
        if (outcome.focus) {
            const auto field = *outcome.focus;
            QTimer::singleShot(0, this, [this, field] { initPanel_->focusField(field); });
        }
    });
}

void MainWindow::openProject(const QString& path) {
    run([this, path] { commands_->openProject(utf8(path)); });
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList paths = RecentProjects().paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction* item = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        item->setObjectName(QStringLiteral("mniRecent%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void MainWindow::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        RecentProjects().remove(path);
        design::showError(ui_, "找不到项目文件“" + utf8(path) + "”，已将它从最近的项目中移除。");
        return;
    }
    openProject(path);
}

void MainWindow::openHelp() {
    const auto path = session_->appDir() / "Help" / "Chain.hlp";
    if (!helpViewer()->showFile(QString::fromStdString(path.string()))) {
        design::showError(ui_, "找不到帮助文件“" + path.string() + "”");
    }
}

void MainWindow::showAbout() {
    ui_.ask({std::string("关于 ") + kAboutProductName,
             std::string(kAboutProductName) + "  " + kAboutVersionLabel + " " + kAboutVersion +
                 "\n\n" + kAboutDescription + "\n\n" + kAboutCredits,
             design::MessageIcon::Information, design::Buttons::Ok, design::Answer::Ok});
}

void MainWindow::refresh() {
    refreshing_ = true;
    auto& state = session_->state();
    designList_->applyState(state);
    if (state.scrollStepsToTop) {
        designList_->scrollToTop();
        state.scrollStepsToTop = false;
    }
    // The page first, so that the work space has its size when it centres a panel.
    const int tab = static_cast<int>(state.tab);
    makePageOf(state);
    pages_->setCurrentIndex(tab);
    tabSet_->setCurrentIndex(tab);
    left_->setCurrentIndex(state.querySide ? 1 : 0);
    workSpace_->showPanels(state.panels);
    if (const auto chain = session_->chain(); chain && initPanel_) {
        initPanel_->setChain(*chain); // a step may have reopened the initial conditions
    }
    stepPanels_->load(state);
    for (std::size_t i = 0; i < status_.size(); ++i) {
        status_[i]->setText(qs(state.status[i]));
    }
    // The toolkit's mark of a modified document shows while there is unsaved work.
    setWindowTitle(qs(state.windowTitle) + QStringLiteral("[*]"));
    setWindowModified(session_->hasUnsavedWork());
    for (QAction* report : reportActions_) {
        report->setEnabled(state.reportsEnabled);
    }
    for (QToolButton* report : reportButtons_) {
        report->setEnabled(state.reportsEnabled);
    }
    designAction_->setEnabled(state.designMenuEnabled);
    drawRecords();
    if (!state.focus.empty()) {
        const QString name = qs(state.focus);
        state.focus.clear();
        QTimer::singleShot(0, this, [this, name] {
            if (QWidget* target = findChild<QWidget*>(name)) {
                target->setFocus(Qt::OtherFocusReason);
            }
        });
    }
    refreshing_ = false;
}

} // namespace zorvane::app
