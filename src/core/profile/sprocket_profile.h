#pragma once
// The face profile of one sprocket as exact lines and arcs: one closed contour of z teeth,
// counter-clockwise, the first tooth gap centred on +y, the sprocket centre at the origin.
//
// Roller chain, standard form: the tooth gap of the roller sprocket standard with the mean of
// its minimum and maximum gap forms (seating radius ri, flank radius re, seating angle α); the
// two boundary forms are kept for checking. Three-arc-one-line form: seating arc r1, working
// arc r2, straight bc and tip arc r3. In both the seating arc's lowest point lies on the design's
// root circle d − d1, so that a roller of d1 with its centre on the pitch circle seats on it.
// Toothed chain: straight working faces tangent to the 0.375p locating circle at each pitch
// point, running from the tip circle down to the root circle, joined there by the root arc.

#include "core/profile/geometry.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace zorvane::profile {

enum class ToothForm { RollerStandard, RollerThreeArc, Toothed };

struct SprocketSpec {
    ToothForm form = ToothForm::RollerStandard;
    double pitchMm = 0;
    int teeth = 0;
    double rollerDiameterMm = 0; // d1, roller chains only
    double boreDiameterMm = 0;   // 0 when the design gave no bore
};

// The sizes that fix the profile, as the sprocket step computes them.
struct ProfileSizes {
    double pitchDiameter = 0;
    double tipDiameter = 0; // standard form: the mean of the largest and smallest tip diameters
    double rootDiameter = 0;
};

struct SprocketProfile {
    SprocketSpec spec;
    ProfileSizes sizes;
    std::vector<Element> contour;
    // The standard form only: the minimum and maximum gap forms cut at the same tip circle (a
    // tooth whose flanks meet below it ends in a point).
    std::vector<Element> minimumGapForm;
    std::vector<Element> maximumGapForm;
};

// A profile that cannot be drawn (a size out of range, teeth too few for the form): the message
// says why, in the user's words.
class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

ProfileSizes profileSizes(const SprocketSpec& spec);
SprocketProfile buildProfile(const SprocketSpec& spec);

// The layers of a profile drawing.
inline constexpr const char* kProfileLayer = "PROFILE";
inline constexpr const char* kMinimumGapLayer = "GAP_MIN";
inline constexpr const char* kMaximumGapLayer = "GAP_MAX";
inline constexpr const char* kTipLayer = "TIP";
inline constexpr const char* kConstructionLayer = "CONSTRUCTION";
inline constexpr const char* kBoreLayer = "BORE";

// The contour, the boundary gap forms, the tip circle, the pitch circle and centre mark, the bore.
Drawing drawingOf(const SprocketProfile& profile);

} // namespace zorvane::profile
