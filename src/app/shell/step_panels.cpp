#include "app/shell/step_panels.h"

#include "app/roller/a_panel.h"
#include "app/roller/init_a0_panel.h"
#include "app/roller/intensity_panel.h"
#include "app/roller/z_panel.h"
#include "app/shell/work_space.h"
#include "app/toothed/dz_panel.h"
#include "core/design/session.h"

namespace zorvane::app {

using design::Panel;

StepPanels::StepPanels(WorkSpace& space, design::DesignSession& session, Runner run,
                       QObject* parent)
    : QObject(parent), session_(session), run_(std::move(run)) {
    // Each panel is made when a step first shows it.
    space.addPanel(Panel::Z, [this] { return makeZ(); });
    space.addPanel(Panel::InitA0, [this] { return makeInitA0(); });
    space.addPanel(Panel::A, [this] { return makeA(); });
    space.addPanel(Panel::Intensity, [this] { return makeIntensity(); });
    space.addPanel(Panel::Dz, [this] { return makeDz(); });
}

QWidget* StepPanels::makeZ() {
    z_ = new ZPanel;
    auto& steps = session_.rollerSteps();
    using R = roller::RollerSteps;
    connect(z_, &ZPanel::zOkClicked, this, handler(steps, &R::btnZOkClick));
    connect(z_, &ZPanel::z1Left, this, handler(steps, &R::btnZOkClick));
    connect(z_, &ZPanel::z2Left, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtz2Exit(); }, "edtz2"); });
    connect(z_, &ZPanel::ziLeft, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtziExit(); }, "edtzi"); });
    connect(z_, &ZPanel::okClicked, this, handler(steps, &R::btnRZOKClick));
    connect(z_, &ZPanel::cancelClicked, this, handler(steps, &R::btnRZCancelClick));
    return z_;
}

QWidget* StepPanels::makeIntensity() {
    intensity_ = new IntensityPanel;
    auto& steps = session_.rollerSteps();
    using R = roller::RollerSteps;
    connect(intensity_, &IntensityPanel::okClicked, this, handler(steps, &R::btnIntensityOKClick));
    connect(intensity_, &IntensityPanel::cancelClicked, this,
            handler(steps, &R::btnIntstyCancelClick));
    return intensity_;
}

QWidget* StepPanels::makeInitA0() {
    initA0_ = new InitA0Panel;
    using S = design::DesignSession;
    connect(initA0_, &InitA0Panel::okClicked, this,
            handler(session_, &S::confirmInitialCentreDistance));
    connect(initA0_, &InitA0Panel::cancelClicked, this,
            handler(session_, &S::cancelInitialCentreDistance));
    return initA0_;
}

QWidget* StepPanels::makeA() {
    a_ = new APanel;
    using S = design::DesignSession;
    connect(a_, &APanel::okClicked, this, handler(session_, &S::confirmCentreDistanceChange));
    connect(a_, &APanel::cancelClicked, this, handler(session_, &S::cancelCentreDistanceChange));
    return a_;
}

QWidget* StepPanels::makeDz() {
    dz_ = new DzPanel;
    auto& steps = session_.toothedSteps();
    using T = toothed::ToothedSteps;
    connect(dz_, &DzPanel::zOkClicked, this, handler(steps, &T::btnDZOkClick));
    connect(dz_, &DzPanel::z1Left, this, handler(steps, &T::btnDZOkClick));
    connect(dz_, &DzPanel::ziLeft, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtDziExit(); }, "edtDzi"); });
    connect(dz_, &DzPanel::z2Left, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtDz2Exit(); }, "edtDz2"); });
    connect(dz_, &DzPanel::okClicked, this, handler(steps, &T::btnDZ1OKClick));
    connect(dz_, &DzPanel::cancelClicked, this, handler(steps, &T::btnDZCancelClick));
    return dz_;
}

void StepPanels::leaveCheck(const std::function<bool()>& check, const char* field) {
    run_([this, check, field] {
        if (!check() && session_.state().focus.empty()) {
            session_.state().focus = field;
        }
    });
}

void StepPanels::store(design::PanelFields& fields) const {
    if (z_) {
        z_->store(fields);
    }
    if (initA0_) {
        initA0_->store(fields);
    }
    if (a_) {
        a_->store(fields);
    }
    if (intensity_) {
        intensity_->store(fields);
    }
    if (dz_) {
        dz_->store(fields);
    }
}

void StepPanels::load(const design::MainState& state) {
    if (z_) {
        z_->load(state.fields, state);
    }
    if (initA0_) {
        initA0_->load(state.fields, state);
    }
    if (a_) {
        a_->load(state.fields, state);
    }
    if (intensity_) {
        intensity_->load(state.fields, state);
    }
    if (dz_) {
        dz_->load(state.fields, state);
    }
}

} // namespace zorvane::app
