#include "core/design/initial_conditions.h"

#include "core/design/computable_range.h"
#include "core/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace zorvane::design {

namespace {

// Multi-row factor Kp by the item of the rows list ("六排以上" has none here).
constexpr std::array<std::optional<double>, 8> kMultiRowFactors{1.0, 1.7, 2.5,          3.3,
                                                                4.0, 4.6, std::nullopt, 1.0};

// Working-condition factor KA: rows load kind, columns prime mover.
constexpr std::array<std::array<double, 3>, 3> kWorkingConditionFactors{{
    {1.0, 1.0, 1.2},
    {1.2, 1.3, 1.4},
    {1.4, 1.5, 1.7},
}};

// Proposed small sprocket tooth count of a roller chain by speed class.
constexpr std::array<double, 3> kRollerZ1BySpeed{15, 19, 23};

struct FieldRule {
    InitField field;
    bool zeroAllowed;  // the number must be >= 0 instead of > 0
    bool emptyAllowed; // an empty text passes without a message
    std::string_view message;
};

// The checks made when a field is left.
constexpr std::array<FieldRule, 7> kLeaveRules{{
    {InitField::Power, false, true, "请正确输入传递功率!"},
    {InitField::N1, false, true, "请正确输入小链轮转速!"},
    {InitField::Life, false, false, "请正确输入使用寿命"},
    {InitField::InitA0, false, true, "请正确输入中心距初值!"},
    {InitField::Ratio, false, true, "请正确输入传动比!"},
    {InitField::RatioTol, true, false, "请正确输入传动比允许误差"},
    {InitField::FloatPercent, true, false, "请正确输入中心距初值允许误差"},
}};

// The numbers the confirmation reads: each must be positive and within its computable range. A
// number that cannot be read gets the message of its leave rule; one out of range, the range's.
struct ConfirmedNumber {
    InitField field;
    std::string InitInputs::*text;
    const ComputableRange* range;
    bool focusWhenUnreadable; // the focus goes to the field also when the text is unreadable
};

constexpr std::array<ConfirmedNumber, 6> kConfirmedNumbers{{
    {InitField::Power, &InitInputs::power, &kPowerRange, true},
    {InitField::N1, &InitInputs::n1, &kSpeedRange, true},
    {InitField::Life, &InitInputs::life, &kLifeRange, true},
    {InitField::InitA0, &InitInputs::initA0, &kInitA0Range, true},
    {InitField::Ratio, &InitInputs::ratio, &kRatioRange, true},
    {InitField::RatioTol, &InitInputs::ratioTol, &kRatioTolRange, false},
}};

std::string_view leaveMessage(InitField field) {
    for (const auto& rule : kLeaveRules) {
        if (rule.field == field) {
            return rule.message;
        }
    }
    return {};
}

template <class Items> std::string itemText(const Items& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
        return {};
    }
    return std::string(items[static_cast<std::size_t>(index)]);
}

std::optional<double> positive(const std::string& text) {
    const auto value = text::parseDecimal(text);
    if (value && *value > 0) {
        return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<double> multiRowFactor(int rowItem) {
    if (rowItem < 0 || rowItem >= static_cast<int>(kMultiRowFactors.size())) {
        return std::nullopt;
    }
    return kMultiRowFactors[static_cast<std::size_t>(rowItem)];
}

int rowCount(int rowItem) {
    return rowItem + 1;
}

double workingConditionFactor(int loadItem, int motorItem) {
    const auto row = static_cast<std::size_t>(std::clamp(loadItem, 0, 2));
    const auto column = static_cast<std::size_t>(std::clamp(motorItem, 0, 2));
    return kWorkingConditionFactors[row][column];
}

InitEnables initEnables(const InitInputs& inputs, Chain chain) {
    InitEnables enables;
    const bool roller = chain == Chain::Roller;
    enables.pulsating = inputs.load != 0;
    enables.initA0 = inputs.hasInitA0;
    enables.lifeSwitch = roller;
    enables.life = roller && inputs.hasLife;
    enables.tensioner = inputs.hasTensioner;
    enables.speed = roller;
    return enables;
}

InitField nextInRoute(InitField field, const InitEnables& enables) {
    auto afterOptions = [&](bool fromA0) {
        if (!fromA0 && enables.initA0) {
            return InitField::InitA0;
        }
        if (enables.life) {
            return InitField::Life;
        }
        if (enables.tensioner) {
            return InitField::Tensioner;
        }
        return InitField::Ratio;
    };
    switch (field) {
    case InitField::Power:
        return InitField::N1;
    case InitField::N1:
        return InitField::Motor;
    case InitField::Motor:
        return InitField::Layout;
    case InitField::Layout:
        return enables.speed ? InitField::Speed : InitField::Lub;
    case InitField::Speed:
        return InitField::Lub;
    case InitField::Lub:
        return InitField::Load;
    case InitField::Load:
        return afterOptions(false);
    case InitField::InitA0:
        return InitField::Float;
    case InitField::Float:
        return InitField::FloatPercent;
    case InitField::FloatPercent:
        return afterOptions(true);
    case InitField::Life:
        return enables.tensioner ? InitField::Tensioner : InitField::Ratio;
    case InitField::Tensioner:
        return InitField::Ratio;
    case InitField::Ratio:
        return InitField::RatioDir;
    case InitField::RatioDir:
        return InitField::RatioTol;
    case InitField::RatioTol:
        return InitField::Ok;
    case InitField::Ok:
        return InitField::Cancel;
    case InitField::Cancel:
        return InitField::Power;
    }
    return InitField::Power;
}

LeaveCheck checkOnLeave(InitField field, const std::string& text, Interaction& ui) {
    for (const auto& rule : kLeaveRules) {
        if (rule.field != field) {
            continue;
        }
        if (text.empty() && rule.emptyAllowed) {
            return {true, std::nullopt};
        }
        const auto value = text::parseDecimal(text);
        if (!value || *value < 0 || (*value == 0 && !rule.zeroAllowed)) {
            showError(ui, std::string(rule.message));
            return {false, std::nullopt};
        }
        return {true, value};
    }
    return {true, std::nullopt};
}

double proposeLargeCount(double x, int ratioDirItem) {
    const double whole = std::trunc(x);
    const double fraction = x - whole;
    switch (ratioDirItem) {
    case 0:
        return fraction <= 0.01 ? whole : whole + 1;
    case 1:
        return whole;
    default:
        return static_cast<double>(text::roundHalfEven(x));
    }
}

double proposeLargeCount(double x, std::string_view ratioDirText) {
    const auto item = std::find(kRatioDirItems.begin(), kRatioDirItems.end(), ratioDirText);
    return proposeLargeCount(
        x, item == kRatioDirItems.end() ? 2 : static_cast<int>(item - kRatioDirItems.begin()));
}

std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == count) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

InitOutcome confirmInitialConditions(const InitInputs& inputs, Chain chain, Interaction& ui) {
    InitOutcome out;
    const bool roller = chain == Chain::Roller;
    auto refuse = [&](std::string_view message, std::optional<InitField> focus) {
        showError(ui, std::string(message));
        out.focus = focus;
        return out;
    };
    // The number of `field`, or nothing after its message was shown.
    auto number = [&](InitField field) -> std::optional<double> {
        const auto& check = *std::find_if(kConfirmedNumbers.begin(), kConfirmedNumbers.end(),
                                          [field](const auto& c) { return c.field == field; });
        const auto value = positive(inputs.*check.text);
        if (!value) {
            refuse(leaveMessage(field),
                   check.focusWhenUnreadable ? std::optional(field) : std::nullopt);
        } else if (!withinRange(*check.range, *value)) {
            refuse(outOfRangeText(*check.range), field);
        } else {
            return value;
        }
        return std::nullopt;
    };

    const auto power = number(InitField::Power);
    if (!power) {
        return out;
    }
    const auto n1 = number(InitField::N1);
    if (!n1) {
        return out;
    }
    if (*n1 > 6000 && warnYesNo(ui, "小链轮转速过大,计算的结果将不能用于实际,要继续吗?",
                                Answer::No) != Answer::Yes) {
        out.focus = InitField::N1;
        return out;
    }
    const bool hasLife = roller && inputs.hasLife;
    if (roller) {
        if (hasLife) {
            const auto life = number(InitField::Life);
            if (!life) {
                return out;
            }
            out.life = *life;
        } else {
            out.life = -1.0;
        }
    }
    if (inputs.hasInitA0) {
        const auto a0 = number(InitField::InitA0);
        if (!a0) {
            return out;
        }
        out.initA0 = *a0;
    }
    const auto ratio = number(InitField::Ratio);
    if (!ratio) {
        return out;
    }
    const auto ratioTol = number(InitField::RatioTol);
    if (!ratioTol) {
        return out;
    }
    // The percentage the user sees is the one the design uses, whether or not the field was
    // left before the confirmation.
    if (const auto percent = text::parseDecimal(inputs.floatPercent); percent && *percent >= 0) {
        if (inputs.hasInitA0 && !withinRange(kA0PercentRange, *percent)) {
            return refuse(outOfRangeText(kA0PercentRange), InitField::FloatPercent);
        }
        out.a0Tol = *percent / 100;
    } else if (inputs.hasInitA0) {
        return refuse("请正确输入中心距初值允许误差", InitField::FloatPercent);
    }

    const bool pulsating = inputs.pulsating && inputs.load != 0;
    out.confirmed = true;
    out.power = *power;
    out.n1 = *n1;
    out.ratio = *ratio;
    out.ratioTol = *ratioTol / 100;
    out.ratioDirText = firstCharacters(itemText(kRatioDirItems, inputs.ratioDir), 10);
    out.a0DirText = firstCharacters(inputs.floatText, 10);
    out.adjustable = inputs.adjustable;
    out.hasTensioner = inputs.hasTensioner;
    out.pulsating = pulsating;
    out.hasInitA0 = inputs.hasInitA0;
    out.tensionerKind = inputs.tensioner;
    out.speedClass = inputs.speed;
    out.lubCond = inputs.lub;
    out.layout = inputs.layout;
    out.ka = workingConditionFactor(inputs.load, inputs.motor);

    const std::string n2Text = text::fixedPadded(*n1 / *ratio, 8, 2);
    const std::string speedText = itemText(kSpeedItems, inputs.speed);
    auto add = [&](std::string item, std::string value, std::string unit) {
        out.rows.push_back({std::move(item), std::move(value), std::move(unit)});
    };
    if (inputs.hasInitA0) {
        add("中心距初值", inputs.initA0 + ",可" + inputs.floatText + inputs.floatPercent + "%",
            "mm");
    }
    add("传递功率", inputs.power, "KW");
    add("小链轮转速", inputs.n1, "r/min");
    add("平均传动比",
        inputs.ratio + "," + itemText(kRatioDirItems, inputs.ratioDir) + inputs.ratioTol + "%", "");
    add("大链轮转速", text::trimmed(n2Text), "r/min");
    add("传动种类", itemText(kLayoutItems, inputs.layout), "");
    add("传动速度", speedText, "");
    add("润滑条件", itemText(kLubItems, inputs.lub), "");
    add("中心距条件", inputs.adjustable ? "可调" : "不可调", "");
    if (hasLife) {
        add("使用寿命", inputs.life, "h");
    }
    add("载荷性质", itemText(kLoadItems, inputs.load) + (pulsating ? ",脉动" : ""), "");
    add("原动机种类", itemText(kMotorItems, inputs.motor), "");
    add("张紧装置", inputs.hasTensioner ? inputs.tensionerText : "无", "");

    double x = 0;
    if (roller) {
        const auto speed = static_cast<std::size_t>(inputs.speed);
        out.z1 = speed < kRollerZ1BySpeed.size() ? kRollerZ1BySpeed[speed] : 23;
        out.z1Label = "{" + speedText + "}";
        x = static_cast<double>(text::roundHalfEven(out.z1)) * *ratio;
    } else {
        out.z1 = static_cast<double>(text::roundHalfEven(38 - 3 * *ratio));
        x = out.z1 * *ratio;
    }
    out.z2CalcText = text::fixedPadded(x, 5, 2);
    out.z2Calc = text::parseDecimal(text::trimmed(out.z2CalcText)).value_or(x);
    out.z2 = proposeLargeCount(x, inputs.ratioDir);
    return out;
}

} // namespace zorvane::design
