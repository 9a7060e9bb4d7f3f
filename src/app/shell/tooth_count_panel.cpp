#include "app/shell/tooth_count_panel.h"

#include "app/shell/field_leave.h"
#include "app/shell/focus_route.h"
#include "app/shell/look.h"
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

// The rows of the count grid, top to bottom.
enum class Row { Small, Calculated, Large, Idler };

constexpr const char* kSpeedNote =
    "z1应参照链速选取，可以先定z1，后来再验算链速。(z1≥Zmin，Zmin=9，通常z2≤120，Zmax=150)";
constexpr std::array<const char*, 3> kPreferredCounts{" 注：链轮齿数应优先选用以下数列：",
                                                      "    17,19,21,23,25,38,57,76,95,114",
                                                      "    若不在此列中,Z1最好取奇数。"};
constexpr const char* kToothedAdvice =
    "    Z1≥Zmin，Zmin=15。推荐：Z1≈38-3i，通常Z1≥21，并取奇数，Zi≈Z1，Zi≥Zmin。Zi甚至可小于Zmin。";

// The roller chain's guidance: the speed note, the table of z1 by chain speed (a build without
// the picture shows nothing in its place) beside the preferred counts.
void addRollerGuidance(QVBoxLayout& layout, QWidget* parent) {
    auto* note = noteLabel("Label13", kSpeedNote, parent);
    auto* table = new QLabel(parent);
    table->setObjectName(QStringLiteral("Image1"));
    const QPixmap picture(QStringLiteral(":/artwork/z1-speed-table.png"));
    if (!picture.isNull()) {
        table->setPixmap(picture);
    }
    auto* guide = new QHBoxLayout;
    guide->addWidget(table, 0, Qt::AlignTop);
    guide->addWidget(fixedMemo("mmoz1", kPreferredCounts, parent), 1);
    layout.addWidget(note);
    layout.addLayout(guide);
}

void addToothedGuidance(QVBoxLayout& layout, QWidget* parent) {
    auto* advice = noteLabel("Label29", kToothedAdvice, parent);
    setTextColour(*advice, QColor(0x80, 0x00, 0x00));
    layout.addWidget(advice);
}

// What the panel looks like for one chain.
struct Look {
    design::Chain chain;
    const char* panelName;
    const char* panelTip; // or null
    int minWidth;
    const char* checkName; // the button beside the small sprocket's count
    const char* okName;
    const char* cancelName;
    const char* calculatedName;
    bool framedCalculation; // a sunken frame, else red text
    std::array<Row, 4> rows;
    std::array<const char*, 4> captions; // in the order of Row
    const char* calculatedHint;          // beside the calculated count, or null
    const char* largeHint;               // beside the large count, or null
    const char* idlerHint;               // beside the idler count, or null
    void (*guidance)(QVBoxLayout&, QWidget*);
    bool showsSpeedClass;
};

// clang-format off
constexpr std::array<Look, 2> kLooks{{
    {design::Chain::Roller, "pnlz", "首先点击确定", 500, "btnZOk", "btnRZOK", "btnRZCancel",
     "lblCal_z2", true, {Row::Small, Row::Calculated, Row::Large, Row::Idler},
     {"小链轮齿数z1：", "大链轮齿数计算值：", "大链轮齿数z2：", "张紧轮齿数zi："},
     "[参照此值选取z2]", nullptr, "[Zi≈Z1，Zi>Zmin]", addRollerGuidance, true},
    {design::Chain::Toothed, "pnlDz", nullptr, 460, "btnDZOk", "btnDZ1OK", "btnDZCancel",
     "lblCal_Dz2", false, {Row::Small, Row::Idler, Row::Calculated, Row::Large},
     {"小齿轮齿数z1：", "大链轮齿数计算值：", "大齿轮齿数z2：", "张紧轮齿数zi："},
     nullptr, "[通常Z2≤100，Zmax=150]", nullptr, addToothedGuidance, false},
}};
// clang-format on

const Look& lookOf(design::Chain chain) {
    for (const Look& look : kLooks) {
        if (look.chain == chain) {
            return look;
        }
    }
    return kLooks.front();
}

} // namespace

ToothCountPanel::ToothCountPanel(design::Chain chain, QWidget* parent)
    : QFrame(parent), controls_(design::chainKind(chain).toothCounts) {
    const Look& look = lookOf(chain);
    setUpStepPanel(*this, look.panelName);
    if (look.panelTip) {
        setToolTip(QString::fromUtf8(look.panelTip));
    }

    // The edit boxes are made in the order of the grid, which is also the tab order.
    for (const Row row : look.rows) {
        if (row == Row::Small) {
            z1_ = fieldEdit(controls_.smallName, this);
        } else if (row == Row::Large) {
            z2_ = fieldEdit(controls_.largeName, this);
        } else if (row == Row::Idler) {
            zi_ = fieldEdit(controls_.idlerName, this);
        }
    }
    auto* zOk = new QPushButton(QStringLiteral("确定"), this);
    zOk->setObjectName(QString::fromLatin1(look.checkName));
    zOk->setFixedWidth(40);
    // Leaving the small count runs the same check; a button that took the focus from it would
    // run it twice for one click, asking its question twice.
    zOk->setFocusPolicy(Qt::NoFocus);
    calculatedZ2_ = valueLabel(look.calculatedName, this);
    if (look.framedCalculation) {
        calculatedZ2_->setMinimumWidth(80);
        calculatedZ2_->setFrameShape(QFrame::Panel);
        calculatedZ2_->setFrameShadow(QFrame::Sunken);
    } else {
        setTextColour(*calculatedZ2_, Qt::red);
    }
    if (look.calculatedHint) {
        calculatedZ2_->setToolTip(QString::fromUtf8(look.calculatedHint));
    }
    if (look.idlerHint) {
        zi_->setToolTip(QString::fromUtf8(look.idlerHint));
    }
    auto* ok = panelButton(look.okName, "确定", this);
    auto* cancel = panelButton(look.cancelName, "取消", this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    for (int line = 0; line < static_cast<int>(look.rows.size()); ++line) {
        const Row row = look.rows[static_cast<std::size_t>(line)];
        grid->addWidget(caption(look.captions[static_cast<std::size_t>(row)], this), line, 0,
                        Qt::AlignRight);
        switch (row) {
        case Row::Small:
            grid->addWidget(z1_, line, 1);
            grid->addWidget(zOk, line, 2, Qt::AlignLeft);
            break;
        case Row::Calculated:
            grid->addWidget(calculatedZ2_, line, 1);
            if (look.calculatedHint) {
                grid->addWidget(hintLabel(look.calculatedHint, this), line, 2);
            }
            break;
        case Row::Large:
            grid->addWidget(z2_, line, 1);
            if (look.largeHint) {
                auto* limit = new QLabel(QString::fromUtf8(look.largeHint), this);
                limit->setObjectName(QStringLiteral("Label33"));
                setTextColour(*limit, QColor(0x00, 0x00, 0x80));
                grid->addWidget(limit, line, 2);
            }
            break;
        case Row::Idler:
            grid->addWidget(zi_, line, 1);
            if (look.idlerHint) {
                grid->addWidget(hintLabel(look.idlerHint, this), line, 2);
            }
            break;
        }
    }
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(8);
    look.guidance(*layout, this);
    if (look.showsSpeedClass) {
        speedClass_ = valueLabel("lblz1", this);
        layout->addWidget(speedClass_);
    }
    layout->addLayout(grid);
    layout->addLayout(okCancelRow(ok, cancel));

    // Enter or Down goes through the counts in the order of the grid, then to 确定; a disabled
    // idler field is passed over.
    std::array<QLineEdit*, 3> order{};
    std::size_t next = 0;
    for (const Row row : look.rows) {
        if (row != Row::Calculated) {
            order[next++] = row == Row::Small ? z1_ : row == Row::Large ? z2_ : zi_;
        }
    }
    auto* route = new FocusRoute(this);
    route->add(order[0], order[1], FocusRoute::EnterOrDown);
    route->add(order[1], order[2], FocusRoute::EnterOrDown);
    route->add(order[2], ok, FocusRoute::EnterOrDown);
    route->add(ok, cancel, FocusRoute::Down);
    route->add(cancel, z1_, FocusRoute::Down);

    auto* leave = new FieldLeave(this);
    for (QLineEdit* edit : order) {
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
    connect(zOk, &QPushButton::clicked, this, &ToothCountPanel::zOkClicked);
    connect(ok, &QPushButton::clicked, this, &ToothCountPanel::okClicked);
    connect(cancel, &QPushButton::clicked, this, &ToothCountPanel::cancelClicked);
    fixPanelSize(*this, look.minWidth);
}

void ToothCountPanel::load(const design::PanelFields& fields, const design::MainState& state) {
    if (speedClass_) {
        speedClass_->setText(qs(state.rollerSpeedClass));
    }
    calculatedZ2_->setText(qs(state.*controls_.calculatedLarge));
    showField(z1_, fields.*controls_.small);
    showField(z2_, fields.*controls_.large);
    showField(zi_, fields.*controls_.idler);
    setOptionalInput(zi_, fields.*controls_.idlerEnabled);
}

void ToothCountPanel::store(design::PanelFields& fields) const {
    takeField(z1_, fields.*controls_.small);
    takeField(z2_, fields.*controls_.large);
    takeField(zi_, fields.*controls_.idler);
}

} // namespace zorvane::app
