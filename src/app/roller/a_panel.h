#pragma once
// The actual centre distance panel pnla, shared by both chains: the advice on the centre
// distance reduction and its entry Δa/a.

#include "core/design/main_state.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace zorvane::app {

class APanel : public QFrame {
    Q_OBJECT
public:
    explicit APanel(QWidget* parent = nullptr);

    void load(const design::PanelFields& fields, const design::MainState& state);
    void store(design::PanelFields& fields) const;

signals:
    void okClicked();     // btnAOk
    void cancelClicked(); // btnACancel

private:
    QLabel* advice_;
    QLineEdit* reduction_;
};

} // namespace zorvane::app
