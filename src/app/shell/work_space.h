#pragma once
// The 工作空间 page: it holds the floating step panels and keeps a shown panel centred.

#include "core/design/steps.h"

#include <QWidget>

#include <map>

namespace zorvane::app {

class WorkSpace : public QWidget {
    Q_OBJECT
public:
    explicit WorkSpace(QWidget* parent = nullptr);

    void addPanel(design::Panel panel, QWidget* widget);
    QWidget* panel(design::Panel panel) const;
    // Shows exactly the panels the state names, each centred.
    void showPanels(const std::array<bool, design::kPanelCount>& visible);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void centre(QWidget* widget);
    std::map<design::Panel, QWidget*> panels_;
};

} // namespace zorvane::app
