// The toothed chain design: what its record keeps from the chain type and the initial
// conditions, its step dispatch, and its steps 链轮齿数, 链条节距 (the pitch list) and
// 单位宽传递功率 (the width list).

#include "core/toothed/toothed_design.h"

#include "core/design/computable_range.h"
#include "core/design/reference_data.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::toothed {

using namespace design;

namespace {

// The toothed chain's texts and formats of the tooth-count step.
constexpr ToothCountRules kToothCountRules{"请正确输入小链轮齿数",
                                           "请正确输入张紧轮齿数",
                                           false,
                                           MessageIcon::Question,
                                           5,
                                           false,
                                           5,
                                           2,
                                           10,
                                           2};

} // namespace

const design::ChainKind& ToothedDesign::kind() const {
    return chainKind(Chain::Toothed);
}

std::vector<std::uint8_t> ToothedDesign::recordBytes() const {
    const auto& bytes = engine_.record().bytes();
    return {bytes.begin(), bytes.end()};
}

void ToothedDesign::takeChainType(const SelectInputs&) {
    engine_.SetKind("D");
}

void ToothedDesign::keepPassedChecks(const InitOutcome& outcome) {
    keepPassedCentreDistance<ToothedField>(engine_, outcome);
}

void ToothedDesign::keepInitialConditions(const InitOutcome& outcome, MainState& state) {
    keepInitialConditionsIn<ToothedField>(engine_, outcome);
    state.toothedZ2Calculated = outcome.z2CalcText;
}

void ToothedDesign::setCentreDistanceTolerance(double fraction) {
    engine_.SetValue(ToothedField::A0Tol, fraction);
}

ToothedDesign* designOf(DesignSession& session) {
    return dynamic_cast<ToothedDesign*>(session.design());
}

ToothedEngine* engineOf(const DesignSession& session) {
    auto* design = dynamic_cast<ToothedDesign*>(session.design());
    return design ? &design->engine() : nullptr;
}

bool ToothedDesign::ready() const {
    return s_.results() && s_.history();
}

void ToothedDesign::runStep(int position) {
    if (!ready()) {
        return;
    }
    switch (position) {
    case kNum:
        openToothCounts();
        return;
    case kNodeS:
        choosePitch();
        return;
    case kSingleP:
        chooseWidth();
        return;
    case kInitA0:
        proposeInitialCentreDistance();
        return;
    case kA:
        computeCentreDistance();
        return;
    case kV:
        computeChainSpeed();
        return;
    case kF:
        computeShaftLoad();
        return;
    case kWheel:
        computeSprocketSizes();
        return;
    default:
        return;
    }
}

// ---- 链轮齿数 ---------------------------------------------------------------------------------

void ToothedDesign::openToothCounts() {
    if (!ready() || !prepare(kNum)) {
        return;
    }
    showToothCounts(toothCountRecordOf<ToothedField>(rec()));
}

void ToothedDesign::checkSmallToothCount() {
    if (!ready()) {
        return;
    }
    auto& f = fields();
    const auto z1 = text::parseDecimal(f.toothedZ1);
    if (!z1 || *z1 != std::trunc(*z1)) {
        showError(ui(), "请正确输入小链轮齿数");
        focus("edtDz1");
        return;
    }
    if (*z1 <= 0) {
        showError(ui(), "链轮齿数必须为正整数!");
        focus("edtDz1");
        return;
    }
    if (!requireComputable(ui(), kSmallTeethRange, *z1)) {
        focus("edtDz1");
        return;
    }
    const double iInit = rec().getDouble(ToothedField::iInit);
    const auto recommended = static_cast<double>(text::roundHalfEven(38 - 3 * iInit));
    if (*z1 != recommended &&
        askYesNo(ui(),
                 "小链轮齿数输入值不是推荐值\"" + text::fixed(recommended, 5, 0) +
                     "\",您确定使用此数值吗?",
                 Answer::No) != Answer::Yes) {
        f.toothedZ1 = text::fixed(recommended, 0, 0);
        focus("edtDz1");
    }
    const double q = text::parseDecimal(f.toothedZ1).value_or(recommended) * iInit;
    state().toothedZ2Calculated = text::fixed(q, 6, 2);
    f.toothedZ2 =
        std::to_string(std::llround(proposeLargeCount(q, rec().getText(ToothedField::iDir))));
    if (f.toothedZiEnabled) {
        f.toothedZi = f.toothedZ1;
    }
}

bool ToothedDesign::checkIdlerToothCount() {
    return leaveIdlerToothCount(kToothCountRules);
}

bool ToothedDesign::checkLargeToothCount() {
    return leaveLargeToothCount();
}

void ToothedDesign::confirmToothCounts() {
    if (!ready()) {
        return;
    }
    confirmCounts(kNum, kToothCountRules, toothCountRecordOf<ToothedField>(rec()),
                  [this](double z1, double z2, double i) {
                      engine_.SetValue(ToothedField::z1, z1);
                      engine_.SetValue(ToothedField::z2, z2);
                      engine_.SetValue(ToothedField::i, i);
                  });
}

void ToothedDesign::cancelToothCounts() {
    s_.gate().hidePanel(Panel::Dz);
}

// ---- 链条节距 ---------------------------------------------------------------------------------

void ToothedDesign::choosePitch() {
    if (!ready() || !prepare(kNodeS)) {
        return;
    }
    std::vector<std::string> pitches;
    for (const auto pitch : ToothedEngine::PitchChoices(rec().getDouble(ToothedField::n1))) {
        pitches.emplace_back(pitch);
    }
    const auto answer =
        ui().chooseFromList("TfrmDNode", "选择链条节距", "可选择的节距值：", "节距：", pitches);
    if (!answer) {
        return; // cancelled: the step stays to do
    }
    const std::string chosen = text::trimmed(*answer);
    const auto p = text::parseDecimal(chosen);
    if (!p || *p <= 0) {
        showError(ui(), "节距“" + chosen + "”不是有效的数值。");
        return;
    }
    if (!requireComputable(ui(), kPitchRange, *p)) {
        return;
    }
    engine().SetValue(ToothedField::p, *p);
    row("链条节距", chosen, "mm");
    entry("链条节距", *p);
    complete(kNodeS);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 单位宽传递功率 ---------------------------------------------------------------------------

void ToothedDesign::chooseWidth() {
    if (!ready() || !prepare(kSingleP)) {
        return;
    }
    if (recordUnitWidthPower()) {
        complete(kSingleP);
        s_.gate().switchToTab(Tab::Result);
    }
}

void ToothedDesign::sendBack(const std::string& caption, const std::string& prompt,
                             const std::function<void()>& one, const std::function<void()>& two) {
    // What this run recorded goes first, so that the step can be run again cleanly whatever
    // the other step's question is answered.
    s_.results()->DeleteFrom("设计功率");
    s_.history()->DeleteFrom("设计功率");
    for (;;) {
        const std::string choice = PromptValue(ui(), caption, prompt, "1");
        if (choice == "1") {
            one();
            return;
        }
        if (choice == "2") {
            two();
            return;
        }
        showError(ui(), "必须输入1或2!");
    }
}

namespace {

std::vector<ToothedKzRow> readToothCoefficients(const std::filesystem::path& databaseDir) {
    checkReferenceTable(databaseDir, "dkz");
    std::vector<ToothedKzRow> rows;
    store::Table table(databaseDir, "dkz");
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        const auto z = table.number("小链轮齿数");
        const auto kz = table.number("齿数系数");
        if (z && kz) {
            rows.emplace_back(z.value_or(0), kz.value_or(0));
        }
    }
    return rows;
}

std::vector<std::string> widthChoices(const std::filesystem::path& databaseDir, double p,
                                      double requiredWidth) {
    checkReferenceTable(databaseDir, "Dc");
    checkReferenceTable(databaseDir, "DcChild");
    std::vector<ToothedPitchRow> pitches;
    store::Table dc(databaseDir, "Dc");
    dc.open();
    for (dc.first(); !dc.eof(); dc.next()) {
        const auto pitch = text::parseDecimal(text::trimmed(dc.text("节距")));
        const auto key = dc.number("编号");
        if (pitch && key) {
            pitches.push_back({pitch.value_or(0), std::llround(key.value_or(0))});
        }
    }
    std::vector<ToothedWidthRow> widths;
    store::Table dcChild(databaseDir, "DcChild");
    dcChild.open();
    for (dcChild.first(); !dcChild.eof(); dcChild.next()) {
        const auto key = dcChild.number("编号");
        const auto width = dcChild.number("链宽");
        if (key && width) {
            widths.push_back({std::llround(key.value_or(0)), width.value_or(0)});
        }
    }
    std::vector<std::string> texts;
    for (const double width : ToothedEngine::WidthChoices(pitches, widths, p, requiredWidth)) {
        texts.push_back(text::general(width));
    }
    return texts;
}

} // namespace

bool ToothedDesign::recordUnitWidthPower() {
    auto& r = rec();
    if (!engine().CalcDesignPower(readToothCoefficients(s_.databaseDir()))) {
        showError(ui(), "齿数系数表dkz中没有小链轮齿数" +
                            text::general(r.getDouble(ToothedField::z1)) +
                            "的齿数系数,无法计算设计功率。");
        return false;
    }
    const double pd = r.getDouble(ToothedField::Pd);
    row("设计功率", text::fixed(pd, 15, 3), "KW");
    entry("设计功率", pd);
    const auto p0 = engine().CalcRatedPower();
    if (!p0) {
        showInformation(ui(), "节距和链速不符,应重新计算!");
        sendBack(
            "选择重计算起始位置", "[1-重选节距；2-重选链速]", [this] { choosePitch(); },
            [this] {
                s_.steps().openInitialConditions();
                if (state().panelVisible(Panel::Init)) {
                    focus("edtn1");
                }
            });
        return false;
    }
    row("单位链宽传递额定功率", text::fixed(*p0, 10, 4), "KW");
    entry("每米宽传递额定功率", *p0);
    if (s_.initInputs().lub == 2) {
        row("润滑方式", std::string(engine().LubricationMethod()), "");
    }
    const auto widths = widthChoices(s_.databaseDir(), r.getDouble(ToothedField::p),
                                     ToothedEngine::RequiredWidth(pd, *p0));
    if (widths.empty()) {
        showInformation(ui(), "链宽无可选值,必须重新计算!");
        sendBack(
            "输入1或2", "[1-重选节距;2-重选齿数]", [this] { choosePitch(); },
            [this] { openToothCounts(); });
        return false;
    }
    for (;;) {
        const auto answer = ui().chooseFromList("Tfrmb", "选择链宽", "", "链宽：", widths);
        if (!answer) {
            return false; // cancelled: the step stays to do
        }
        const std::string chosen = text::trimmed(*answer);
        const auto width = text::parseDecimal(chosen);
        if (!width) {
            ui().ask({"错误信息", "链宽值有误!", MessageIcon::Error, Buttons::Ok, Answer::Ok});
        } else if (requireComputable(ui(), kWidthRange, *width)) {
            row("链宽", chosen, "mm");
            entry("链宽", *width);
            return true;
        }
    }
}

} // namespace zorvane::toothed
