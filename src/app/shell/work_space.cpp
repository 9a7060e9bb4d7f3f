#include "app/shell/work_space.h"

#include <QResizeEvent>

namespace zorvane::app {

WorkSpace::WorkSpace(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlWorkSpace"));
}

void WorkSpace::addPanel(design::Panel panel, QWidget* widget) {
    widget->setParent(this);
    widget->hide();
    panels_[panel] = widget;
}

QWidget* WorkSpace::panel(design::Panel panel) const {
    const auto found = panels_.find(panel);
    return found == panels_.end() ? nullptr : found->second;
}

void WorkSpace::showPanels(const std::array<bool, design::kPanelCount>& visible) {
    for (auto [panel, widget] : panels_) {
        const bool show = visible[static_cast<std::size_t>(panel)];
        if (show) {
            centre(widget);
        }
        widget->setVisible(show);
        if (show) {
            widget->raise();
        }
    }
}

// left := (width of the page - panel width) div 2, top likewise; never above or left of the page.
void WorkSpace::centre(QWidget* widget) {
    widget->move(std::max(0, (width() - widget->width()) / 2),
                 std::max(0, (height() - widget->height()) / 2));
}

void WorkSpace::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (auto [panel, widget] : panels_) {
        if (widget->isVisible()) {
            centre(widget);
        }
    }
}

} // namespace zorvane::app
