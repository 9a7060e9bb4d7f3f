#pragma once
// The initial centre distance panel pnlInit_a0, shared by both chains: the guidance memo, the
// texts of the given initial value and of the accepted range, and the centre distance in pitches.

#include "core/design/main_state.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace zorvane::app {

class InitA0Panel : public QFrame {
    Q_OBJECT
public:
    explicit InitA0Panel(QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void okClicked();     // Button3
    void cancelClicked(); // Button4

private:
    QLabel* given_;
    QLabel* range_;
    QLineEdit* a0p_;
};

} // namespace zorvane::app
