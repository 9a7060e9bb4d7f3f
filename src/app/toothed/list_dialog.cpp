#include "app/toothed/list_dialog.h"

#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zorvane::app {

ListDialog::ListDialog(const QString& name, const QString& caption, const QString& listLabel,
                       const QString& editLabel, const QStringList& items, QWidget* parent)
    : QDialog(parent, kOkOnlyDialogFlags) {
    setObjectName(name);
    setWindowTitle(caption);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->addItems(items);
    list_->setFixedSize(120, 150);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(name == QStringLiteral("TfrmDNode") ? QStringLiteral("edtNodes")
                                                             : QStringLiteral("Edit1"));
    edit_->setReadOnly(true);
    edit_->setFixedWidth(100);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("Button1"));
    ok_->setDefault(true);
    if (!items.isEmpty()) {
        list_->setCurrentRow(0);
        edit_->setText(items.front());
    }
    // The edit follows the selection, by mouse or keys, so that Enter confirms what is selected.
    connect(list_, &QListWidget::currentTextChanged, edit_, &QLineEdit::setText);
    connect(list_, &QListWidget::itemDoubleClicked, ok_, &QPushButton::click);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 12, 20, 20);
    int row = 0;
    if (!listLabel.isEmpty()) {
        auto* label = new QLabel(listLabel, this);
        label->setObjectName(QStringLiteral("Label1"));
        layout->addWidget(label, row++, 0);
    }
    layout->addWidget(list_, row, 0, 3, 1);
    auto* editCaption = new QLabel(editLabel, this);
    editCaption->setObjectName(listLabel.isEmpty() ? QStringLiteral("Label1")
                                                   : QStringLiteral("Label2"));
    layout->addWidget(editCaption, row, 1);
    auto* editRow = new QHBoxLayout;
    editRow->addWidget(edit_);
    auto* unit = new QLabel(QStringLiteral("mm"), this);
    unit->setObjectName(QStringLiteral("lblUnit"));
    editRow->addWidget(unit);
    layout->addLayout(editRow, row + 1, 1);
    layout->addWidget(ok_, row + 2, 1, Qt::AlignBottom);
    if (name == QStringLiteral("TfrmDNode")) {
        setToolTip(QStringLiteral("单击或用方向键选择节距，回车确定"));
    }
    setFixedSize(sizeHint());
}

void ListDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void ListDialog::closeEvent(QCloseEvent* event) {
    // Only 确定 closes the dialog: the close box presses it, with the value shown.
    if (result() != QDialog::Accepted) {
        event->ignore();
        ok_->click();
    }
}

std::optional<std::string> chooseListValue(const std::string& name, const std::string& caption,
                                           const std::string& listLabel,
                                           const std::string& editLabel,
                                           const std::vector<std::string>& items, QWidget* parent) {
    QStringList texts;
    for (const auto& item : items) {
        texts << qs(item);
    }
    ListDialog dialog(qs(name), qs(caption), qs(listLabel), qs(editLabel), texts, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return utf8(dialog.edit()->text());
}

} // namespace zorvane::app
