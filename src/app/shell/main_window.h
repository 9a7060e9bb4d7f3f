#pragma once
// The main window TfrmMain: tool bars, the step list and the reference tree on the left, the
// four work pages on the right, the status bar. It draws the design session's state and hands
// the user's actions to it.

#include "core/design/session.h"
#include "core/project/file_commands.h"

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QLabel;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace zorvane::app {

class DesignList;
class HelpViewer;
class HistoryPage;
class ImageWindow;
class InitPanel;
class QueryPage;
class ReferenceBrowser;
class ResultPage;
class SelectPanel;
class StepPanels;
class WorkSpace;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(design::Interaction& ui, const std::filesystem::path& appDir,
               records::DesignerInfo designer = records::DesignerInfo(), QWidget* parent = nullptr);
    ~MainWindow() override;

    design::DesignSession& session() { return *session_; }
    project::FileCommands& commands() { return *commands_; }
    // Draws the session's state.
    void refresh();
    // 打开 of a given project file (the command line's, a recent one's): the save prompt, the
    // checks and the messages of 打开, without its file dialog.
    void openProject(const QString& path);

    DesignList* designList() const { return designList_; }
    WorkSpace* workSpace() const { return workSpace_; }
    QTabBar* tabSet() const { return tabSet_; }
    QStackedWidget* pages() const { return pages_; }
    QTabWidget* leftPages() const { return left_; }
    QLabel* statusPanel(int index) const { return status_[static_cast<std::size_t>(index)]; }
    QAction* action(const QString& objectName) const;
    // The pages, panels and windows that start hidden are made when first shown; asking for one
    // makes it.
    SelectPanel* selectPanel();
    InitPanel* initPanel();
    ResultPage* resultPage();
    HistoryPage* historyPage();
    QTreeWidget* tree();
    HelpViewer* helpViewer();
    QueryPage* queryPage();
    ReferenceBrowser* browser();
    ImageWindow* imageWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void reportWorkspace();
    void exitProgram();
    void buildToolBars();
    // The report tool buttons and menu items preview their reports.
    void connectReportCommands();
    void buildLeft(QWidget* parent);
    void buildRight(QWidget* parent);
    void buildStatusBar();
    // An empty page that a page made later fills.
    static QWidget* pageHolder(QWidget* parent);
    QWidget* makeSelectPanel();
    QWidget* makeInitPanel();
    // The 查询 side: the tree, the query page, the picture window and the browser.
    void makeQuerySide();
    // The page the state shows, and the 查询 side when the state shows it.
    void makePageOf(const design::MainState& state);
    // The working tables into the record pages made so far.
    void drawRecords();
    // Runs a handler of the session: the panels' field texts go into the state first, the state
    // is drawn after; a table store error reaches the user as an error message.
    void run(const std::function<void()>& handler);
    void stepClicked(design::Chain chain, int position);
    void confirmInit();
    void openHelp();
    // The recent projects under 文件, made each time the menu opens.
    void fillRecentMenu();
    // A recent project that is gone leaves the list, with a message.
    void openRecent(const QString& path);
    void showAbout();

    design::Interaction& ui_;
    std::unique_ptr<design::DesignSession> session_;
    std::unique_ptr<project::FileCommands> commands_;
    bool quitting_ = false;
    DesignList* designList_ = nullptr;
    SelectPanel* selectPanel_ = nullptr;
    InitPanel* initPanel_ = nullptr;
    WorkSpace* workSpace_ = nullptr;
    StepPanels* stepPanels_ = nullptr;
    ResultPage* resultPage_ = nullptr;
    HistoryPage* historyPage_ = nullptr;
    QTabBar* tabSet_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTabWidget* left_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    HelpViewer* help_ = nullptr;
    QueryPage* queryPage_ = nullptr;
    ReferenceBrowser* browser_ = nullptr;
    ImageWindow* imageWindow_ = nullptr;
    std::array<QLabel*, 4> status_{};
    std::vector<QAction*> reportActions_;
    std::vector<QToolButton*> reportButtons_;
    QAction* designAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    bool refreshing_ = false;
    bool running_ = false;
};

} // namespace zorvane::app
