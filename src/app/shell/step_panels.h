#pragma once
// The step panels of the chains after the initial conditions, on the work space: they show the
// field texts of the main state, give back what the user typed, and hand their buttons and
// field leaves to the design's step handlers. pnlInit_a0 and pnla serve both chains; the
// design session passes their buttons to the open chain's handlers.

#include "core/design/main_state.h"

#include <QObject>

#include <functional>
#include <map>

class QWidget;

namespace zorvane::design {
class DesignSession;
}

namespace zorvane::app {

class APanel;
class InitA0Panel;
class IntensityPanel;
class ToothCountPanel;
class WorkSpace;

class StepPanels : public QObject {
    Q_OBJECT
public:
    // `run` runs a handler as the main window runs every handler: fields stored first, the
    // window drawn after.
    using Runner = std::function<void(const std::function<void()>&)>;

    StepPanels(WorkSpace& space, design::DesignSession& session, Runner run,
               QObject* parent = nullptr);

    // What the user typed, into the state's fields.
    void store(design::PanelFields& fields) const;
    // The state's texts, into the panels made so far; the work space makes a panel before it
    // shows it, so load after showing.
    void load(const design::MainState& state);

private:
    QWidget* makeToothCounts(design::Chain chain);
    QWidget* makeInitA0();
    QWidget* makeA();
    QWidget* makeIntensity();
    // A slot that runs `member` of `target` (the session or a chain's steps) through the runner.
    template <class Target>
    std::function<void()> handler(Target& target, void (Target::*member)()) {
        return [this, &target, member] { run_([&target, member] { (target.*member)(); }); };
    }
    // A slot that runs `member` of the open chain's design through the runner.
    template <class Member> std::function<void()> onDesign(Member member);
    // A refused field gets the focus back, unless the handler named another control.
    void leaveCheck(const std::function<bool()>& check, const char* field);

    design::DesignSession& session_;
    Runner run_;
    // Null until the panel was first shown.
    std::map<design::Chain, ToothCountPanel*> toothCounts_;
    InitA0Panel* initA0_ = nullptr;
    APanel* a_ = nullptr;
    IntensityPanel* intensity_ = nullptr;
};

} // namespace zorvane::app
