#include "app/shell/init_panel.h"

#include "app/shell/look.h"
#include "app/shell/panel_parts.h"
#include "app/shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

using design::InitField;

namespace {

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

template <class Items> void fill(QComboBox* box, const Items& items, int current) {
    for (const auto& item : items) {
        box->addItem(qs(item));
    }
    box->setCurrentIndex(current);
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    layout->setSpacing(4);
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    layout->addStretch();
    return layout;
}

} // namespace

InitPanel::InitPanel(design::Interaction& ui, QWidget* parent) : QFrame(parent), ui_(ui) {
    setObjectName(QStringLiteral("pnlInit"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    const design::InitInputs defaults;
    power_ = addEdit(InitField::Power, "edtPower");
    n1_ = addEdit(InitField::N1, "edtn1");
    motor_ = addList(InitField::Motor, "cbxMotor", false);
    fill(motor_, design::kMotorItems, defaults.motor);
    layout_ = addList(InitField::Layout, "cbxMotorKind", false);
    fill(layout_, design::kLayoutItems, defaults.layout);
    speed_ = addList(InitField::Speed, "cbxV", false);
    fill(speed_, design::kSpeedItems, defaults.speed);
    lub_ = addList(InitField::Lub, "cbxLub", false);
    fill(lub_, design::kLubItems, defaults.lub);
    load_ = addList(InitField::Load, "cbxLoadKind", false);
    fill(load_, design::kLoadItems, defaults.load);
    pulsating_ = new QCheckBox(QStringLiteral("脉动"), this);
    pulsating_->setObjectName(QStringLiteral("chkLoadKind"));
    adjustable_ = new QCheckBox(QStringLiteral("中心距可调整"), this);
    adjustable_->setObjectName(QStringLiteral("chkAdjust"));
    adjustable_->setChecked(defaults.adjustable);
    hasInitA0_ = new QCheckBox(QStringLiteral("中心距初值："), this);
    hasInitA0_->setObjectName(QStringLiteral("chkInita"));
    initA0_ = addEdit(InitField::InitA0, "edtInita");
    float_ = addList(InitField::Float, "cbxFloat", true);
    fill(float_, design::kFloatItems, 2);
    floatPercent_ = addEdit(InitField::FloatPercent, "edtFloat");
    floatPercent_->setText(qs(defaults.floatPercent));
    floatPercent_->setMaximumWidth(40);
    floatUp_ = new QToolButton(this);
    floatUp_->setObjectName(QStringLiteral("UpDown1Up"));
    floatUp_->setArrowType(Qt::UpArrow);
    floatDown_ = new QToolButton(this);
    floatDown_->setObjectName(QStringLiteral("UpDown1Down"));
    floatDown_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {floatUp_, floatDown_}) {
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    hasLife_ = new QCheckBox(QStringLiteral("使用寿命："), this);
    hasLife_->setObjectName(QStringLiteral("chkT"));
    life_ = addEdit(InitField::Life, "edtT");
    hasTensioner_ = new QCheckBox(QStringLiteral("张紧装置："), this);
    hasTensioner_->setObjectName(QStringLiteral("chkTight"));
    hasTensioner_->setChecked(defaults.hasTensioner);
    tensioner_ = addList(InitField::Tensioner, "cbxTight", true);
    fill(tensioner_, design::kTensionerItems, 0);
    ratio_ = addEdit(InitField::Ratio, "edti");
    ratioDir_ = addList(InitField::RatioDir, "cbxie", false);
    fill(ratioDir_, design::kRatioDirItems, defaults.ratioDir);
    ratioTol_ = addEdit(InitField::RatioTol, "edtie");
    ratioTol_->setText(qs(defaults.ratioTol));
    ok_ = panelButton("btnInitOK", "确定", this);
    cancel_ = panelButton("btnInitCancel", "取消", this);
    fields_[InitField::Ok] = ok_;
    fields_[InitField::Cancel] = cancel_;
    fieldOf_[ok_] = InitField::Ok;
    fieldOf_[cancel_] = InitField::Cancel;
    ok_->installEventFilter(this);
    cancel_->installEventFilter(this);
    for (QLineEdit* edit : {initA0_, life_, ratio_, ratioTol_}) {
        edit->setMaximumWidth(80);
    }

    auto* note = new QLabel(qs(design::kRatioNote), this);
    note->setObjectName(QStringLiteral("lblRatioNote"));
    setTextColour(*note, Qt::red);
    auto* guide = new QPlainTextEdit(this);
    guide->setObjectName(QStringLiteral("mmoLoadKind"));
    guide->setReadOnly(true);
    guide->setFocusPolicy(Qt::NoFocus);
    setTextColour(*guide, QColor(0x00, 0x00, 0x80));
    QStringList lines;
    for (auto line : design::kLoadGuideLines) {
        lines << qs(line);
    }
    guide->setPlainText(lines.join(QLatin1Char('\n')));
    guide->setLineWrapMode(QPlainTextEdit::NoWrap);
    guide->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    guide->setFixedHeight(QFontMetrics(guide->font()).lineSpacing() *
                              static_cast<int>(design::kLoadGuideLines.size()) +
                          12);

    auto* updown = new QVBoxLayout;
    updown->setSpacing(0);
    updown->addWidget(floatUp_);
    updown->addWidget(floatDown_);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(label("传递功率：", this), 0, 0, Qt::AlignRight);
    grid->addLayout(row({power_, label("(  KW )", this)}), 0, 1);
    grid->addWidget(label("小链轮转速：", this), 0, 2, Qt::AlignRight);
    grid->addLayout(row({n1_, label("(r/min)", this)}), 0, 3);
    grid->addWidget(label("原动机种类：", this), 1, 0, Qt::AlignRight);
    grid->addWidget(motor_, 1, 1);
    grid->addWidget(label("传动种类：", this), 1, 2, Qt::AlignRight);
    grid->addWidget(layout_, 1, 3);
    grid->addWidget(label("传动速度：", this), 2, 0, Qt::AlignRight);
    grid->addWidget(speed_, 2, 1);
    grid->addWidget(label("润滑条件：", this), 2, 2, Qt::AlignRight);
    grid->addWidget(lub_, 2, 3);
    grid->addWidget(label("载荷性质：", this), 3, 0, Qt::AlignRight);
    grid->addLayout(row({load_, pulsating_}), 3, 1);
    grid->addWidget(label("(载荷性质参照以下说明选取)", this), 3, 2, 1, 2);
    auto* a0Row = row({hasInitA0_, initA0_, label("(mm),可", this), float_, floatPercent_});
    a0Row->insertLayout(a0Row->count() - 1, updown);
    a0Row->insertWidget(a0Row->count() - 1, label("%", this));
    grid->addWidget(adjustable_, 4, 0);
    grid->addLayout(a0Row, 4, 1, 1, 3);
    grid->addLayout(row({hasLife_, life_, label("(h)", this)}), 5, 0, 1, 2);
    grid->addLayout(row({hasTensioner_, tensioner_}), 5, 2, 1, 2);
    grid->addWidget(label("传动比：", this), 6, 0, Qt::AlignRight);
    grid->addLayout(row({ratio_, ratioDir_, ratioTol_, label("%", this)}), 6, 1, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(guide);
    layout->addLayout(okCancelRow(ok_, cancel_));

    connect(load_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == 0) {
            pulsating_->setChecked(false);
        }
        applySwitches();
    });
    connect(hasTensioner_, &QCheckBox::toggled, this, &InitPanel::applySwitches);
    connect(hasLife_, &QCheckBox::toggled, this, &InitPanel::applySwitches);
    connect(hasInitA0_, &QCheckBox::toggled, this, [this](bool on) {
        applySwitches();
        if (on) {
            initA0_->setFocus();
        }
    });
    connect(floatUp_, &QToolButton::clicked, this, [this] { stepFloat(1); });
    connect(floatDown_, &QToolButton::clicked, this, [this] { stepFloat(-1); });
    connect(ok_, &QPushButton::clicked, this, &InitPanel::confirmed);
    connect(cancel_, &QPushButton::clicked, this, &InitPanel::cancelled);
    applySwitches();
    setFixedSize(sizeHint().expandedTo(QSize(640, 0)));
}

QLineEdit* InitPanel::addEdit(InitField field, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(110);
    edit->installEventFilter(this);
    fields_[field] = edit;
    fieldOf_[edit] = field;
    return edit;
}

QComboBox* InitPanel::addList(InitField field, const char* name, bool editable) {
    auto* box = new QComboBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    box->installEventFilter(this);
    if (editable) {
        box->lineEdit()->installEventFilter(this);
        fieldOf_[box->lineEdit()] = field;
    }
    fields_[field] = box;
    fieldOf_[box] = field;
    return box;
}

design::InitEnables InitPanel::enables() const {
    return design::initEnables(inputs(), chain_);
}

void InitPanel::applySwitches() {
    const auto on = enables();
    pulsating_->setEnabled(on.pulsating);
    setOptionalInput(initA0_, on.initA0);
    setOptionalInput(float_, on.initA0);
    setOptionalInput(floatPercent_, on.initA0);
    floatUp_->setEnabled(on.initA0);
    floatDown_->setEnabled(on.initA0);
    hasLife_->setEnabled(on.lifeSwitch);
    setOptionalInput(life_, on.life);
    setOptionalInput(tensioner_, on.tensioner);
    setOptionalInput(speed_, on.speed);
}

void InitPanel::setChain(design::Chain chain) {
    chain_ = chain;
    if (chain == design::Chain::Toothed) {
        hasLife_->setChecked(false);
    }
    applySwitches();
}

void InitPanel::stepFloat(int delta) {
    // The up-down button counts whole percent from 0 to 100; it changes the text only.
    bool ok = false;
    const int value = floatPercent_->text().toInt(&ok);
    floatPercent_->setText(QString::number(std::clamp((ok ? value : 5) + delta, 0, 100)));
}

design::InitInputs InitPanel::inputs() const {
    design::InitInputs in;
    in.power = utf8(power_->text());
    in.n1 = utf8(n1_->text());
    in.motor = motor_->currentIndex();
    in.layout = layout_->currentIndex();
    in.speed = speed_->currentIndex();
    in.lub = lub_->currentIndex();
    in.load = load_->currentIndex();
    in.pulsating = pulsating_->isChecked();
    in.adjustable = adjustable_->isChecked();
    in.hasInitA0 = hasInitA0_->isChecked();
    in.initA0 = utf8(initA0_->text());
    in.floatText = utf8(float_->currentText());
    in.floatPercent = utf8(floatPercent_->text());
    in.hasLife = hasLife_->isChecked();
    in.life = utf8(life_->text());
    in.hasTensioner = hasTensioner_->isChecked();
    const QString tensionerText = tensioner_->currentText();
    in.tensioner = tensioner_->findText(tensionerText, Qt::MatchExactly);
    in.tensionerText = utf8(tensionerText);
    in.ratio = utf8(ratio_->text());
    in.ratioDir = ratioDir_->currentIndex();
    in.ratioTol = utf8(ratioTol_->text());
    return in;
}

QWidget* InitPanel::widgetOf(InitField field) const {
    const auto found = fields_.find(field);
    return found == fields_.end() ? nullptr : found->second;
}

void InitPanel::focusField(InitField field) {
    if (QWidget* widget = widgetOf(field)) {
        widget->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            edit->selectAll();
        }
    }
}

void InitPanel::leftField(InitField field, QLineEdit* edit) {
    const auto check = design::checkOnLeave(field, utf8(edit->text()), ui_);
    if (!check.accepted) {
        // The focus goes back into the field; the field the user was going to must not run
        // its own check on the way back.
        restoringFocus_ = true;
        QTimer::singleShot(0, this, [this, field] {
            focusField(field);
            restoringFocus_ = false;
        });
        return;
    }
    if (field == InitField::FloatPercent && check.value) {
        emit a0TolerancePercentEntered(*check.value);
    }
}

bool InitPanel::eventFilter(QObject* watched, QEvent* event) {
    const auto found = fieldOf_.find(watched);
    if (found == fieldOf_.end()) {
        return QFrame::eventFilter(watched, event);
    }
    const InitField field = found->second;
    if (event->type() == QEvent::FocusOut && !restoringFocus_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const bool leftByUser =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (edit && leftByUser && isVisible() && !edit->parentWidget()->inherits("QComboBox")) {
            leftField(field, edit);
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        const bool down = key == Qt::Key_Down;
        const bool isEdit = qobject_cast<QLineEdit*>(watched) != nullptr;
        if (field == InitField::Ok || field == InitField::Cancel) {
            if (down) {
                focusField(design::nextInRoute(field, enables()));
                return true;
            }
        } else if (enter || (down && isEdit)) {
            focusField(design::nextInRoute(field, enables()));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace zorvane::app
