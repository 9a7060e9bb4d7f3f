#include "app/roller/a_panel.h"

#include "app/shell/focus_route.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvane::app {

APanel::APanel(QWidget* parent) : QFrame(parent) {
    setUpStepPanel(*this, "pnla");
    advice_ = valueLabel("lbla", this);
    advice_->setWordWrap(true);
    setTextColour(*advice_, QColor(0x00, 0x00, 0x80));
    reduction_ = fieldEdit("edta", this);
    reduction_->setToolTip(QStringLiteral("(0.002～0.004)"));
    auto* note = noteLabel("lblaNote", "a--理论中心距            Δa--理论中心距的变化量", this);
    note->setWordWrap(false);
    auto* ok = panelButton("btnAOk", "确定", this);
    auto* cancel = panelButton("btnACancel", "取消", this);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(4);
    entry->addWidget(caption("Δa/a：", this));
    entry->addWidget(reduction_);
    entry->addSpacing(8);
    entry->addWidget(hintLabel("(0.002～0.004)", this));
    entry->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(advice_);
    layout->addLayout(entry);
    layout->addWidget(note);
    layout->addLayout(okCancelRow(ok, cancel));

    auto* route = new FocusRoute(this);
    route->add(reduction_, ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, reduction_, FocusRoute::Down);
    connect(ok, &QPushButton::clicked, this, &APanel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &APanel::cancelClicked);
    advice_->setMinimumHeight(2 * fontMetrics().lineSpacing());
    fixPanelSize(*this, 400);
}

void APanel::load(const design::PanelFields& fields, const design::MainState& /*state*/) {
    advice_->setText(qs(fields.centreChangeAdvice));
    showField(reduction_, fields.centreChange);
}

void APanel::store(design::PanelFields& fields) const {
    takeField(reduction_, fields.centreChange);
}

} // namespace zorvane::app
