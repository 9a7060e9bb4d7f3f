#include "app/toothed/dz_panel.h"

#include "app/shell/field_leave.h"
#include "app/shell/focus_route.h"
#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

constexpr const char* kAdvice = "    Z1≥Zmin，Zmin=15。推荐：Z1≈38-3i，通常Z1≥21，并取奇数，Zi≈Z1，"
                                "Zi≥Zmin。Zi甚至可小于Zmin。";

} // namespace

DzPanel::DzPanel(QWidget* parent) : QFrame(parent) {
    setUpStepPanel(*this, "pnlDz");

    auto* advice = noteLabel("Label29", kAdvice, this);
    setTextColour(*advice, QColor(0x80, 0x00, 0x00));
    z1_ = fieldEdit("edtDz1", this);
    auto* zOk = new QPushButton(QStringLiteral("确定"), this);
    zOk->setObjectName(QStringLiteral("btnDZOk"));
    zOk->setFixedWidth(40);
    // Leaving edtDz1 runs the same check; the button must not take the focus from it.
    zOk->setFocusPolicy(Qt::NoFocus);
    zi_ = fieldEdit("edtDzi", this);
    calculatedZ2_ = valueLabel("lblCal_Dz2", this);
    setTextColour(*calculatedZ2_, Qt::red);
    z2_ = fieldEdit("edtDz2", this);
    auto* limit = new QLabel(QStringLiteral("[通常Z2≤100，Zmax=150]"), this);
    limit->setObjectName(QStringLiteral("Label33"));
    setTextColour(*limit, QColor(0x00, 0x00, 0x80));
    auto* ok = panelButton("btnDZ1OK", "确定", this);
    auto* cancel = panelButton("btnDZCancel", "取消", this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(caption("小齿轮齿数z1：", this), 0, 0, Qt::AlignRight);
    grid->addWidget(z1_, 0, 1);
    grid->addWidget(zOk, 0, 2, Qt::AlignLeft);
    grid->addWidget(caption("张紧轮齿数zi：", this), 1, 0, Qt::AlignRight);
    grid->addWidget(zi_, 1, 1);
    grid->addWidget(caption("大链轮齿数计算值：", this), 2, 0, Qt::AlignRight);
    grid->addWidget(calculatedZ2_, 2, 1);
    grid->addWidget(caption("大齿轮齿数z2：", this), 3, 0, Qt::AlignRight);
    grid->addWidget(z2_, 3, 1);
    grid->addWidget(limit, 3, 2);
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(advice);
    layout->addLayout(grid);
    layout->addLayout(okCancelRow(ok, cancel));

    auto* route = new FocusRoute(this);
    // A disabled edtDzi is passed over on the way to edtDz2.
    route->add(z1_, zi_, FocusRoute::EnterOrDown);
    route->add(zi_, z2_, FocusRoute::EnterOrDown);
    route->add(z2_, ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, z1_, FocusRoute::Down);

    auto* leave = new FieldLeave(this);
    for (QLineEdit* edit : {z1_, zi_, z2_}) {
        leave->watch(edit);
    }
    connect(leave, &FieldLeave::left, this, [this](QWidget* field) {
        if (field == z1_) {
            emit z1Left();
        } else if (field == zi_) {
            emit ziLeft();
        } else {
            emit z2Left();
        }
    });
    connect(zOk, &QPushButton::clicked, this, &DzPanel::zOkClicked);
    connect(ok, &QPushButton::clicked, this, &DzPanel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &DzPanel::cancelClicked);
    fixPanelSize(*this, 460);
}

void DzPanel::load(const design::PanelFields& fields, const design::MainState& state) {
    calculatedZ2_->setText(qs(state.lblCal_Dz2));
    showField(z1_, fields.edtDz1);
    showField(zi_, fields.edtDzi);
    showField(z2_, fields.edtDz2);
    setOptionalInput(zi_, fields.edtDziEnabled);
}

void DzPanel::store(design::PanelFields& fields) const {
    takeField(z1_, fields.edtDz1);
    takeField(zi_, fields.edtDzi);
    takeField(z2_, fields.edtDz2);
}

} // namespace zorvane::app
