#pragma once
// The pieces of the step handlers that roller and toothed chain designs share: the confirmation
// of the initial centre distance on panel pnlInit_a0 with the link count, the theoretical centre
// distance before panel pnla, and the tension factor prompt of the force step. Each records its
// rows and history entries; the caller stores the values into its own design record.

#include <optional>
#include <string>

namespace zorvane::design {

class DesignSession;
class Interaction;

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
