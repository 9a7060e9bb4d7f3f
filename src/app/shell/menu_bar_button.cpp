#include "app/shell/menu_bar_button.h"

#include "app/shell/look.h"

#include <QCursor>
#include <QMenu>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>

namespace zorvane::app {

MenuBarButton::MenuBarButton(const QString& name, const QString& caption, QMenu* menu,
                             QWidget* parent)
    : QToolButton(parent) {
    setObjectName(name);
    setText(caption);
    setAutoRaise(true);
    // A menu bar takes no keyboard focus: a focused button would keep a frame after its menu.
    setFocusPolicy(Qt::NoFocus);
    // Purple 16 px type, as a menu bar of this program has.
    setPixelSize(*this, 16);
    setTextColour(*this, QColor(0x80, 0x00, 0x80));
    if (menu) {
        setMenu(menu);
        setPopupMode(QToolButton::InstantPopup);
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, &MenuBarButton::forgetStaleHover); });
    }
}

void MenuBarButton::forgetStaleHover() {
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        setAttribute(Qt::WA_UnderMouse, false);
        update();
    }
}

void MenuBarButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.features &= ~(QStyleOptionToolButton::HasMenu | QStyleOptionToolButton::MenuButtonPopup);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

} // namespace zorvane::app
