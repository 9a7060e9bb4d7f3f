#pragma once
// The chain-type panel pnlSelect: roller chain with its rows and type, or toothed chain.

#include "core/design/initial_conditions.h"

#include <QFrame>

class QComboBox;
class QPushButton;
class QRadioButton;

namespace zorvane::app {

class SelectPanel : public QFrame {
    Q_OBJECT
public:
    explicit SelectPanel(QWidget* parent = nullptr);

    design::SelectInputs inputs() const;
    QPushButton* okButton() const { return ok_; }

signals:
    void confirmed();
    void cancelled();

private:
    void chainChanged();

    QRadioButton* roller_;
    QRadioButton* toothed_;
    QComboBox* rows_;
    QComboBox* type_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zorvane::app
