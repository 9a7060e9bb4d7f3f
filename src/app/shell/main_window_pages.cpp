// The right side of the main window and the parts of the window that start hidden. Only the
// work space is made with the window; the select and initial-conditions panels, the record
// pages, the 查询 side and the help viewer are made when first shown, so that the window shows
// as soon as what it shows first is ready.

#include "app/records/history_page.h"
#include "app/records/result_page.h"
#include "app/refdata/image_window.h"
#include "app/refdata/query_page.h"
#include "app/refdata/reference_browser.h"
#include "app/shell/help_viewer.h"
#include "app/shell/init_panel.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_text.h"
#include "app/shell/reference_tree.h"
#include "app/shell/select_panel.h"
#include "app/shell/step_panels.h"
#include "app/shell/work_space.h"
#include "core/design/finished_design.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zorvane::app {

using design::Panel;
using design::Tab;

QWidget* MainWindow::pageHolder(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    return holder;
}

void MainWindow::buildRight(QWidget* parent) {
    auto* holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("pnlMain"));
    pages_ = new QStackedWidget(holder);
    pages_->setObjectName(QStringLiteral("pgeMain"));

    workSpace_ = new WorkSpace(pages_);
    workSpace_->addPanel(Panel::Select, [this] { return makeSelectPanel(); });
    workSpace_->addPanel(Panel::Init, [this] { return makeInitPanel(); });
    stepPanels_ = new StepPanels(
        *workSpace_, *session_, [this](const std::function<void()>& handler) { run(handler); },
        this);
    pages_->addWidget(workSpace_);
    for (int page = 1; page < 4; ++page) {
        pages_->addWidget(pageHolder(pages_));
    }

    tabSet_ = new QTabBar(holder);
    tabSet_->setObjectName(QStringLiteral("TabSet1"));
    tabSet_->setShape(QTabBar::RoundedSouth);
    for (const char* caption : {"工作空间", "历史记录", "设计结果", "数据库查询"}) {
        tabSet_->addTab(QString::fromUtf8(caption));
    }
    connect(tabSet_, &QTabBar::currentChanged, this, [this](int index) {
        if (!refreshing_) {
            run([this, index] { session_->gate().switchToTab(static_cast<Tab>(index)); });
        }
    });
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pages_, 1);
    layout->addWidget(tabSet_, 0, Qt::AlignLeft);
}

QWidget* MainWindow::makeSelectPanel() {
    selectPanel_ = new SelectPanel;
    connect(selectPanel_, &SelectPanel::confirmed, this,
            [this] { run([this] { session_->confirmChainType(selectPanel_->inputs()); }); });
    connect(selectPanel_, &SelectPanel::cancelled, this,
            [this] { run([this] { session_->cancelChainType(); }); });
    return selectPanel_;
}

QWidget* MainWindow::makeInitPanel() {
    initPanel_ = new InitPanel(ui_);
    if (const auto chain = session_->chain()) {
        initPanel_->setChain(*chain);
    }
    connect(initPanel_, &InitPanel::confirmed, this, &MainWindow::confirmInit);
    connect(initPanel_, &InitPanel::cancelled, this,
            [this] { run([this] { session_->steps().cancelInitialConditions(); }); });
    connect(initPanel_, &InitPanel::a0TolerancePercentEntered, this,
            [this](double percent) { session_->steps().setA0TolerancePercent(percent); });
    return initPanel_;
}

SelectPanel* MainWindow::selectPanel() {
    workSpace_->panel(Panel::Select);
    return selectPanel_;
}

InitPanel* MainWindow::initPanel() {
    workSpace_->panel(Panel::Init);
    return initPanel_;
}

HistoryPage* MainWindow::historyPage() {
    if (!historyPage_) {
        historyPage_ = new HistoryPage;
        pages_->widget(static_cast<int>(Tab::History))->layout()->addWidget(historyPage_);
        historyPage_->show(); // at once, also when its page is already showing
        drawRecords();
    }
    return historyPage_;
}

ResultPage* MainWindow::resultPage() {
    if (!resultPage_) {
        resultPage_ = new ResultPage;
        connect(resultPage_, &ResultPage::exportProfilesClicked, this,
                [this] { run([this] { design::exportProfiles(*session_); }); });
        pages_->widget(static_cast<int>(Tab::Result))->layout()->addWidget(resultPage_);
        resultPage_->show();
        drawRecords();
    }
    return resultPage_;
}

void MainWindow::makeQuerySide() {
    if (browser_) {
        return;
    }
    QWidget* treeHolder = left_->widget(1);
    tree_ = buildReferenceTree(treeHolder);
    treeHolder->layout()->addWidget(tree_);
    tree_->show();
    queryPage_ = new QueryPage;
    pages_->widget(static_cast<int>(Tab::DatabaseQuery))->layout()->addWidget(queryPage_);
    queryPage_->show();
    connect(queryPage_, &QueryPage::backToDesign, this,
            [this] { run([this] { session_->gate().backToDesign(); }); });
    imageWindow_ = new ImageWindow(this);
    browser_ = new ReferenceBrowser(*tree_, *queryPage_, *imageWindow_, ui_,
                                    session_->databaseDir(), this);
}

QTreeWidget* MainWindow::tree() {
    makeQuerySide();
    return tree_;
}

QueryPage* MainWindow::queryPage() {
    makeQuerySide();
    return queryPage_;
}

ReferenceBrowser* MainWindow::browser() {
    makeQuerySide();
    return browser_;
}

ImageWindow* MainWindow::imageWindow() {
    makeQuerySide();
    return imageWindow_;
}

HelpViewer* MainWindow::helpViewer() {
    if (!help_) {
        help_ = new HelpViewer(this);
    }
    return help_;
}

void MainWindow::makePageOf(const design::MainState& state) {
    if (state.querySide || state.tab == Tab::DatabaseQuery) {
        makeQuerySide();
    }
    if (state.tab == Tab::History) {
        historyPage();
    } else if (state.tab == Tab::Result) {
        resultPage();
    }
}

void MainWindow::drawRecords() {
    const auto& state = session_->state();
    if (resultPage_) {
        auto* results = session_->results();
        resultPage_->bind(results ? results->initTable() : nullptr,
                          results ? results->resultTable() : nullptr,
                          results ? results->sizeTable() : nullptr);
        resultPage_->setSizeAreaVisible(state.sizeAreaVisible);
        resultPage_->setSizePicture(qs(state.sizePicture));
        resultPage_->setProfileExportEnabled(state.reportsEnabled);
    }
    if (historyPage_) {
        historyPage_->bind(session_->history() ? session_->history()->historyTable() : nullptr);
    }
}

} // namespace zorvane::app
