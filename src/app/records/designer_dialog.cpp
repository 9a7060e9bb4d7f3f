#include "app/records/designer_dialog.h"

#include "app/shell/qt_text.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

struct BoxDef {
    const char* label;
    const char* name;
    std::size_t box; // index in the record order
    bool readOnly;
};

// The boxes top to bottom; the time is shown above the date.
constexpr std::array<BoxDef, 6> kBoxes{{
    {" 设计者：", "name_Edit", 0, false},
    {" 单  位：", "company_Edit", 1, false},
    {" 设计种类：", "KindEdit", 2, true},
    {" 形    式：", "SortEdit", 3, true},
    {" 时    间：", "TimeEdit", 5, true},
    {" 日    期：", "DateEdit", 4, true},
}};

} // namespace

DesignerDialog::DesignerDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TfrmDesigner"));
    setWindowTitle(QStringLiteral(" 设计信息"));
    QFont songti(QStringLiteral("宋体"));
    songti.setPixelSize(15);
    setFont(songti);

    auto* pages = new QTabWidget(this);
    auto* page = new QWidget(pages);
    auto* form = new QFormLayout(page);
    form->setVerticalSpacing(10);
    for (const auto& def : kBoxes) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(def.name));
        edit->setReadOnly(def.readOnly);
        edit->setMinimumWidth(260);
        if (def.readOnly) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, QColor(0xC8, 0xC8, 0xC8)); // the scroll-bar colour
            edit->setPalette(palette);
            edit->setFocusPolicy(Qt::NoFocus);
        }
        edits_[def.box] = edit;
        form->addRow(QString::fromUtf8(def.label), edit);
    }
    pages->addTab(page, QStringLiteral(" 摘要信息"));

    ok_ = new QPushButton(QStringLiteral("确  认"), this);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("取  消"), this);
    cancel_->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void DesignerDialog::load(const design::DesignerBoxes& boxes) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        edits_[i]->setText(qs(boxes[i]));
    }
}

design::DesignerBoxes DesignerDialog::boxes() const {
    design::DesignerBoxes boxes;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = utf8(edits_[i]->text());
    }
    return boxes;
}

void DesignerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    ok_->setFocus();
}

} // namespace zorvane::app
