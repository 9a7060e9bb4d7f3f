#include "app/shell/help_viewer.h"

#include <QFile>
#include <QFileInfo>
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

} // namespace zorvane::app
