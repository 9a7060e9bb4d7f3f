#pragma once
// Initial conditions of the designs the tests carry out in more than one way.

#include "core/design/initial_conditions.h"

namespace zorvane::testing {

// A roller chain at 300 r/min, 3 kW, ratio 3, low speed class: 15 and 45 teeth, chain 12A.
inline design::InitInputs lowSpeedSingleRow() {
    design::InitInputs in;
    in.power = "3";
    in.n1 = "300";
    in.ratio = "3";
    in.speed = 0;
    return in;
}

// A roller chain at 3000 r/min with a required life of 15000 h on a vertical drive: the pitch
// is reduced by speed, so the fatigue check runs.
inline design::InitInputs requiredLifeAtHighSpeed() {
    design::InitInputs in;
    in.power = "10";
    in.n1 = "3000";
    in.ratio = "3";
    in.speed = 2; // z1 = 23
    in.hasLife = true;
    in.life = "15000";
    in.layout = 3; // vertical: no tension factor prompt
    return in;
}

// The low-speed drive with a fixed centre distance given as 571.5 mm (30 pitches of 12A) that
// may grow by 10 %, without a tensioner.
inline design::InitInputs givenCentreDistance() {
    design::InitInputs in = lowSpeedSingleRow();
    in.adjustable = false;
    in.hasInitA0 = true;
    in.initA0 = "571.5";
    in.floatText = "上调";
    in.floatPercent = "10";
    in.hasTensioner = false;
    return in;
}

// A toothed chain at 960 r/min, 7.5 kW, ratio 3: 29 and 87 teeth, pitch 31.75 mm.
inline design::InitInputs toothedMediumSpeed() {
    design::InitInputs in;
    in.power = "7.5";
    in.n1 = "960";
    in.ratio = "3";
    return in;
}

} // namespace zorvane::testing
