#pragma once
// Small pieces the step panels and pages share.

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zorvane::app {

// A panel's 确定 and 取消 buttons, centred side by side.
inline QHBoxLayout* okCancelRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addSpacing(24);
    row->addWidget(cancel);
    row->addStretch();
    return row;
}

// A page header: 20 px 隶书, blue on silver.
inline QLabel* pageHeader(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral(
        "font-family: '隶书'; font-size: 20px; color: blue; background: silver; padding: 2px;"));
    return label;
}

} // namespace zorvane::app
