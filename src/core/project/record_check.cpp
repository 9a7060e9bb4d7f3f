#include "core/project/record_check.h"
#include "core/design/chain_design.h"

#include "core/design/computable_range.h"
#include "core/design/initial_conditions.h"
#include "core/design/reference_data.h"
#include "core/project/byte_io.h"
#include "core/roller/roller_record.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/text/ascii_case.h"
#include "core/text/gbk.h"
#include "core/toothed/toothed_record.h"

#include <charconv>
#include <cmath>
#include <span>

namespace zorvane::project {

namespace {

using design::Chain;

// What a field must hold once the step that sets it is done.
enum class Rule {
    Input,        // within `range`, a whole number when `whole`
    Positive,     // above zero
    Percent,      // a hundredth of a value within `range`
    Bounded,      // within `bound`, what no real chain drive leaves
    Finite,       // any finite number
    LifeOrNone,   // -1 (no life required) or a positive number of hours
    GivenInput,   // within `range` when an initial centre distance was given
    GivenPercent, // a hundredth of a value within `range`, when it was given
    Item,         // a list index from `lowest` to `highest`, checked whether or not done
    Switch,       // 0 or 1, checked whether or not done
    Kind,         // the chain's kind code, matching the file header, checked always
    Choice,       // one of `choices`
    OwnText,      // one of `choices` or a text of the user's own (the list is editable)
    ChainNumber,  // a chain number of the chain number table, whose pitch is the record's
    TabledPitch,  // a pitch of the toothed chain pitch table
};

// Step tags the two chains share: the initial conditions, the tooth counts and the pitch.
constexpr int kInit = 12;
constexpr int kTeeth = 13;
constexpr int kPitch = 14;

template <class Field> struct FieldRule {
    Field field;
    int step; // the tag of the step that sets the field; 0 for a rule checked always
    std::string_view label;
    Rule rule;
    const design::ComputableRange* range = nullptr;
    const design::PhysicalBound* bound = nullptr;
    bool whole = false;
    int lowest = 0;
    int highest = 0;
    std::span<const std::string_view> choices = {};
};

template <class Field>
constexpr FieldRule<Field> input(Field field, int step, const design::ComputableRange& range,
                                 bool whole = false) {
    return {field, step, range.input, Rule::Input, &range, nullptr, whole};
}
template <class Field>
constexpr FieldRule<Field> percent(Field field, int step, const design::ComputableRange& range) {
    return {field, step, range.input, Rule::Percent, &range};
}
template <class Field>
constexpr FieldRule<Field> bounded(Field field, int step, const design::PhysicalBound& bound) {
    return {field, step, bound.quantity, Rule::Bounded, nullptr, &bound};
}
template <class Field>
constexpr FieldRule<Field> computed(Field field, int step, std::string_view label,
                                    Rule rule = Rule::Positive) {
    return {field, step, label, rule};
}
template <class Field>
constexpr FieldRule<Field> given(Field field, const design::ComputableRange& range, Rule rule) {
    return {field, kInit, range.input, rule, &range};
}
template <class Field>
constexpr FieldRule<Field> item(Field field, std::string_view label, int lowest,
                                std::size_t count) {
    return {
        field, 0, label, Rule::Item, nullptr, nullptr, false, lowest, static_cast<int>(count) - 1};
}
template <class Field> constexpr FieldRule<Field> onOff(Field field, std::string_view label) {
    return {field, 0, label, Rule::Switch};
}
template <class Field>
constexpr FieldRule<Field> text(Field field, int step, std::string_view label, Rule rule,
                                std::span<const std::string_view> choices = {}) {
    return {field, step, label, rule, nullptr, nullptr, false, 0, 0, choices};
}

// The tensioner list is editable: a text of the user's own is item -1.
constexpr int kOwnItem = -1;

// The roller chain record: each field, the step that sets it and what it must hold.
namespace r {
using F = roller::RollerField;
constexpr int kSpeed = 15, kInitA0 = 16, kCentre = 17, kForce = 18, kStrength = 19, kWear = 21;
constexpr std::array<FieldRule<F>, 45> kRules{{
    text(F::ChainKind, 0, "链种类", Rule::Kind),
    input(F::Power, kInit, design::kPowerRange),
    computed(F::KA, kInit, "工况系数"),
    input(F::n1, kInit, design::kSpeedRange),
    item(F::SpeedClass, "传动速度", 0, design::kSpeedItems.size()),
    computed(F::i, kTeeth, "实际传动比"),
    input(F::iInit, kInit, design::kRatioRange),
    percent(F::iTol, kInit, design::kRatioTolRange),
    input(F::z1, kTeeth, design::kSmallTeethRange, true),
    computed(F::z2Calc, kInit, "大链轮计算齿数", Rule::Finite),
    input(F::z2, kTeeth, design::kLargeTeethRange, true),
    bounded(F::a0, kInitA0, design::kInitialCentreBound),
    computed(F::Pd, kPitch, "设计功率"),
    computed(F::Kp, kPitch, "多排系数"),
    input(F::p, kPitch, design::kPitchRange),
    computed(F::Lp, kInitA0, "链节数"),
    bounded(F::a, kCentre, design::kCentreBound),
    bounded(F::aReal, kCentre, design::kActualCentreBound),
    bounded(F::v, kSpeed, design::kChainSpeedBound),
    bounded(F::Ft, kForce, design::kPullBound),
    bounded(F::FQ, kForce, design::kShaftLoadBound),
    computed(F::S, kStrength, "静强度安全系数"),
    computed(F::b2, kStrength, "内链节外宽"),
    computed(F::dz, kStrength, "销轴直径"),
    computed(F::T, kInit, "使用寿命", Rule::LifeOrNone),
    computed(F::T, kWear, "使用寿命", Rule::LifeOrNone),
    computed(F::pr, kStrength, "铰链比压"),
    text(F::ChainNo, kPitch, "链号", Rule::ChainNumber),
    computed(F::Q, kStrength, "极限拉伸载荷"),
    input(F::Rows, kPitch, design::kRowsRange, true),
    computed(F::dr, kStrength, "滚子外径"),
    computed(F::pt, kStrength, "排距"),
    computed(F::h, kStrength, "内链板高度"),
    onOff(F::LifeAccepted, "寿命校核的结论"),
    onOff(F::Adjustable, "中心距可调整"),
    onOff(F::HasTensioner, "张紧装置"),
    item(F::TensionerKind, "张紧装置的种类", kOwnItem, design::kTensionerItems.size()),
    onOff(F::Pulsating, "脉动"),
    onOff(F::HasInitA0, "中心距初值"),
    given(F::InitA0, design::kInitA0Range, Rule::GivenInput),
    text(F::A0Dir, kInit, "中心距初值的调整方向", Rule::OwnText, design::kFloatItems),
    given(F::A0Tol, design::kA0PercentRange, Rule::GivenPercent),
    text(F::iDir, kInit, "传动比误差的方向", Rule::Choice, design::kRatioDirItems),
    item(F::LubCond, "润滑条件", 0, design::kLubItems.size()),
    item(F::Layout, "传动种类", 0, design::kLayoutItems.size()),
}};
} // namespace r

// The toothed chain record.
namespace d {
using F = toothed::ToothedField;
constexpr int kUnitPower = 15, kInitA0 = 16, kCentre = 17, kSpeed = 18, kForce = 19;
constexpr std::array<FieldRule<F>, 33> kRules{{
    text(F::ChainKind, 0, "链种类", Rule::Kind),
    input(F::Power, kInit, design::kPowerRange),
    computed(F::KA, kInit, "工况系数"),
    input(F::n1, kInit, design::kSpeedRange),
    computed(F::i, kTeeth, "实际传动比"),
    input(F::iInit, kInit, design::kRatioRange),
    percent(F::iTol, kInit, design::kRatioTolRange),
    input(F::z1, kTeeth, design::kSmallTeethRange, true),
    input(F::z2, kTeeth, design::kLargeTeethRange, true),
    computed(F::z2Calc, kInit, "大链轮计算齿数", Rule::Finite),
    bounded(F::a0, kInitA0, design::kInitialCentreBound),
    computed(F::P0, kUnitPower, "单位宽额定功率"),
    computed(F::Kz, kUnitPower, "齿数系数"),
    computed(F::Pd, kUnitPower, "设计功率"),
    input(F::p, kPitch, design::kPitchRange),
    text(F::p, kUnitPower, "链条节距", Rule::TabledPitch),
    computed(F::Lp, kInitA0, "链节数"),
    bounded(F::a, kCentre, design::kCentreBound),
    bounded(F::aReal, kCentre, design::kActualCentreBound),
    bounded(F::v, kSpeed, design::kChainSpeedBound),
    item(F::SpeedClass, "传动速度", 0, design::kSpeedItems.size()),
    bounded(F::Ft, kForce, design::kPullBound),
    bounded(F::FQ, kForce, design::kShaftLoadBound),
    onOff(F::Adjustable, "中心距可调整"),
    onOff(F::HasTensioner, "张紧装置"),
    item(F::TensionerKind, "张紧装置的种类", kOwnItem, design::kTensionerItems.size()),
    onOff(F::Pulsating, "脉动"),
    onOff(F::HasInitA0, "中心距初值"),
    given(F::InitA0, design::kInitA0Range, Rule::GivenInput),
    text(F::A0Dir, kInit, "中心距初值的调整方向", Rule::OwnText, design::kFloatItems),
    given(F::A0Tol, design::kA0PercentRange, Rule::GivenPercent),
    text(F::iDir, kInit, "传动比误差的方向", Rule::Choice, design::kRatioDirItems),
    item(F::Layout, "传动种类", 0, design::kLayoutItems.size()),
}};
} // namespace d

// Pitches of the chain number and pitch tables that are the same pitch lie 3 mm and more apart.
constexpr double kPitchMatchMm = 1e-6;

// A bound as the user reads it: plain decimals, no exponent.
std::string plain(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return error == std::errc{} ? std::string(buffer, end) : std::string("?");
}

// Done by the file's flags: the step itself, or a later step of the chain, which computed with
// what this step set.
bool settled(const ProjectImage& image, Chain chain, int tag) {
    if (tag == 0 || stepDoneInFile(image, tag)) {
        return true;
    }
    const auto position = design::positionOfTag(chain, tag);
    if (!position) {
        return false;
    }
    for (const auto& step : design::steps(chain)) {
        if (step.position > *position && stepDoneInFile(image, step.tag)) {
            return true;
        }
    }
    return false;
}

template <class Layout> class RecordChecker {
public:
    using Record = records::FixedRecord<Layout>;
    using Field = typename Layout::Field;

    RecordChecker(const ProjectImage& image, Chain chain, const ReferenceChains& reference,
                  const std::string& fileName)
        : image_(image), chain_(chain), reference_(reference), fileName_(fileName),
          record_(Record::fromBytes(std::span(
              reinterpret_cast<const std::uint8_t*>(image.record.data()), image.record.size()))) {}

    void check(std::span<const FieldRule<Field>> rules) const {
        // Every number of the record is finite, whatever its step.
        for (const auto& entry : Layout::fields) {
            if (entry.type == records::FieldType::Double &&
                !std::isfinite(record_.getDouble(entry.field))) {
                fail(labelOf(rules, entry.field), "不是有限的数值");
            }
        }
        for (const auto& rule : rules) {
            if (settled(image_, chain_, rule.step)) {
                checkOne(rule);
            }
        }
    }

private:
    static std::string_view labelOf(std::span<const FieldRule<Field>> rules, Field field) {
        for (const auto& rule : rules) {
            if (rule.field == field) {
                return rule.label;
            }
        }
        return "数值";
    }

    [[noreturn]] void fail(std::string_view label, const std::string& what) const {
        throw ProjectError("项目文件“" + fileName_ + "”无法打开：设计记录中的“" +
                           std::string(label) + "”" + what);
    }

    bool initialA0Given() const { return record_.getBool(Field::HasInitA0); }

    // The text of a short-string field, or nothing when its bytes are no text.
    std::optional<std::string> textOf(Field field) const {
        const auto& entry = Record::entry(field);
        if (record_.bytes()[entry.offset] > entry.capacity) {
            return std::nullopt;
        }
        try {
            const std::string value = record_.getText(field);
            for (const char c : value) {
                if (static_cast<unsigned char>(c) < 0x20) {
                    return std::nullopt;
                }
            }
            return value;
        } catch (const text::EncodingError&) {
            return std::nullopt;
        }
    }

    void checkRange(const FieldRule<Field>& rule, double value) const {
        const auto& range = *rule.range;
        const bool whole = !rule.whole || value == std::floor(value);
        if (!design::withinRange(range, value) || !whole) {
            fail(rule.label, std::string("应为 ") + plain(range.lowest) + " 到 " +
                                 plain(range.highest) + " 之间的" + (rule.whole ? "整数" : "数值"));
        }
    }

    void checkOne(const FieldRule<Field>& rule) const {
        switch (rule.rule) {
        case Rule::Input:
            checkRange(rule, record_.getDouble(rule.field));
            break;
        case Rule::Positive:
            if (!(record_.getDouble(rule.field) > 0)) {
                fail(rule.label, "应为正数");
            }
            break;
        case Rule::Percent:
            checkRange(rule, 100 * record_.getDouble(rule.field));
            break;
        case Rule::Bounded: {
            const auto& bound = *rule.bound;
            const double value = record_.getDouble(rule.field);
            if (!(value > 0) || !design::withinBound(bound, value)) {
                fail(rule.label, "应为 " + plain(bound.lowest) + " 到 " + plain(bound.highest) +
                                     " " + std::string(bound.unit) + " 之间的正数");
            }
            break;
        }
        case Rule::Finite:
            break; // every number was checked finite above
        case Rule::LifeOrNone: {
            const double life = record_.getDouble(rule.field);
            if (life != -1 && !(life > 0)) {
                fail(rule.label, "应为正数，或为 -1（不要求寿命）");
            }
            break;
        }
        case Rule::GivenInput:
            if (initialA0Given()) {
                checkRange(rule, record_.getDouble(rule.field));
            }
            break;
        case Rule::GivenPercent:
            if (initialA0Given()) {
                checkRange(rule, 100 * record_.getDouble(rule.field));
            }
            break;
        case Rule::Item: {
            const std::int32_t value = record_.getInt(rule.field);
            if (value < rule.lowest || value > rule.highest) {
                fail(rule.label, "的列表序号应在 " + std::to_string(rule.lowest) + " 到 " +
                                     std::to_string(rule.highest) + " 之间，而不是 " +
                                     std::to_string(value));
            }
            break;
        }
        case Rule::Switch:
            if (record_.bytes()[Record::entry(rule.field).offset] > 1) {
                fail(rule.label, "的开关应为 0 或 1");
            }
            break;
        case Rule::Kind:
            checkKind(rule);
            break;
        case Rule::Choice:
        case Rule::OwnText:
            checkChoice(rule);
            break;
        case Rule::ChainNumber:
            checkChainNumber(rule);
            break;
        case Rule::TabledPitch:
            checkTabledPitch(rule);
            break;
        }
    }

    void checkKind(const FieldRule<Field>& rule) const {
        const auto kind = textOf(rule.field);
        const std::string expected = design::chainKind(chain_).recordKind;
        if (!kind || *kind != expected || !text::equalIgnoringAsciiCase(image_.kind, expected)) {
            fail(rule.label, "与文件头的链种类标记不符");
        }
    }

    void checkChoice(const FieldRule<Field>& rule) const {
        const auto value = textOf(rule.field);
        if (!value) {
            fail(rule.label, "不是有效的文字");
        }
        if (rule.rule == Rule::OwnText) {
            return;
        }
        for (const auto choice : rule.choices) {
            if (*value == choice) {
                return;
            }
        }
        std::string allowed;
        for (const auto choice : rule.choices) {
            allowed += (allowed.empty() ? "“" : "、“") + std::string(choice) + "”";
        }
        fail(rule.label, "应为" + allowed + "之一");
    }

    void checkChainNumber(const FieldRule<Field>& rule) const {
        const auto number = textOf(rule.field);
        if (!number) {
            fail(rule.label, "不是有效的文字");
        }
        if constexpr (std::is_same_v<Field, roller::RollerField>) {
            for (const auto& [chainNo, pitch] : reference_.rollerChains) {
                if (chainNo == *number) {
                    if (std::fabs(record_.getDouble(Field::p) - pitch) > kPitchMatchMm) {
                        fail("链条节距", "与链号表“ChainNoNd”中链号“" + chainNo + "”的节距不符");
                    }
                    return;
                }
            }
        }
        fail(rule.label, "“" + *number + "”不在链号表“ChainNoNd”中");
    }

    void checkTabledPitch(const FieldRule<Field>& rule) const {
        const double p = record_.getDouble(rule.field);
        for (const double pitch : reference_.toothedPitches) {
            if (std::fabs(p - pitch) <= kPitchMatchMm) {
                return;
            }
        }
        fail(rule.label, "不在齿形链节距表“Dc”中");
    }

    const ProjectImage& image_;
    Chain chain_;
    const ReferenceChains& reference_;
    const std::string& fileName_;
    Record record_;
};

} // namespace

bool stepDoneInFile(const ProjectImage& image, int tag) {
    const auto controls = controlList(image.listChain());
    for (std::size_t i = 0; i < kDoneFlagControls && i < controls.size() && i < image.states.size();
         ++i) {
        if (controls[i].kind == ControlKind::StepButton && image.states[i].done == 1 &&
            stepTagOf(controls[i].name) == tag) {
            return true;
        }
    }
    return false;
}

ReferenceChains readReferenceChains(const std::filesystem::path& databaseDir, Chain chain,
                                    const std::string& fileName) {
    const bool roller = chain == Chain::Roller;
    const std::string name = roller ? "ChainNoNd" : "Dc";
    ReferenceChains reference;
    try {
        design::checkReferenceTable(databaseDir, name);
        store::Table table(databaseDir, name);
        table.open();
        for (table.first(); !table.eof(); table.next()) {
            const double pitch = table.number("节距").value_or(0);
            if (roller) {
                reference.rollerChains.emplace_back(table.text("链号"), pitch);
            } else {
                reference.toothedPitches.push_back(pitch);
            }
        }
    } catch (const std::exception&) {
        throw ProjectError("无法检查项目文件“" + fileName + "”：参考数据表“" + name +
                           "”不可用，请检查数据库目录");
    }
    return reference;
}

void checkDesignRecord(const ProjectImage& image, const ReferenceChains& reference,
                       const std::string& fileName) {
    const Chain chain = image.listChain();
    if (chain == Chain::Roller) {
        RecordChecker<roller::RollerRecordLayout>(image, chain, reference, fileName)
            .check(std::span<const FieldRule<roller::RollerField>>(r::kRules));
    } else {
        RecordChecker<toothed::ToothedRecordLayout>(image, chain, reference, fileName)
            .check(std::span<const FieldRule<toothed::ToothedField>>(d::kRules));
    }
}

} // namespace zorvane::project
