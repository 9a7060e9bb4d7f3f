#pragma once
// The toothed chain tooth-count panel pnlDz: z1 with its check button, the tensioner sprocket
// count zi, the calculated z2 and z2. It shows the field texts of the main state and gives back
// what the user typed; the checks and the confirmation are the core's.

#include "core/design/main_state.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace zorvane::app {

class DzPanel : public QFrame {
    Q_OBJECT
public:
    explicit DzPanel(QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void zOkClicked(); // btnDZOk
    void z1Left();
    void ziLeft();
    void z2Left();
    void okClicked();     // btnDZ1OK
    void cancelClicked(); // btnDZCancel

private:
    QLabel* calculatedZ2_;
    QLineEdit* z1_;
    QLineEdit* zi_;
    QLineEdit* z2_;
};

} // namespace zorvane::app
