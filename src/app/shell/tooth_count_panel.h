#pragma once
// The tooth-count panel of a chain (pnlz for the roller chain, pnlDz for the toothed chain): the
// small sprocket's count with its check button, the calculated and the chosen large count, and
// the idler's count, with the chain's own guidance above them. It shows the field texts of the
// main state and gives back what the user typed; the checks and the confirmation are the core's.

#include "core/design/chain_design.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace zorvane::app {

class ToothCountPanel : public QFrame {
    Q_OBJECT
public:
    explicit ToothCountPanel(design::Chain chain, QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void zOkClicked(); // the check button beside the small sprocket's count
    void z1Left();
    void z2Left();
    void ziLeft();
    void okClicked();
    void cancelClicked();

private:
    const design::ToothCountControls& controls_;
    QLabel* speedClass_ = nullptr; // the roller chain's speed class
    QLabel* calculatedZ2_;
    QLineEdit* z1_;
    QLineEdit* z2_;
    QLineEdit* zi_;
};

} // namespace zorvane::app
