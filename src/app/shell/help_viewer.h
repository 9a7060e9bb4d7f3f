#pragma once
// The built-in help viewer: the help file, an HTML document, opened at its contents.

#include <QWidget>

class QTextBrowser;

namespace zorvane::app {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // False when the file cannot be read.
    bool showFile(const QString& path);
    QTextBrowser* browser() const { return browser_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void placeOverOwner();

    QTextBrowser* browser_;
    bool placed_ = false;
};

} // namespace zorvane::app
