#include "app/shell/select_panel.h"

#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

template <class Items> void fill(QComboBox* box, const Items& items) {
    for (const auto& item : items) {
        box->addItem(qs(item));
    }
    box->setCurrentIndex(0);
}

} // namespace

SelectPanel::SelectPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlSelect"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    auto* group = new QGroupBox(QStringLiteral("选择链传动种类"), this);
    group->setObjectName(QStringLiteral("grpSelect"));
    group->setFont(pixelFont("楷体_GB2312", 18));
    setTextColour(*group, Qt::red);

    roller_ = new QRadioButton(QStringLiteral("滚子链传动"), group);
    roller_->setObjectName(QStringLiteral("radRoll"));
    roller_->setChecked(true);
    toothed_ = new QRadioButton(QStringLiteral("齿形链传动 "), group);
    toothed_->setObjectName(QStringLiteral("radDenti"));
    rows_ = new QComboBox(group);
    rows_->setObjectName(QStringLiteral("cbxRoll"));
    fill(rows_, design::kRowItems);
    type_ = new QComboBox(group);
    type_->setObjectName(QStringLiteral("cbxRType"));
    fill(type_, design::kRollerTypeItems);
    for (QWidget* w : {static_cast<QWidget*>(roller_), static_cast<QWidget*>(toothed_),
                       static_cast<QWidget*>(rows_), static_cast<QWidget*>(type_)}) {
        w->setFont(pixelFont("宋体", 14));
        setTextColour(*w, Qt::black);
    }

    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(24, 24, 24, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(18);
    grid->addWidget(roller_, 0, 0);
    grid->addWidget(rows_, 0, 1);
    grid->addWidget(type_, 0, 2);
    grid->addWidget(toothed_, 1, 0);

    ok_ = panelButton("btnSelOK", "确定", this);
    cancel_ = panelButton("btnSelCancel", "取消", this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(group);
    layout->addSpacing(8);
    layout->addLayout(okCancelRow(ok_, cancel_));

    connect(roller_, &QRadioButton::toggled, this, &SelectPanel::chainChanged);
    connect(ok_, &QPushButton::clicked, this, &SelectPanel::confirmed);
    connect(cancel_, &QPushButton::clicked, this, &SelectPanel::cancelled);
    setFixedSize(sizeHint().expandedTo(QSize(400, 200)));
}

void SelectPanel::chainChanged() {
    const bool roller = roller_->isChecked();
    setOptionalInput(rows_, roller);
    setOptionalInput(type_, roller);
}

design::SelectInputs SelectPanel::inputs() const {
    return {roller_->isChecked(), rows_->currentIndex(), type_->currentIndex()};
}

} // namespace zorvane::app
