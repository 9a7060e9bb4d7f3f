#pragma once
// The 工作空间 page: it holds the floating step panels and keeps a shown panel centred. When the
// page is smaller than a shown panel, the page scrolls so that the whole panel stays reachable.

#include "core/design/steps.h"

#include <QScrollArea>

#include <functional>
#include <map>

namespace zorvane::app {

class WorkSpace : public QScrollArea {
    Q_OBJECT
public:
    explicit WorkSpace(QWidget* parent = nullptr);

    void addPanel(design::Panel panel, QWidget* widget);
    // A panel made only when it is first shown; `make` returns it unparented.
    void addPanel(design::Panel panel, std::function<QWidget*()> make);
    // The panel, made now if it was not made yet.
    QWidget* panel(design::Panel panel);
    // The panel if it was made, else null.
    QWidget* madePanel(design::Panel panel) const;
    // Shows exactly the panels the state names, each centred.
    void showPanels(const std::array<bool, design::kPanelCount>& visible);
    // The area the panels float on.
    QWidget* canvas() const { return canvas_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The canvas is at least as large as every shown panel; the panels sit in its middle.
    void arrange();

    QWidget* canvas_;
    std::map<design::Panel, QWidget*> panels_;
    std::map<design::Panel, std::function<QWidget*()>> makers_;
};

} // namespace zorvane::app
