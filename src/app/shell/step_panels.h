#pragma once
// The step panels of the chains after the initial conditions, on the work space: they show the
// field texts of the main state, give back what the user typed, and hand their buttons and
// field leaves to the design's step handlers. pnlInit_a0 and pnla serve both chains; the
// design session passes their buttons to the open chain's handlers.

#include "core/design/main_state.h"

#include <QObject>

#include <functional>

namespace zorvane::design {
class DesignSession;
}

namespace zorvane::app {

class APanel;
class DzPanel;
class InitA0Panel;
class IntensityPanel;
class WorkSpace;
class ZPanel;

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
    // The state's texts, into the panels.
    void load(const design::MainState& state);

private:
    void connectRoller();
    void connectToothed();
    // A refused field gets the focus back, unless the handler named another control.
    void leaveCheck(const std::function<bool()>& check, const char* field);

    design::DesignSession& session_;
    Runner run_;
    ZPanel* z_;
    InitA0Panel* initA0_;
    APanel* a_;
    IntensityPanel* intensity_;
    DzPanel* dz_;
};

} // namespace zorvane::app
