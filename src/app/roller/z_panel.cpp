#include "app/roller/z_panel.h"

#include "app/shell/field_leave.h"
#include "app/shell/focus_route.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <array>

namespace zorvane::app {

namespace {

constexpr const char* kSpeedNote =
    "z1应参照链速选取，可以先定z1，后来再验算链速。(z1≥Zmin，Zmin=9，通常z2≤120，Zmax=150)";
constexpr std::array<const char*, 3> kPreferredCounts{" 注：链轮齿数应优先选用以下数列：",
                                                      "    17,19,21,23,25,38,57,76,95,114",
                                                      "    若不在此列中,Z1最好取奇数。"};

} // namespace

ZPanel::ZPanel(QWidget* parent) : QFrame(parent) {
    setUpStepPanel(*this, "pnlz");
    setToolTip(QStringLiteral("首先点击确定"));

    auto* note = noteLabel("Label13", kSpeedNote, this);
    // The table of z1 by chain speed; a build without the picture shows nothing in its place.
    auto* table = new QLabel(this);
    table->setObjectName(QStringLiteral("Image1"));
    const QPixmap picture(QStringLiteral(":/artwork/z1-speed-table.png"));
    if (!picture.isNull()) {
        table->setPixmap(picture);
    }
    auto* preferred = fixedMemo("mmoz1", kPreferredCounts, this);

    speedClass_ = valueLabel("lblz1", this);
    z1_ = fieldEdit("edtz1", this);
    auto* zOk = new QPushButton(QStringLiteral("确定"), this);
    zOk->setObjectName(QStringLiteral("btnZOk"));
    zOk->setFixedWidth(40);
    // Leaving edtz1 runs the same check; a button that took the focus from edtz1 would run it
    // twice for one click, asking its question twice.
    zOk->setFocusPolicy(Qt::NoFocus);
    calculatedZ2_ = valueLabel("lblCal_z2", this);
    calculatedZ2_->setMinimumWidth(80);
    calculatedZ2_->setFrameShape(QFrame::Panel);
    calculatedZ2_->setFrameShadow(QFrame::Sunken);
    calculatedZ2_->setToolTip(QStringLiteral("[参照此值选取z2]"));
    z2_ = fieldEdit("edtz2", this);
    zi_ = fieldEdit("edtzi", this);
    zi_->setToolTip(QStringLiteral("[Zi≈Z1，Zi>Zmin]"));
    auto* ok = panelButton("btnRZOK", "确定", this);
    auto* cancel = panelButton("btnRZCancel", "取消", this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(caption("小链轮齿数z1：", this), 0, 0, Qt::AlignRight);
    grid->addWidget(z1_, 0, 1);
    grid->addWidget(zOk, 0, 2, Qt::AlignLeft);
    grid->addWidget(caption("大链轮齿数计算值：", this), 1, 0, Qt::AlignRight);
    grid->addWidget(calculatedZ2_, 1, 1);
    grid->addWidget(hintLabel("[参照此值选取z2]", this), 1, 2);
    grid->addWidget(caption("大链轮齿数z2：", this), 2, 0, Qt::AlignRight);
    grid->addWidget(z2_, 2, 1);
    grid->addWidget(caption("张紧轮齿数zi：", this), 3, 0, Qt::AlignRight);
    grid->addWidget(zi_, 3, 1);
    grid->addWidget(hintLabel("[Zi≈Z1，Zi>Zmin]", this), 3, 2);
    grid->setColumnStretch(3, 1);

    auto* guide = new QHBoxLayout;
    guide->addWidget(table, 0, Qt::AlignTop);
    guide->addWidget(preferred, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(note);
    layout->addLayout(guide);
    layout->addWidget(speedClass_);
    layout->addLayout(grid);
    layout->addLayout(okCancelRow(ok, cancel));

    auto* route = new FocusRoute(this);
    route->add(z1_, z2_, FocusRoute::EnterOrDown);
    route->add(z2_, zi_, FocusRoute::EnterOrDown);
    // With no idler sprocket edtzi is disabled, and the route goes on from it to 确定.
    route->add(zi_, ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, z1_, FocusRoute::Down);

    auto* leave = new FieldLeave(this);
    for (QLineEdit* edit : {z1_, z2_, zi_}) {
        leave->watch(edit);
    }
    connect(leave, &FieldLeave::left, this, [this](QWidget* field) {
        if (field == z1_) {
            emit z1Left();
        } else if (field == z2_) {
            emit z2Left();
        } else {
            emit ziLeft();
        }
    });
    connect(zOk, &QPushButton::clicked, this, &ZPanel::zOkClicked);
    connect(ok, &QPushButton::clicked, this, &ZPanel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &ZPanel::cancelClicked);
    fixPanelSize(*this, 500);
}

void ZPanel::load(const design::PanelFields& fields, const design::MainState& state) {
    speedClass_->setText(qs(state.lblz1));
    calculatedZ2_->setText(qs(state.lblCal_z2));
    showField(z1_, fields.edtz1);
    showField(z2_, fields.edtz2);
    showField(zi_, fields.edtzi);
    setOptionalInput(zi_, fields.edtziEnabled);
}

void ZPanel::store(design::PanelFields& fields) const {
    takeField(z1_, fields.edtz1);
    takeField(z2_, fields.edtz2);
    takeField(zi_, fields.edtzi);
}

} // namespace zorvane::app
