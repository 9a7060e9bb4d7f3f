#pragma once
// The main window over a fresh workspace with a scripted user, shown offscreen and exposed: the
// set-up of the window tests. A test class derives from it, opens the window in init() (or in a
// test, when the user is made from the test's data) and closes it in cleanup().

#include "app/shell/main_window.h"
#include "app/window_driver.h"
#include "core/design/scripted_interaction.h"
#include "support/fixed_designer.h"
#include "support/workspace.h"

#include <QCursor>
#include <QTest>

#include <memory>

namespace zorvane::testing {

template <class Ui = design::ScriptedInteraction> class MainWindowFixture {
protected:
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<Ui> ui_;
    std::unique_ptr<app::MainWindow> window_;
    WindowDriver drive_;

    // The user is made from `uiArgs`.
    template <class... UiArgs>
    void openWindow(QSize size = {1200, 800}, records::DesignerInfo designer = fixedDesigner(),
                    UiArgs&&... uiArgs) {
        workspace_ = std::make_unique<Workspace>();
        ui_ = std::make_unique<Ui>(std::forward<UiArgs>(uiArgs)...);
        window_ = std::make_unique<app::MainWindow>(*ui_, workspace_->path(), std::move(designer));
        drive_.setWindow(window_.get());
        // The pointer off the window, so that no button of a picture is drawn hovered.
        QCursor::setPos(size.width() + 100, size.height() + 100);
        window_->resize(size);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    // The window goes before its user and its directory.
    void closeWindow() {
        window_.reset();
        ui_.reset();
        workspace_.reset();
    }
};

} // namespace zorvane::testing
