#pragma once
// The initial-conditions panel pnlInit: power, speed, ratio and the operating conditions. It
// reads its inputs into a plain struct, applies the option switches and the keyboard route, and
// runs the leave-field checks; the confirmation itself is the core's.

#include "core/design/initial_conditions.h"
#include "core/design/interaction.h"

#include <QFrame>

#include <map>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace zorvane::app {

class InitPanel : public QFrame {
    Q_OBJECT
public:
    InitPanel(design::Interaction& ui, QWidget* parent = nullptr);

    design::InitInputs inputs() const;
    // The chain kind decides whether the life switch and the speed class are usable.
    void setChain(design::Chain chain);
    void focusField(design::InitField field);
    QWidget* widgetOf(design::InitField field) const;

signals:
    void confirmed();
    void cancelled();
    // The user left edtFloat with a valid percentage: A0Tol is that value / 100.
    void a0TolerancePercentEntered(double percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addEdit(design::InitField field, const char* name);
    QComboBox* addList(design::InitField field, const char* name, bool editable);
    void applySwitches();
    void leftField(design::InitField field, QLineEdit* edit);
    void stepFloat(int delta);
    design::InitEnables enables() const;

    design::Interaction& ui_;
    design::Chain chain_ = design::Chain::Roller;
    std::map<design::InitField, QWidget*> fields_;
    std::map<QObject*, design::InitField> fieldOf_;
    bool restoringFocus_ = false;

    QLineEdit* power_;
    QLineEdit* n1_;
    QComboBox* motor_;
    QComboBox* layout_;
    QComboBox* speed_;
    QComboBox* lub_;
    QComboBox* load_;
    QCheckBox* pulsating_;
    QCheckBox* adjustable_;
    QCheckBox* hasInitA0_;
    QLineEdit* initA0_;
    QComboBox* float_;
    QLineEdit* floatPercent_;
    QToolButton* floatUp_;
    QToolButton* floatDown_;
    QCheckBox* hasLife_;
    QLineEdit* life_;
    QCheckBox* hasTensioner_;
    QComboBox* tensioner_;
    QLineEdit* ratio_;
    QComboBox* ratioDir_;
    QLineEdit* ratioTol_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zorvane::app
