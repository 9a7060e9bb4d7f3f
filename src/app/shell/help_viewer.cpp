#include "app/shell/help_viewer.h"

#include "app/shell/value_prompt.h"

#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zorvane::app {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Zorvane 帮助"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenLinks(true);
    auto* contents = new QToolButton(this);
    contents->setText(QStringLiteral("目录"));
    connect(contents, &QToolButton::clicked, this,
            [this] { browser_->scrollToAnchor(QStringLiteral("contents")); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(contents, 0, Qt::AlignLeft);
    layout->addWidget(browser_, 1);
    // Escape closes the help, as it closes a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(760, 620);
}

bool HelpViewer::showFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setHtml(QString::fromUtf8(file.readAll()));
    browser_->scrollToAnchor(QStringLiteral("contents"));
    show();
    raise();
    return true;
}

// The first opening centres the viewer over the main window, or on the screen without one; after
// that it stays where the user put it. Its frame is known once it shows.
void HelpViewer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        placeOverOwner();
    }
}

void HelpViewer::placeOverOwner() {
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible()) {
        centreOnScreen(*this);
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(owner->frameGeometry().center());
    move(frame.topLeft());
}

} // namespace zorvane::app
