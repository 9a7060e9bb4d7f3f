#include "app/shell/focus_route.h"

#include <QKeyEvent>
#include <QWidget>

namespace zorvane::app {

void FocusRoute::add(QWidget* from, QWidget* to, Keys keys) {
    steps_[from] = {to, keys};
    from->installEventFilter(this);
}

QWidget* FocusRoute::target(QWidget* from) const {
    QWidget* next = from;
    // At most once round the route, so that a route of disabled controls cannot loop.
    for (std::size_t hops = 0; hops < steps_.size(); ++hops) {
        const auto found = steps_.find(next);
        if (found == steps_.end()) {
            return nullptr;
        }
        next = found->second.to;
        if (next == from) {
            return nullptr;
        }
        if (next->isEnabled() && next->isVisible()) {
            return next;
        }
    }
    return nullptr;
}

bool FocusRoute::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto found = steps_.find(watched);
    if (found == steps_.end()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    const Keys keys = found->second.keys;
    if (!(down && (keys & Down)) && !(enter && (keys & Enter))) {
        return QObject::eventFilter(watched, event);
    }
    if (QWidget* next = target(static_cast<QWidget*>(watched))) {
        next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

} // namespace zorvane::app
