#pragma once
// The roller chain tooth-count panel pnlz: z1 with its check button, the calculated z2, z2 and
// the idler tooth count zi. It shows the field texts of the main state and gives back what the
// user typed; the checks and the confirmation are the core's.

#include "core/design/main_state.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane::app {

class ZPanel : public QFrame {
    Q_OBJECT
public:
    explicit ZPanel(QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void zOkClicked(); // btnZOk
    void z1Left();
    void z2Left();
    void ziLeft();
    void okClicked();     // btnRZOK
    void cancelClicked(); // btnRZCancel

private:
    QLabel* speedClass_;
    QLabel* calculatedZ2_;
    QLineEdit* z1_;
    QLineEdit* z2_;
    QLineEdit* zi_;
};

} // namespace zorvane::app
