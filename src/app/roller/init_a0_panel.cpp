#include "app/roller/init_a0_panel.h"

#include "app/shell/focus_route.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <array>

namespace zorvane::app {

namespace {

constexpr std::array<const char*, 8> kGuidance{"  初定中心距a0应首先考虑结构要求",
                                               "  有张紧轮或托板时，a0max可大于80p；对中心距不能",
                                               "调整的传动，a0max≈30p",
                                               "  一般情况下：",
                                               "  最佳a0=(30～50)p，脉动载荷、无张紧轮时，a0<25p",
                                               "  a0max=80p",
                                               "  当传动比i<4时，a0min=0.2z1(i+1)p，当传动比i≥4",
                                               "时，a0min=0.33z1(i-1)p  (p为节距)"};

} // namespace

InitA0Panel::InitA0Panel(QWidget* parent) : QFrame(parent) {
    setUpStepPanel(*this, "pnlInit_a0");
    auto* guidance = fixedMemo("mmoInit_a0", kGuidance, this);
    setTextColour(*guidance, QColor(0x00, 0x00, 0x80));
    given_ = valueLabel("lblInita", this);
    given_->setWordWrap(true);
    range_ = valueLabel("lblInit_a0", this);
    range_->setWordWrap(true);
    a0p_ = fieldEdit("edtInit_a0", this);
    a0p_->setToolTip(QStringLiteral("[a0p--以节数表示的中心距]"));
    auto* ok = panelButton("Button3", " 确定", this);
    auto* cancel = panelButton("Button4", "取消", this);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(4);
    entry->addWidget(caption("初定中心距a0p：", this));
    entry->addWidget(a0p_);
    entry->addWidget(caption("(P)", this));
    entry->addSpacing(8);
    entry->addWidget(hintLabel("[a0p--以节数表示的中心距]", this));
    entry->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(guidance);
    layout->addWidget(given_);
    layout->addWidget(range_);
    layout->addLayout(entry);
    layout->addLayout(okCancelRow(ok, cancel));

    auto* route = new FocusRoute(this);
    route->add(a0p_, ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, a0p_, FocusRoute::Down);
    connect(ok, &QPushButton::clicked, this, &InitA0Panel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &InitA0Panel::cancelClicked);
    // The range texts come later and may be long: two wrapped lines each, inside the fixed width.
    given_->setMinimumHeight(2 * fontMetrics().lineSpacing());
    range_->setMinimumHeight(2 * fontMetrics().lineSpacing());
    fixPanelSize(*this, 480);
}

void InitA0Panel::load(const design::PanelFields& fields, const design::MainState& /*state*/) {
    given_->setText(qs(fields.initialCentreGiven));
    range_->setText(qs(fields.initialCentreRange));
    showField(a0p_, fields.initialCentrePitches);
}

void InitA0Panel::store(design::PanelFields& fields) const {
    takeField(a0p_, fields.initialCentrePitches);
}

} // namespace zorvane::app
