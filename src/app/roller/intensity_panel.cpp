#include "app/roller/intensity_panel.h"

#include "app/shell/focus_route.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvane::app {

IntensityPanel::IntensityPanel(QWidget* parent) : QFrame(parent) {
    setUpStepPanel(*this, "pnlIntensity");
    auto* note = noteLabel("Label27",
                           "注：许用安全系数[n]一般为4～8,对于速度较低、从动系统惯性较小、"
                           "不太重要的传动或作用力的确定比较准确时,[n]可取较小值。",
                           this);
    setTextColour(*note, QColor(0x00, 0x00, 0x80));
    auto* label = caption("静强度许用安全系数[n]：", this);
    label->setObjectName(QStringLiteral("Label28"));
    factor_ = fieldEdit("edtn", this);
    auto* ok = panelButton("btnIntensityOK", "确定", this);
    auto* cancel = panelButton("btnIntstyCancel", "取消", this);

    auto* entry = new QHBoxLayout;
    entry->setSpacing(4);
    entry->addWidget(label);
    entry->addWidget(factor_);
    entry->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(note);
    layout->addLayout(entry);
    layout->addLayout(okCancelRow(ok, cancel));

    auto* route = new FocusRoute(this);
    route->add(factor_, ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, factor_, FocusRoute::Down);
    connect(ok, &QPushButton::clicked, this, &IntensityPanel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &IntensityPanel::cancelClicked);
    fixPanelSize(*this, 420);
}

void IntensityPanel::load(const design::PanelFields& fields, const design::MainState& /*state*/) {
    showField(factor_, fields.allowedSafetyFactor);
}

void IntensityPanel::store(design::PanelFields& fields) const {
    takeField(factor_, fields.allowedSafetyFactor);
}

} // namespace zorvane::app
