#include "core/project/project_save.h"
#include "core/design/chain_design.h"

#include "core/project/control_states.h"
#include "core/project/project_check.h"
#include "core/project/project_codec.h"
#include "core/text/ascii_case.h"

namespace zorvane::project {

using design::Chain;

ProjectSaver::ProjectSaver(design::DesignSession& session, Chain listChain)
    : session_(session), listChain_(listChain) {}

void ProjectSaver::SetDesignRecord() {
    if (const auto* design = session_.design()) {
        const auto bytes = design->recordBytes();
        image_.record.assign(bytes.begin(), bytes.end());
        KindMarker = design->recordKindMark();
    }
}

void ProjectSaver::CaptureControlStates() {
    captureControlStates(session_, listChain_, image_);
}

void ProjectSaver::CaptureStepFlags() {
    captureStepFlags(session_, listChain_, image_);
}

void ProjectSaver::Save() {
    const auto& state = session_.state();
    image_.emptyDesign = state.IsEmptyDesign || !session_.chain();
    if (!image_.emptyDesign) {
        if (image_.record.empty()) {
            SetDesignRecord();
        }
        image_.kind = KindMarker;
        const Chain chain = *session_.chain();
        if (session_.status().done(design::sprocketTag(chain))) {
            PicturePath = (session_.databaseDir() / design::chainKind(chain).sizePicture).string();
        }
        image_.picturePath = headerPath(PicturePath);
        image_.work = readWorkFiles(session_.databaseDir());
    }
    listChain_ = image_.listChain();
    const auto& designer = session_.designer().bytes();
    std::copy(designer.begin(), designer.end(), image_.designer.begin());
    CaptureControlStates();
    CaptureStepFlags();
    writeProject(FilePath, image_);
}

void ProjectSaver::Load() {
    checkProjectSize(FilePath);
    image_ = readProject(FilePath);
    listChain_ = image_.listChain();
    KindMarker = image_.kind;
    checkProject(image_, session_.databaseDir(), FilePath.string());
}

void ProjectSaver::ApplyLoaded() {
    if (!image_.emptyDesign) {
        restoreWorkFiles(*session_.workspace(), session_.databaseDir(), image_);
    }
    restoreControlStates(session_, image_);
    if (image_.emptyDesign) {
        return;
    }
    session_.designer().LoadDialog(records::DesignerRec::fromBytes(image_.designer));
    auto& state = session_.state();
    state.IsSaved = true;
    state.IsNewDesign = false;
    state.IsEmptyDesign = false;
    const Chain chain =
        text::equalIgnoringAsciiCase(KindMarker, "R") ? Chain::Roller : Chain::Toothed;
    session_.installLoadedDesign(
        chain, std::span(reinterpret_cast<const std::uint8_t*>(image_.record.data()),
                         image_.record.size()));
}

} // namespace zorvane::project
