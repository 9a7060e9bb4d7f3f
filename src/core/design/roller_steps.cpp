#include "core/design/roller_steps.h"

#include "core/design/session.h"

namespace zorvane::design {

void RollerSteps::stepClicked(int position) {
    switch (position) {
    case 1:
        spnRNumClick();
        return;
    case 2:
        spnRNodeSClick();
        return;
    case 3:
        spnRVClick();
        return;
    case 4:
        spnRInit_a0Click();
        return;
    case 5:
        spnR_a0Click();
        return;
    case 6:
        spnRFClick();
        return;
    case 7:
        spnRIntensityClick();
        return;
    case 8:
        spnRWearableClick();
        return;
    case 9:
        spnRWheelClick();
        return;
    default:
        return;
    }
}

// Work in progress: the bodies below are being written.
void RollerSteps::spnRNumClick() {}
void RollerSteps::btnZOkClick() {}
bool RollerSteps::edtz2Exit() {
    return true;
}
bool RollerSteps::edtziExit() {
    return true;
}
void RollerSteps::btnRZOKClick() {}
void RollerSteps::btnRZCancelClick() {}
void RollerSteps::spnRNodeSClick() {}
void RollerSteps::spnRVClick() {}
void RollerSteps::spnRInit_a0Click() {}
void RollerSteps::Button3Click() {}
void RollerSteps::Button4Click() {}
void RollerSteps::spnR_a0Click() {}
void RollerSteps::btnAOkClick() {}
void RollerSteps::btnACancelClick() {}
void RollerSteps::spnRFClick() {}
void RollerSteps::spnRIntensityClick() {}
void RollerSteps::btnIntensityOKClick() {}
void RollerSteps::btnIntstyCancelClick() {}
void RollerSteps::spnRWearableClick() {}
void RollerSteps::spnRWheelClick() {}

} // namespace zorvane::design
