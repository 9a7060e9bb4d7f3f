#include "app/shell/step_panels.h"

#include "app/roller/a_panel.h"
#include "app/roller/init_a0_panel.h"
#include "app/roller/intensity_panel.h"
#include "app/shell/tooth_count_panel.h"
#include "app/shell/work_space.h"
#include "core/design/session.h"
#include "core/roller/roller_design.h"

namespace zorvane::app {

using design::Panel;

StepPanels::StepPanels(WorkSpace& space, design::DesignSession& session, Runner run,
                       QObject* parent)
    : QObject(parent), session_(session), run_(std::move(run)) {
    // Each panel is made when a step first shows it.
    for (const design::Chain chain : design::designedChains()) {
        space.addPanel(design::chainKind(chain).toothCounts.panel,
                       [this, chain] { return makeToothCounts(chain); });
    }
    space.addPanel(Panel::InitA0, [this] { return makeInitA0(); });
    space.addPanel(Panel::A, [this] { return makeA(); });
    space.addPanel(Panel::Intensity, [this] { return makeIntensity(); });
}

template <class Member> std::function<void()> StepPanels::onDesign(Member member) {
    return [this, member] {
        run_([this, member] {
            if (auto* design = session_.design()) {
                (design->*member)();
            }
        });
    };
}

QWidget* StepPanels::makeToothCounts(design::Chain chain) {
    auto* panel = new ToothCountPanel(chain);
    toothCounts_[chain] = panel;
    using D = design::ChainDesign;
    const auto& names = design::chainKind(chain).toothCounts;
    const auto leave = [this](bool (D::*check)(), const char* field) {
        return [this, check, field] {
            leaveCheck(
                [this, check] {
                    auto* design = session_.design();
                    return !design || (design->*check)();
                },
                field);
        };
    };
    connect(panel, &ToothCountPanel::zOkClicked, this, onDesign(&D::checkSmallToothCount));
    connect(panel, &ToothCountPanel::z1Left, this, onDesign(&D::checkSmallToothCount));
    connect(panel, &ToothCountPanel::z2Left, this,
            leave(&D::checkLargeToothCount, names.largeName));
    connect(panel, &ToothCountPanel::ziLeft, this,
            leave(&D::checkIdlerToothCount, names.idlerName));
    connect(panel, &ToothCountPanel::okClicked, this, onDesign(&D::confirmToothCounts));
    connect(panel, &ToothCountPanel::cancelClicked, this, onDesign(&D::cancelToothCounts));
    return panel;
}

QWidget* StepPanels::makeIntensity() {
    intensity_ = new IntensityPanel;
    // The static strength step is the roller chain's own.
    const auto onRoller = [this](void (roller::RollerDesign::*member)()) {
        return [this, member] {
            run_([this, member] {
                if (auto* design = roller::designOf(session_)) {
                    (design->*member)();
                }
            });
        };
    };
    connect(intensity_, &IntensityPanel::okClicked, this,
            onRoller(&roller::RollerDesign::confirmStaticStrength));
    connect(intensity_, &IntensityPanel::cancelClicked, this,
            onRoller(&roller::RollerDesign::cancelStaticStrength));
    return intensity_;
}

QWidget* StepPanels::makeInitA0() {
    initA0_ = new InitA0Panel;
    using S = design::StepDispatcher;
    connect(initA0_, &InitA0Panel::okClicked, this,
            handler(session_.steps(), &S::confirmInitialCentreDistance));
    connect(initA0_, &InitA0Panel::cancelClicked, this,
            handler(session_.steps(), &S::cancelInitialCentreDistance));
    return initA0_;
}

QWidget* StepPanels::makeA() {
    a_ = new APanel;
    using S = design::StepDispatcher;
    connect(a_, &APanel::okClicked, this,
            handler(session_.steps(), &S::confirmCentreDistanceChange));
    connect(a_, &APanel::cancelClicked, this,
            handler(session_.steps(), &S::cancelCentreDistanceChange));
    return a_;
}

void StepPanels::leaveCheck(const std::function<bool()>& check, const char* field) {
    run_([this, check, field] {
        if (!check() && session_.state().focus.empty()) {
            session_.state().focus = field;
        }
    });
}

void StepPanels::store(design::PanelFields& fields) const {
    for (const auto& [chain, panel] : toothCounts_) {
        panel->store(fields);
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
}

void StepPanels::load(const design::MainState& state) {
    for (const auto& [chain, panel] : toothCounts_) {
        panel->load(state.fields, state);
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
}

} // namespace zorvane::app
