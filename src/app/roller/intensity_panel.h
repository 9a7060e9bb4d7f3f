#pragma once
// The static strength panel pnlIntensity: the note on the allowable safety factor and its entry.

#include "core/design/main_state.h"

#include <QFrame>

class QLineEdit;

namespace zorvane::app {

class IntensityPanel : public QFrame {
    Q_OBJECT
public:
    explicit IntensityPanel(QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void okClicked();     // btnIntensityOK
    void cancelClicked(); // btnIntstyCancel

private:
    QLineEdit* factor_;
};

} // namespace zorvane::app
