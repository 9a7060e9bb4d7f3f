#include "app/shell/choice_dialog.h"

#include "app/shell/focus_route.h"
#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvane::app {

ChoiceDialog::ChoiceDialog(const QString& name, const QString& caption, const QString& label,
                           const QStringList& items, int preselected, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      preselected_(preselected) {
    setObjectName(name);
    setWindowTitle(caption);
    auto* text = new QLabel(label, this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("cbxJQD"));
    list_->addItems(items);
    list_->setCurrentIndex(preselected);
    list_->setMinimumWidth(140);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("btnOK"));
    ok_->setAutoDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* route = new FocusRoute(this);
    route->add(list_, ok_, FocusRoute::Enter);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(text);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(240, 0)));
    list_->setFocus();
}

int ChoiceDialog::choice() const {
    return result() == QDialog::Accepted ? list_->currentIndex() : preselected_;
}

void ChoiceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

int chooseFromDropDown(const std::string& name, const std::string& caption,
                       const std::string& label, const std::vector<std::string>& items,
                       int preselected, QWidget* parent) {
    QStringList texts;
    for (const auto& item : items) {
        texts << qs(item);
    }
    ChoiceDialog dialog(qs(name), qs(caption), qs(label), texts, preselected, parent);
    dialog.exec();
    return dialog.choice();
}

} // namespace zorvane::app
