#include "app/shell/design_list.h"

#include "app/shell/look.h"
#include "app/shell/qt_text.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

constexpr int kStepHeight = 40;
// The indent of a chain's step panel in the list.
constexpr int kPanelIndent = 30;

QToolButton* makeStepButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFixedHeight(kStepHeight);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// Black until done, blue (0, 0, 255) when done; the disabled look comes from the style.
void paint(QWidget* widget, const design::ButtonState& state) {
    widget->setVisible(state.visible);
    widget->setEnabled(state.enabled);
    const QColor colour = state.blue ? QColor(0, 0, 255) : QColor(Qt::black);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget->setPalette(palette);
    widget->setProperty("done", state.blue);
}

} // namespace

DesignList::DesignList(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("sbxDesign"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    view_ = new QLabel(content);
    view_->setObjectName(QStringLiteral("lblView"));
    view_->setFixedHeight(4);
    begin_ = makeStepButton(QStringLiteral("开始新设计"), QStringLiteral("spnBegin"), content);
    select_ = makeStepButton(QStringLiteral("选择链种类"), QStringLiteral("spnSelect"), content);
    layout->addWidget(view_);
    layout->addWidget(begin_);
    layout->addWidget(select_);

    roller_.chain = design::Chain::Roller;
    roller_.panelName = "pnlRollerChain";
    roller_.headName = "pnlGlideHead";
    roller_.header = "滚子链传动";
    roller_.endName = "lblREnd";
    toothed_.chain = design::Chain::Toothed;
    toothed_.panelName = "pnlDentiChain";
    toothed_.headName = "pnlRollHead";
    toothed_.header = "齿形链传动";
    toothed_.endName = "lblDEnd";
    for (ChainWidgets* chain : {&roller_, &toothed_}) {
        // The panel is there from the start, hidden; its buttons are made when it first shows.
        chain->panel = new QFrame(content);
        chain->panel->setObjectName(QString::fromLatin1(chain->panelName));
        chain->panel->setFrameShape(QFrame::StyledPanel);
        chain->panel->hide();
    }
    for (QFrame* panel : {roller_.panel, toothed_.panel}) {
        auto* indent = new QHBoxLayout;
        indent->setContentsMargins(kPanelIndent, 0, 0, 0);
        indent->addWidget(panel);
        layout->addLayout(indent);
        panel->setParent(content);
    }
    layout->addStretch();
    setWidget(content);

    connect(begin_, &QToolButton::clicked, this, &DesignList::beginClicked);
    connect(select_, &QToolButton::clicked, this, &DesignList::selectClicked);
    applyState(design::MainState{});
}

void DesignList::buildChain(ChainWidgets& widgets) {
    if (!widgets.steps.empty()) {
        return;
    }
    auto* layout = new QVBoxLayout(widgets.panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    auto* head = new QLabel(QString::fromUtf8(widgets.header), widgets.panel);
    head->setObjectName(QString::fromLatin1(widgets.headName));
    head->setAlignment(Qt::AlignCenter);
    head->setFixedHeight(28);
    head->setFrameShape(QFrame::StyledPanel);
    setBackground(*head, QColor(0xD4, 0xD0, 0xC8));
    setPixelSize(*head, head->font().pixelSize(), true);
    layout->addWidget(head);
    const design::Chain chain = widgets.chain;
    for (const auto& step : design::steps(chain)) {
        auto* button = makeStepButton(qs(step.caption), qs(step.name), widgets.panel);
        if (!step.hint.empty()) {
            button->setToolTip(qs(step.hint));
        }
        const int position = step.position;
        connect(button, &QToolButton::clicked, this,
                [this, chain, position] { emit stepClicked(chain, position); });
        layout->addWidget(button);
        widgets.steps.push_back(button);
    }
    widgets.endLabel = new QLabel(QStringLiteral("(结束)"), widgets.panel);
    widgets.endLabel->setObjectName(QString::fromLatin1(widgets.endName));
    widgets.endLabel->setAlignment(Qt::AlignCenter);
    widgets.endLabel->setFixedHeight(24);
    layout->addWidget(widgets.endLabel);
}

QToolButton* DesignList::stepButton(design::Chain chain, int position) {
    auto& widgets = chain == design::Chain::Roller ? roller_ : toothed_;
    buildChain(widgets);
    return widgets.steps.at(static_cast<std::size_t>(position));
}

void DesignList::applyState(const design::MainState& state) {
    paint(begin_, state.begin);
    paint(select_, state.select);
    for (auto [widgets, panel] :
         {std::pair{&roller_, &state.roller}, std::pair{&toothed_, &state.toothed}}) {
        if (panel->visible) {
            buildChain(*widgets);
        }
        widgets->panel->setVisible(panel->visible);
        for (std::size_t i = 0; i < widgets->steps.size(); ++i) {
            paint(widgets->steps[i], panel->steps[i]);
        }
        if (widgets->endLabel) {
            paint(widgets->endLabel, panel->endLabel);
        }
    }
}

void DesignList::scrollToTop() {
    ensureWidgetVisible(view_);
    verticalScrollBar()->setValue(0);
}

} // namespace zorvane::app
