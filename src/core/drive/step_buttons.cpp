#include "core/drive/step_buttons.h"

namespace zorvane::drive {

using design::Chain;
using design::DesignSession;

namespace {

constexpr const char* kChainTypeCaption = "选择链种类";

} // namespace

std::optional<StepButton> nextStepButton(const DesignSession& session, Chain chain) {
    const auto& state = session.state();
    if (state.select.visible && state.select.enabled && !state.select.blue) {
        return StepButton{};
    }
    if (session.chain() != chain) {
        return std::nullopt;
    }
    const auto& buttons = state.panelOf(chain).steps;
    for (const auto& step : design::steps(chain)) {
        const auto at = static_cast<std::size_t>(step.position);
        if (at < buttons.size() && buttons[at].enabled && !buttons[at].blue) {
            return StepButton{step.position};
        }
    }
    return std::nullopt;
}

std::string captionOf(Chain chain, const StepButton& button) {
    return button.position ? std::string(design::stepAt(chain, *button.position).caption)
                           : std::string(kChainTypeCaption);
}

StepButton firstStepNotDone(DesignSession& session, Chain chain) {
    if (session.chain() != chain) {
        return StepButton{};
    }
    for (const auto& step : design::steps(chain)) {
        if (!session.status().done(step.tag)) {
            return StepButton{step.position};
        }
    }
    return StepButton{design::lastPosition(chain)};
}

bool stepDone(DesignSession& session, Chain chain, const std::string& caption) {
    if (caption == kChainTypeCaption) {
        return session.status().done(design::kTagSelect);
    }
    for (const auto& step : design::steps(chain)) {
        if (step.caption == caption) {
            return session.chain() == chain && session.status().done(step.tag);
        }
    }
    return false;
}

bool designFinished(DesignSession& session, Chain chain) {
    return session.chain() == chain &&
           session.status().done(design::stepAt(chain, design::lastPosition(chain)).tag);
}

} // namespace zorvane::drive
