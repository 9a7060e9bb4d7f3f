#pragma once
// Drives the main window as a person would in the whole-design tests: widgets found by object
// name, buttons clicked only when they can be, edits typed, and the initial-conditions panel
// filled from an InitInputs.

#include "core/design/initial_conditions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <initializer_list>
#include <string>

namespace zorvane::testing {

class WindowDriver {
public:
    explicit WindowDriver(QWidget* window = nullptr) : window_(window) {}
    void setWindow(QWidget* window) { window_ = window; }

    template <class T> T* find(const char* name) const {
        T* widget = window_->findChild<T*>(QString::fromLatin1(name));
        if (!widget) {
            qFatal("no widget %s", name);
        }
        return widget;
    }
    bool shown(const char* name) const { return find<QWidget>(name)->isVisible(); }
    void click(const char* name) const {
        auto* button = find<QAbstractButton>(name);
        QVERIFY2(button->isEnabled() && button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void click(std::initializer_list<const char*> names) const {
        for (const char* name : names) {
            click(name);
        }
    }
    void type(const char* name, const std::string& text) const {
        auto* edit = find<QLineEdit>(name);
        edit->setFocus();
        edit->setText(QString::fromStdString(text));
    }
    void check(const char* name, bool on) const { find<QCheckBox>(name)->setChecked(on); }
    void pick(const char* name, int item) const { find<QComboBox>(name)->setCurrentIndex(item); }

    // The initial-conditions panel filled with `in`: switches first (they enable the fields),
    // the pulsating switch after the load kind that enables it.
    void fillInit(const design::InitInputs& in) const {
        check("chkAdjust", in.adjustable);
        check("chkInita", in.hasInitA0);
        if (find<QCheckBox>("chkT")->isEnabled()) {
            check("chkT", in.hasLife);
        }
        check("chkTight", in.hasTensioner);
        pick("cbxMotor", in.motor);
        pick("cbxMotorKind", in.layout);
        if (find<QComboBox>("cbxV")->isEnabled()) {
            pick("cbxV", in.speed);
        }
        pick("cbxLub", in.lub);
        pick("cbxLoadKind", in.load);
        check("chkLoadKind", in.pulsating);
        pick("cbxie", in.ratioDir);
        type("edtPower", in.power);
        type("edtn1", in.n1);
        type("edti", in.ratio);
        type("edtie", in.ratioTol);
        if (in.hasInitA0) {
            type("edtInita", in.initA0);
            find<QComboBox>("cbxFloat")->setCurrentText(QString::fromStdString(in.floatText));
            type("edtFloat", in.floatPercent);
        }
        if (in.hasLife) {
            type("edtT", in.life);
        }
        if (in.hasTensioner) {
            pick("cbxTight", in.tensioner);
        }
    }

private:
    QWidget* window_;
};

} // namespace zorvane::testing
