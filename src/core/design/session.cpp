#include "core/design/session.h"

#include "core/design/reference_data.h"
#include "core/profile/design_profiles.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/records/working_tables.h"
#include "core/report/report_source.h"
#include "core/roller/roller_record.h"
#include "core/store/store_error.h"
#include "core/toothed/toothed_record.h"

#include <array>
#include <type_traits>

namespace zorvane::design {

namespace {

constexpr int kRollerSprocketTag = 22;
constexpr int kToothedSprocketTag = 20;
constexpr int kInitialConditionsTag = 12;
// The panels a new start or a new chain type hides besides those of the discarded chain.
constexpr std::array<Panel, 4> kShellPanels{Panel::InitA0, Panel::Select, Panel::Init, Panel::A};

// The initial conditions into the record of either chain; the fields of both records carry the
// same names, and the roller record holds a few more.
template <class Field, class Engine> void storeInto(Engine& engine, const InitOutcome& out) {
    auto& rec = engine.record();
    rec.setDouble(Field::iTol, out.ratioTol);
    rec.setText(Field::iDir, out.ratioDirText);
    engine.SetValue(Field::iInit, out.ratio);
    rec.setBool(Field::Adjustable, out.adjustable);
    rec.setBool(Field::HasTensioner, out.hasTensioner);
    rec.setBool(Field::Pulsating, out.pulsating);
    rec.setBool(Field::HasInitA0, out.hasInitA0);
    rec.setText(Field::A0Dir, out.a0DirText);
    rec.setInt(Field::TensionerKind, out.tensionerKind);
    engine.SetValue(Field::Power, out.power);
    engine.SetValue(Field::n1, out.n1);
    rec.setInt(Field::Layout, out.layout);
    rec.setInt(Field::SpeedClass, out.speedClass);
    if constexpr (std::is_same_v<Field, roller::TR_Field>) {
        rec.setInt(Field::LubCond, out.lubCond);
    }
    engine.SetValue(Field::z1, out.z1);
    engine.SetValue(Field::z2Calc, out.z2Calc);
    engine.SetValue(Field::z2, out.z2);
    engine.SetValue(Field::KA, out.ka);
    if (out.a0Tol) {
        engine.SetValue(Field::A0Tol, *out.a0Tol);
    }
}

// What a failed confirmation still stores: the values of the checks that passed before it.
template <class Field, class Engine> void storeChecked(Engine& engine, const InitOutcome& out) {
    if constexpr (std::is_same_v<Field, roller::TR_Field>) {
        if (out.life) {
            engine.SetValue(Field::T, *out.life);
        }
    }
    if (out.initA0) {
        engine.SetValue(Field::InitA0, *out.initA0);
    }
}

} // namespace

DesignSession::DesignSession(std::filesystem::path appDir, Interaction& ui,
                             records::DesignerInfo designer)
    : DesignSession(appDir, appDir / "database", ui, std::move(designer)) {}

DesignSession::DesignSession(std::filesystem::path appDir, std::filesystem::path databaseDir,
                             Interaction& ui, records::DesignerInfo designer)
    : appDir_(std::move(appDir)), databaseDir_(std::move(databaseDir)),
      projectPath_(appDir_ / "Unnamed.chn"), ui_(ui), designer_(std::move(designer)) {
    try {
        workspace_ = std::make_unique<store::Workspace>(databaseDir_, records::workingTables());
    } catch (const store::StoreError& error) {
        workspaceProblem_ = error.what();
        workspaceFailure_ = std::current_exception();
    }
}

void DesignSession::requireWorkspace() const {
    if (workspaceFailure_) {
        std::rethrow_exception(workspaceFailure_);
    }
}

DesignSession::~DesignSession() {
    // The design's tables go before the workspace whose connection they use.
    results_.reset();
    history_.reset();
}

std::vector<std::string> DesignSession::workspaceRepairs() const {
    return workspace_ ? workspace_->repairs() : std::vector<std::string>();
}

std::optional<Chain> DesignSession::chain() const {
    if (roller_) {
        return Chain::Roller;
    }
    if (toothed_) {
        return Chain::Toothed;
    }
    return std::nullopt;
}

void DesignSession::beginNewDesign() {
    if (!workspace_) {
        showError(ui_, workspaceProblem_);
        return;
    }
    const bool complete = status_.done(kRollerSprocketTag) || status_.done(kToothedSprocketTag);
    if (complete && !state_.IsSaved) {
        switch (askYesNoCancel(ui_, "设计过程已修改，是否保存？")) {
        case Answer::Yes:
            state_.SaveSucceeded = false;
            if (save) {
                save();
            }
            if (!state_.SaveSucceeded) {
                return;
            }
            break;
        case Answer::No:
            break;
        default:
            return;
        }
    }
    if (status_.done(kTagBegin)) {
        if (askYesNo(ui_, "确实要重新开始？") != Answer::Yes) {
            return;
        }
        gate_.switchToTab(Tab::WorkSpace);
        discardDesign();
        state_.begin.blue = false;
        state_.select.blue = false;
        state_.select.visible = false;
        for (Panel panel : kShellPanels) {
            gate_.hidePanel(panel);
        }
        status_.ClearFrom(kTagBegin);
    } else {
        gate_.switchToTab(Tab::WorkSpace);
        state_.reportsEnabled = false;
    }
    state_.scrollStepsToTop = true;
    state_.IsSaved = false;
    designer_.show(ui_); // its answer does not matter here
    state_.select.visible = true;
    state_.designMenuEnabled = true;
    state_.windowTitle = "Zorvane [Unnamed.CHN]";
    state_.IsUnnamed = true;
    state_.IsEmptyDesign = true;
    state_.begin.blue = true;
    state_.select.enabled = true;
    state_.status[2] = "以更改";
    status_.MarkDone(kTagBegin);
    state_.IsNewDesign = true;
}

void DesignSession::discardDesign(bool emptyTables) {
    const auto current = chain();
    if (!current) {
        return;
    }
    const Chain c = *current;
    if (results_ && history_ && emptyTables) {
        if (status_.done(toothCountTag(c))) {
            results_->ClearTable("r");
            history_->ClearHistory();
        }
        if (status_.done(kInitialConditionsTag)) {
            results_->ClearTable("i");
        }
        if (status_.done(sprocketTag(c))) {
            results_->ClearSize();
        }
    }
    results_.reset();
    history_.reset();
    roller_.reset();
    toothed_.reset();
    gate_.ResetStepsFrom(c, 0);
    state_.panelOf(c).visible = false;
    if (c == Chain::Roller) {
        gate_.hidePanel(Panel::Intensity);
        gate_.hidePanel(Panel::Z);
    } else {
        gate_.hidePanel(Panel::Dz);
    }
}

void DesignSession::closeDesign(bool emptyTables) {
    gate_.switchToTab(Tab::WorkSpace);
    state_.querySide = false;
    discardDesign(emptyTables);
    for (Panel panel : kShellPanels) {
        gate_.hidePanel(panel);
    }
    state_.begin.blue = false;
    state_.select.blue = false;
    state_.select.visible = false;
    state_.sizeAreaVisible = false;
    state_.reportsEnabled = false;
    designer_.ClearKindForm();
    status_.ClearFrom(kTagBegin);
    state_.IsEmptyDesign = true;
}

void DesignSession::installLoadedDesign(Chain c, std::span<const std::uint8_t> record) {
    const bool roller = c == Chain::Roller;
    auto history =
        std::make_unique<records::TRecord_Class>(databaseDir_, roller ? "RD" : "DD", true);
    history->OpenTemplate(roller ? "R" : "D");
    auto results =
        std::make_unique<records::TResult_manage>(databaseDir_, roller ? "R" : "D", true);
    if (roller) {
        roller_ = std::make_unique<roller::TR_Design>(roller::TR_DesignRec::fromBytes(record));
    } else {
        toothed_ = std::make_unique<toothed::TD_Design>(toothed::TD_DesignRec::fromBytes(record));
    }
    results_ = std::move(results);
    history_ = std::move(history);
    state_.status[1] = roller ? "滚子链传动设计" : "齿形链传动 设计";
    state_.designMenuEnabled = true;
    // The end label follows the steps done, as the steps themselves set it.
    auto& panel = state_.panelOf(c);
    const int last = lastPosition(c);
    panel.endLabel.enabled = status_.done(stepAt(c, last - 1).tag);
    panel.endLabel.blue = status_.done(stepAt(c, last).tag);
    if (panel.endLabel.blue) {
        state_.sizePicture = (databaseDir_ / (roller ? "RWheel.bmp" : "DWheel.bmp")).string();
    }
}

void DesignSession::openChainTypeStep() {
    if (status_.done(kTagSelect)) {
        if (askYesNo(ui_, "确实要重新选择链种类？") != Answer::Yes) {
            return;
        }
        discardDesign();
        for (Panel panel : kShellPanels) {
            gate_.hidePanel(panel);
        }
        status_.ClearFrom(kTagSelect);
        state_.select.blue = false;
    }
    gate_.showPanel(Panel::Select);
    state_.focus = "btnSelOK";
}

void DesignSession::confirmChainType(const SelectInputs& inputs) {
    const Chain c = inputs.roller ? Chain::Roller : Chain::Toothed;
    // The design computes only from sound reference data: a table that is missing, damaged or
    // lacks what the steps read stops the design here, before anything is made.
    checkReferenceData(databaseDir_, c);
    // The working tables come first: a missing template leaves the design as it was.
    auto results =
        std::make_unique<records::TResult_manage>(databaseDir_, inputs.roller ? "R" : "D", false);
    auto history =
        std::make_unique<records::TRecord_Class>(databaseDir_, inputs.roller ? "RD" : "DD", false);
    designer_.SetDesignKind("链传动");
    if (inputs.roller) {
        designer_.SetDesignForm("滚子链");
        roller_ = std::make_unique<roller::TR_Design>();
        roller_->SetKind("R");
        if (const auto kp = multiRowFactor(inputs.rowItem)) {
            roller_->SetValue(roller::TR_Field::Kp, *kp);
        }
        roller_->SetValue(roller::TR_Field::Rows, rowCount(inputs.rowItem));
        state_.status[1] = "滚子链传动设计";
    } else {
        designer_.SetDesignForm("齿形链");
        toothed_ = std::make_unique<toothed::TD_Design>();
        toothed_->SetKind("D");
        state_.status[1] = "齿形链传动 设计";
    }
    results_ = std::move(results);
    history_ = std::move(history);
    state_.panelOf(c).visible = true;
    state_.panelOf(c == Chain::Roller ? Chain::Toothed : Chain::Roller).visible = false;
    auto& first = state_.panelOf(c).steps[0];
    first.enabled = true;
    first.blue = false;
    status_.MarkDone(kTagSelect);
    designer_.LoadDialog(designer_.record());
    gate_.hidePanel(Panel::Select);
    state_.IsEmptyDesign = false;
    state_.select.visible = true;
    state_.select.blue = true;
}

void DesignSession::cancelChainType() {
    gate_.hidePanel(Panel::Select);
}

void DesignSession::openInitialConditions() {
    const auto c = chain();
    if (!c || !gate_.prepareRun(*c, 0, ui_, results_.get(), history_.get())) {
        return;
    }
    gate_.showPanel(Panel::Init);
    state_.focus = "edtPower";
}

InitOutcome DesignSession::confirmInitialConditions(const InitInputs& inputs) {
    const Chain c = chain().value_or(Chain::Roller);
    initInputs_ = inputs;
    InitOutcome out = design::confirmInitialConditions(inputs, c, ui_);
    if (roller_) {
        storeChecked<roller::TR_Field>(*roller_, out);
    } else if (toothed_) {
        storeChecked<toothed::TD_Field>(*toothed_, out);
    }
    if (!out.confirmed) {
        return out;
    }
    storeInitialConditions(out);
    gate_.complete(c, 0);
    gate_.hidePanel(Panel::Init);
    gate_.switchToTab(Tab::Result);
    return out;
}

void DesignSession::storeInitialConditions(const InitOutcome& out) {
    if (roller_) {
        storeInto<roller::TR_Field>(*roller_, out);
        state_.lblz1 = out.z1Label;
        state_.lblCal_z2 = out.z2CalcText;
    } else if (toothed_) {
        storeInto<toothed::TD_Field>(*toothed_, out);
        state_.lblCal_Dz2 = out.z2CalcText;
    }
    for (const auto& row : out.rows) {
        results_->AddRow(row.item, row.value, row.unit, "i");
    }
}

void DesignSession::cancelInitialConditions() {
    gate_.hidePanel(Panel::Init);
}

void DesignSession::stepClicked(Chain c, int position) {
    if (chain() != c) {
        return;
    }
    if (position == 0) {
        openInitialConditions();
    } else if (c == Chain::Roller) {
        rollerSteps_.stepClicked(position);
    } else {
        toothedSteps_.stepClicked(position);
    }
}

void DesignSession::confirmInitialCentreDistance() {
    if (roller_) {
        rollerSteps_.Button3Click();
    } else if (toothed_) {
        toothedSteps_.Button3Click();
    }
}

void DesignSession::cancelInitialCentreDistance() {
    gate_.hidePanel(Panel::InitA0);
}

void DesignSession::confirmCentreDistanceChange() {
    if (roller_) {
        rollerSteps_.btnAOkClick();
    } else if (toothed_) {
        toothedSteps_.btnAOkClick();
    }
}

void DesignSession::cancelCentreDistanceChange() {
    gate_.hidePanel(Panel::A);
}

void DesignSession::setA0TolerancePercent(double percent) {
    if (roller_) {
        roller_->SetValue(roller::TR_Field::A0Tol, percent / 100);
    } else if (toothed_) {
        toothed_->SetValue(toothed::TD_Field::A0Tol, percent / 100);
    }
}

void DesignSession::showReport(report::ReportId report) {
    if (!state_.reportsEnabled) {
        return;
    }
    // The whole report is read before the preview opens, so a table that cannot be read stops
    // the command with nothing shown.
    const report::Document document = report::loadReport(report, databaseDir_);
    ui_.previewReport(document);
}

void DesignSession::exportProfiles() {
    if (!state_.reportsEnabled) {
        return;
    }
    const std::string proposed =
        projectPath_.empty() ? std::string("链轮齿形") : projectPath_.stem().string();
    profile::exportSprocketProfiles(ui_, databaseDir_, proposed);
}

} // namespace zorvane::design
