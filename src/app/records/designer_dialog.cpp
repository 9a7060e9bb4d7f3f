#include "app/records/designer_dialog.h"

#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

struct BoxDef {
    const char* label;
    const char* labelName;
    const char* name;
    std::size_t recordIndex;
    bool readOnly;
};

// The boxes top to bottom. The record keeps the date before the time; the page shows the time
// first.
constexpr std::array<BoxDef, 6> kBoxes{{
    {" 设计者：", "lblDesigner", "name_Edit", 0, false},
    {" 单  位：", "lblCompany", "company_Edit", 1, false},
    {" 设计种类：", "lblKind", "KindEdit", 2, true},
    {" 形    式：", "lblSort", "SortEdit", 3, true},
    {" 时    间：", "lblTime", "TimeEdit", 5, true},
    {" 日    期：", "lblDate", "DateEdit", 4, true},
}};

constexpr int kBoxWidthPx = 260;

} // namespace

QColor DesignerDialog::readOnlyBackground() {
    return QColor(200, 200, 200);
}

DesignerDialog::DesignerDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TfrmDesigner"));
    setWindowTitle(QStringLiteral(" 设计信息"));
    QFont songti(QStringLiteral("宋体"));
    songti.setPixelSize(15);
    setFont(songti);

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    auto* page = new QWidget(pages);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* form = new QFormLayout(page);
    form->setContentsMargins(16, 16, 24, 16);
    form->setVerticalSpacing(12);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (const auto& def : kBoxes) {
        auto* label = new QLabel(QString::fromUtf8(def.label), page);
        label->setObjectName(QString::fromLatin1(def.labelName));
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(def.name));
        edit->setFixedWidth(kBoxWidthPx);
        edit->setReadOnly(def.readOnly);
        if (def.readOnly) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, readOnlyBackground());
            edit->setPalette(palette);
        }
        label->setBuddy(edit);
        edits_[def.recordIndex] = edit;
        form->addRow(label, edit);
    }
    pages->addTab(page, QStringLiteral(" 摘要信息"));

    ok_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                          QStringLiteral("确  认"), this);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("取  消"), this);
    cancel_->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* button : {ok_, cancel_}) {
        button->setMinimumWidth(96);
    }
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addSpacing(32);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 12);
    layout->setSpacing(12);
    layout->addWidget(pages);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    centreOnScreen(*this);
}

void DesignerDialog::load(const design::DesignerBoxes& boxes) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        edits_[i]->setText(qs(boxes[i]));
        edits_[i]->setCursorPosition(0);
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
    centreOnScreen(*this);
    ok_->setFocus();
}

} // namespace zorvane::app
