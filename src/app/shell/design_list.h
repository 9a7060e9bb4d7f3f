#pragma once
// The step list on the 设计 page: 开始新设计, 选择链种类 and the two step panels with their
// buttons in panel order and their end labels. It draws the main state's button states.

#include "core/design/main_state.h"

#include <QScrollArea>

#include <vector>

class QLabel;
class QToolButton;
class QFrame;

namespace zorvane::app {

class DesignList : public QScrollArea {
    Q_OBJECT
public:
    explicit DesignList(QWidget* parent = nullptr);

    void applyState(const design::MainState& state);
    // A chain's step buttons are made when its panel first shows, or when asked for here.
    QToolButton* stepButton(design::Chain chain, int position);
    QToolButton* beginButton() const { return begin_; }
    QToolButton* selectButton() const { return select_; }
    void scrollToTop();

signals:
    void beginClicked();
    void selectClicked();
    void stepClicked(design::Chain chain, int position);

private:
    struct ChainWidgets {
        design::Chain chain = design::Chain::Roller;
        const char* panelName = nullptr;
        const char* headName = nullptr;
        const char* header = nullptr;
        const char* endName = nullptr;
        QFrame* panel = nullptr;
        std::vector<QToolButton*> steps;
        QLabel* endLabel = nullptr;
    };
    // The header, the step buttons and the end label, once.
    void buildChain(ChainWidgets& widgets);

    QLabel* view_;
    QToolButton* begin_;
    QToolButton* select_;
    ChainWidgets roller_;
    ChainWidgets toothed_;
};

} // namespace zorvane::app
