// The tooth-count step every chain has: the panel filled from the record, the leave checks of the
// large and the idler count, and the confirmation of all three against the wanted ratio.

#include "core/design/chain_design.h"
#include "core/design/chain_steps.h"
#include "core/design/session.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::design {

void StepHandlers::showToothCounts(const ToothCountRecord& r) {
    const ToothCountControls& c = chainKind(chain_).toothCounts;
    auto& f = fields();
    // The idler field follows the tensioner: only an idler sprocket has a tooth count.
    f.*c.idlerEnabled = r.hasIdler;
    f.*c.small = text::general(r.z1);
    f.*c.large = text::general(r.z2);
    f.*c.idler = r.hasIdler ? f.*c.small : std::string();
    state().*c.calculatedLarge = text::general(r.z2Calc);
    s_.gate().showPanel(c.panel);
    focus(c.smallName);
}

bool StepHandlers::leaveLargeToothCount() {
    const ToothCountControls& c = chainKind(chain_).toothCounts;
    const auto z2 = toothCount(fields().*c.large);
    if (!z2) {
        showError(ui(), "请正确输入大链轮齿数");
    } else if (requireComputable(ui(), kLargeTeethRange, *z2)) {
        return true;
    }
    focus(c.largeName);
    return false;
}

bool StepHandlers::leaveIdlerToothCount(const ToothCountRules& rules) {
    const ToothCountControls& c = chainKind(chain_).toothCounts;
    const auto& f = fields();
    const auto zi = toothCount(f.*c.idler);
    if (!zi) {
        showError(ui(), rules.unreadableIdler);
        focus(c.idlerName);
        return false;
    }
    if (!requireComputable(ui(), kIdlerTeethRange, *zi)) {
        focus(c.idlerName);
        return false;
    }
    const auto z1 = text::parseDecimal(f.*c.small);
    const bool differs =
        rules.idlerAgainstWholeSmall ? !z1 || std::trunc(*zi) != std::trunc(*z1) : zi != z1;
    if (differs &&
        askYesNo(ui(), "张紧轮齿数不等于小链轮齿数,您确定使用此值吗?", Answer::No) != Answer::Yes) {
        focus(c.idlerName);
        return false;
    }
    return true;
}

bool StepHandlers::confirmCounts(int position, const ToothCountRules& rules,
                                 const ToothCountRecord& r,
                                 const std::function<void(double z1, double z2, double i)>& keep) {
    const ToothCountControls& c = chainKind(chain_).toothCounts;
    const auto& f = fields();
    const auto z1 = toothCount(f.*c.small);
    if (!z1) {
        showError(ui(), rules.unreadableSmall);
        focus(c.smallName);
        return false;
    }
    if (!requireComputable(ui(), kSmallTeethRange, *z1)) {
        focus(c.smallName);
        return false;
    }
    // The idler count is checked as leaving its field checks it.
    const bool hasIdler = f.*c.idlerEnabled;
    if (hasIdler && !leaveIdlerToothCount(rules)) {
        return false;
    }
    const auto zi = hasIdler ? toothCount(f.*c.idler) : std::nullopt;
    const auto z2 = toothCount(f.*c.large);
    if (!z2) {
        showError(ui(), "请正确输入大链轮齿数");
        focus(c.largeName);
        return false;
    }
    if (!requireComputable(ui(), kLargeTeethRange, *z2)) {
        focus(c.largeName);
        return false;
    }
    const double ratio = *z2 / *z1;
    const auto refuse = [&](const char* text) {
        ui().ask({"提示信息", text, rules.ratioRefusalIcon, Buttons::Ok, Answer::Ok});
        focus(c.largeName);
        return false;
    };
    if (r.iDir == "允许增大" && ratio < r.iInit) {
        return refuse("传动比不允许减小,请增大z2或调整z1和z2!");
    }
    if (r.iDir == "允许减小" && ratio > r.iInit) {
        return refuse("传动比不允许增大,请减小z2或调整z1和z2!");
    }
    if (std::abs(ratio - r.iInit) / r.iInit > r.iTol &&
        askYesNo(ui(), "传动比和初始传动比相差太大,应调整z1和z2,您现在要调整吗?") == Answer::Yes) {
        focus(c.largeName);
        return false;
    }
    keep(*z1, *z2, ratio);
    const auto count = [&](double value, const std::string& typed) {
        return rules.countWidth < 0 ? typed : text::fixed(value, rules.countWidth, 0);
    };
    row("小链轮齿数", count(*z1, f.*c.small), "");
    row("大链轮齿数", count(*z2, f.*c.large), "");
    if (zi) {
        row("张紧轮齿数", count(*zi, f.*c.idler), "");
    } else if (rules.idlerRowAlways) {
        row("张紧轮齿数", std::string(), "");
    }
    row("平均传动比", text::fixed(ratio, rules.ratioWidth, rules.ratioDecimals), "");
    entry("小链轮齿数", *z1);
    entry("大链轮齿数", *z2);
    entry("平均传动比", ratio);
    row("大链轮转速", text::fixed(r.n1 / ratio, rules.speedWidth, rules.speedDecimals), "r/min");
    complete(position);
    s_.gate().hidePanel(c.panel);
    s_.gate().switchToTab(Tab::Result);
    return true;
}

} // namespace zorvane::design
