#include "core/design/session.h"

#include "core/design/reference_data.h"
#include "core/design/step_dispatcher.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/records/working_tables.h"
#include "core/store/reference_snapshot.h"
#include "core/store/store_error.h"

#include <array>

namespace zorvane::design {

namespace {

constexpr int kInitialConditionsTag = 12;
// The panels a new start or a new chain type hides besides those of the discarded chain.
constexpr std::array<Panel, 4> kShellPanels{Panel::InitA0, Panel::Select, Panel::Init, Panel::A};

} // namespace

DesignSession::DesignSession(std::filesystem::path appDir, Interaction& ui,
                             records::DesignerInfo designer)
    : DesignSession(appDir, appDir / "database", ui, std::move(designer)) {}

DesignSession::DesignSession(std::filesystem::path appDir, std::filesystem::path databaseDir,
                             Interaction& ui, records::DesignerInfo designer)
    : DesignSession(std::move(appDir), std::move(databaseDir), ui, std::move(designer), nullptr) {
    try {
        workspace_ = std::make_unique<store::Workspace>(databaseDir_, records::workingTables());
    } catch (const store::StoreError& error) {
        workspaceProblem_ = error.what();
        workspaceFailure_ = std::current_exception();
    }
}

DesignSession::DesignSession(std::filesystem::path appDir, std::filesystem::path databaseDir,
                             Interaction& ui, records::DesignerInfo designer,
                             std::unique_ptr<store::Workspace> workspace)
    : appDir_(std::move(appDir)), databaseDir_(std::move(databaseDir)),
      projectPath_(appDir_ / "Unnamed.chn"), workspace_(std::move(workspace)), ui_(ui),
      designer_(std::move(designer)), steps_(std::make_unique<StepDispatcher>(*this)) {}

std::unique_ptr<DesignSession>
DesignSession::inMemory(std::shared_ptr<const store::ReferenceSnapshot> references, Interaction& ui,
                        records::DesignerInfo designer) {
    const std::filesystem::path databaseDir = references->directory();
    auto workspace =
        std::make_unique<store::Workspace>(std::move(references), records::workingTables());
    return std::unique_ptr<DesignSession>(new DesignSession(
        databaseDir.parent_path(), databaseDir, ui, std::move(designer), std::move(workspace)));
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
    if (design_) {
        return design_->chain();
    }
    return std::nullopt;
}

bool DesignSession::confirmLeavingDesign() {
    if (!hasUnsavedWork()) {
        return true;
    }
    switch (askYesNoCancel(ui_, "设计过程已修改，是否保存？")) {
    case Answer::Yes:
        state_.SaveSucceeded = false;
        if (save) {
            save();
        }
        return state_.SaveSucceeded;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void DesignSession::beginNewDesign() {
    if (!workspace_) {
        showError(ui_, workspaceProblem_);
        return;
    }
    if (!confirmLeavingDesign()) {
        return;
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
    design_.reset();
    gate_.ResetStepsFrom(c, 0);
    state_.panelOf(c).visible = false;
    const ChainKind& kind = chainKind(c);
    for (Panel panel : kind.ownPanels) {
        gate_.hidePanel(panel);
    }
    gate_.hidePanel(kind.toothCounts.panel);
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
    const ChainKind& kind = chainKind(c);
    auto history = std::make_unique<records::DesignHistory>(databaseDir_, kind.historyKind, true);
    history->OpenTemplate(kind.recordKind);
    auto results = std::make_unique<records::ResultTables>(databaseDir_, kind.recordKind, true);
    design_ = makeChainDesign(c, *this, record);
    results_ = std::move(results);
    history_ = std::move(history);
    state_.status[1] = kind.statusTitle;
    state_.designMenuEnabled = true;
    // The end label follows the steps done, as the steps themselves set it.
    auto& panel = state_.panelOf(c);
    const int last = lastPosition(c);
    panel.endLabel.enabled = status_.done(stepAt(c, last - 1).tag);
    panel.endLabel.blue = status_.done(stepAt(c, last).tag);
    if (panel.endLabel.blue) {
        state_.sizePicture = (databaseDir_ / kind.sizePicture).string();
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
    const ChainKind& kind = chainKind(c);
    auto results = std::make_unique<records::ResultTables>(databaseDir_, kind.recordKind, false);
    auto history = std::make_unique<records::DesignHistory>(databaseDir_, kind.historyKind, false);
    designer_.SetDesignKind("链传动");
    designer_.SetDesignForm(kind.designForm);
    design_ = makeChainDesign(c, *this);
    design_->takeChainType(inputs);
    state_.status[1] = kind.statusTitle;
    results_ = std::move(results);
    history_ = std::move(history);
    for (auto& panel : {&state_.roller, &state_.toothed}) {
        panel->visible = false;
    }
    state_.panelOf(c).visible = true;
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

} // namespace zorvane::design
