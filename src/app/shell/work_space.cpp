#include "app/shell/work_space.h"

#include <QEvent>

namespace zorvane::app {

WorkSpace::WorkSpace(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("tabWorkSpace"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    canvas_ = new QWidget(this);
    canvas_->setObjectName(QStringLiteral("pnlWorkSpace"));
    canvas_->installEventFilter(this);
    setWidget(canvas_);
}

void WorkSpace::addPanel(design::Panel panel, QWidget* widget) {
    widget->setParent(canvas_);
    widget->hide();
    panels_[panel] = widget;
}

void WorkSpace::addPanel(design::Panel panel, std::function<QWidget*()> make) {
    makers_[panel] = std::move(make);
}

QWidget* WorkSpace::madePanel(design::Panel panel) const {
    const auto found = panels_.find(panel);
    return found == panels_.end() ? nullptr : found->second;
}

QWidget* WorkSpace::panel(design::Panel panel) {
    if (QWidget* made = madePanel(panel)) {
        return made;
    }
    const auto maker = makers_.find(panel);
    if (maker == makers_.end()) {
        return nullptr;
    }
    const auto make = std::move(maker->second);
    makers_.erase(maker);
    addPanel(panel, make());
    return panels_[panel];
}

void WorkSpace::showPanels(const std::array<bool, design::kPanelCount>& visible) {
    for (std::size_t i = 0; i < visible.size(); ++i) {
        if (visible[i]) {
            panel(static_cast<design::Panel>(i));
        }
    }
    for (auto [panel, widget] : panels_) {
        widget->setVisible(visible[static_cast<std::size_t>(panel)]);
    }
    arrange();
    for (auto [panel, widget] : panels_) {
        if (!widget->isHidden()) {
            widget->raise();
        }
    }
}

// left := (width of the page - panel width) div 2, top likewise; never above or left of the page.
// A panel larger than the page makes the canvas larger, and the page scrolls.
void WorkSpace::arrange() {
    QSize needed(0, 0);
    for (auto [panel, widget] : panels_) {
        if (!widget->isHidden()) {
            needed = needed.expandedTo(widget->size());
        }
    }
    if (canvas_->minimumSize() != needed) {
        canvas_->setMinimumSize(needed); // the canvas's resize comes back here
    }
    const QSize area = canvas_->size();
    for (auto [panel, widget] : panels_) {
        if (!widget->isHidden()) {
            widget->move(std::max(0, (area.width() - widget->width()) / 2),
                         std::max(0, (area.height() - widget->height()) / 2));
        }
    }
}

bool WorkSpace::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        arrange();
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace zorvane::app
