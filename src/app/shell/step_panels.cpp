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
    : QObject(parent), session_(session), run_(std::move(run)), z_(new ZPanel),
      initA0_(new InitA0Panel), a_(new APanel), intensity_(new IntensityPanel), dz_(new DzPanel) {
    space.addPanel(Panel::Z, z_);
    space.addPanel(Panel::InitA0, initA0_);
    space.addPanel(Panel::A, a_);
    space.addPanel(Panel::Intensity, intensity_);
    space.addPanel(Panel::Dz, dz_);
    connectRoller();
    connectToothed();
    auto handler = [this](void (design::DesignSession::*member)()) {
        return [this, member] { run_([this, member] { (session_.*member)(); }); };
    };
    using S = design::DesignSession;
    connect(initA0_, &InitA0Panel::okClicked, this, handler(&S::confirmInitialCentreDistance));
    connect(initA0_, &InitA0Panel::cancelClicked, this, handler(&S::cancelInitialCentreDistance));
    connect(a_, &APanel::okClicked, this, handler(&S::confirmCentreDistanceChange));
    connect(a_, &APanel::cancelClicked, this, handler(&S::cancelCentreDistanceChange));
}

void StepPanels::connectRoller() {
    auto& steps = session_.rollerSteps();
    auto handler = [this, &steps](void (roller::RollerSteps::*member)()) {
        return [this, &steps, member] { run_([&steps, member] { (steps.*member)(); }); };
    };
    using R = roller::RollerSteps;
    connect(z_, &ZPanel::zOkClicked, this, handler(&R::btnZOkClick));
    connect(z_, &ZPanel::z1Left, this, handler(&R::btnZOkClick));
    connect(z_, &ZPanel::z2Left, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtz2Exit(); }, "edtz2"); });
    connect(z_, &ZPanel::ziLeft, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtziExit(); }, "edtzi"); });
    connect(z_, &ZPanel::okClicked, this, handler(&R::btnRZOKClick));
    connect(z_, &ZPanel::cancelClicked, this, handler(&R::btnRZCancelClick));
    connect(intensity_, &IntensityPanel::okClicked, this, handler(&R::btnIntensityOKClick));
    connect(intensity_, &IntensityPanel::cancelClicked, this, handler(&R::btnIntstyCancelClick));
}

void StepPanels::connectToothed() {
    auto& steps = session_.toothedSteps();
    auto handler = [this, &steps](void (toothed::ToothedSteps::*member)()) {
        return [this, &steps, member] { run_([&steps, member] { (steps.*member)(); }); };
    };
    using T = toothed::ToothedSteps;
    connect(dz_, &DzPanel::zOkClicked, this, handler(&T::btnDZOkClick));
    connect(dz_, &DzPanel::z1Left, this, handler(&T::btnDZOkClick));
    connect(dz_, &DzPanel::ziLeft, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtDziExit(); }, "edtDzi"); });
    connect(dz_, &DzPanel::z2Left, this,
            [this, &steps] { leaveCheck([&steps] { return steps.edtDz2Exit(); }, "edtDz2"); });
    connect(dz_, &DzPanel::okClicked, this, handler(&T::btnDZ1OKClick));
    connect(dz_, &DzPanel::cancelClicked, this, handler(&T::btnDZCancelClick));
}

void StepPanels::leaveCheck(const std::function<bool()>& check, const char* field) {
    run_([this, check, field] {
        if (!check() && session_.state().focus.empty()) {
            session_.state().focus = field;
        }
    });
}

void StepPanels::store(design::PanelFields& fields) const {
    z_->store(fields);
    initA0_->store(fields);
    a_->store(fields);
    intensity_->store(fields);
    dz_->store(fields);
}

void StepPanels::load(const design::MainState& state) {
    z_->load(state.fields, state);
    initA0_->load(state.fields, state);
    a_->load(state.fields, state);
    intensity_->load(state.fields, state);
    dz_->load(state.fields, state);
}

} // namespace zorvane::app
