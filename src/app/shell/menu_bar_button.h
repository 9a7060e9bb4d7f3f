#pragma once
// A text button of the tool bar that serves as the menu bar: it drops its menu down at once, shows
// no menu arrow, and loses its raised hover frame when the menu closes with the mouse elsewhere.

#include <QToolButton>

class QMenu;

namespace zorvane::app {

class MenuBarButton : public QToolButton {
    Q_OBJECT
public:
    // `menu` may be null: the button then runs its own command.
    MenuBarButton(const QString& name, const QString& caption, QMenu* menu, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The mouse left while the menu held it: the button never saw it go.
    void forgetStaleHover();
};

} // namespace zorvane::app
