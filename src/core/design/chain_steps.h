#pragma once
// The pieces of the step handlers that roller and toothed chain designs share: the confirmation
// of the initial centre distance on panel pnlInit_a0 with the link count, the theoretical centre
// distance before panel pnla, and the tension factor prompt of the force step. Each records its
// rows and history entries; the caller stores the values into its own design record.

#include "core/design/steps.h"

#include <functional>
#include <optional>
#include <string>

namespace zorvane::design {

class DesignSession;
class Interaction;
struct MainState;
struct PanelFields;

// What the step handlers of both chains have in common: the step gate of their chain, the
// panel fields, the user and the working tables.
class StepHandlers {
public:
    // A tooth count: a positive whole number, as text.
    static std::optional<double> toothCount(const std::string& text);

protected:
    StepHandlers(DesignSession& session, Chain chain) : s_(session), chain_(chain) {}

    bool done(int position) const;
    // The re-run rule of the step at `position`, with the step's own resets of the record.
    bool prepare(int position, const std::function<void()>& ownResets = {});
    void complete(int position);
    void focus(const char* objectName);
    MainState& state();
    PanelFields& fields();
    Interaction& ui();
    // One row of the result table; one entry of the history.
    void row(const std::string& item, const std::string& value, const std::string& unit);
    void entry(const std::string& item, double value);

    DesignSession& s_;
    Chain chain_;
};

struct InitialCentreDistance {
    double a0 = 0;    // mm
    double links = 0; // the link count chosen (whole number)
    double exact = 0; // the link count the distance gives, unrounded
};

// Reads edtInit_a0, checks it against A0Range and records 初定中心距, 链长节数 and 链条长度,
// asking about an offset link when the count is odd. Nothing when the text was refused (the
// message was shown and the focus goes back to the field).
std::optional<InitialCentreDistance> confirmInitialCentreDistance(DesignSession& session, double p,
                                                                  double z1, double z2);

// Computes the theoretical centre distance over table Ka, records 理论中心距, puts the advice on
// Δa into lbla and shows panel pnla. Returns the distance, mm.
double recordTheoreticalCentreDistance(DesignSession& session, double Lp, double z1, double z2,
                                       double p, bool adjustable, bool hasTensioner);

// Reads edta as Δa/a within 0.002 to 0.004; nothing when refused.
std::optional<double> readCentreDistanceChange(DesignSession& session);

// The tension factor Kf between 1.15 and 1.2, asked until the answer is usable; `outOfRange`
// is the message of a number outside that range.
double askTensionFactor(Interaction& ui, const std::string& outOfRange);

} // namespace zorvane::design
