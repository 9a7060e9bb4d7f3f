#include "core/project/project_save.h"

#include "core/project/control_states.h"
#include "core/project/project_check.h"
#include "core/project/project_codec.h"
#include "core/text/ascii_case.h"

namespace zorvane::project {

using design::Chain;

TProjectSave::TProjectSave(design::DesignSession& session, Chain listChain)
    : session_(session), listChain_(listChain) {}

void TProjectSave::SetDesignRecord() {
    if (const auto* design = session_.design()) {
        const auto bytes = design->recordBytes();
        image_.record.assign(bytes.begin(), bytes.end());
        KindMarker = design->recordKindMark();
    }
}

void TProjectSave::CaptureControlStates() {
    captureControlStates(session_, listChain_, image_);
}

void TProjectSave::CaptureStepFlags() {
    captureStepFlags(session_, listChain_, image_);
}

void TProjectSave::Save() {
    const auto& state = session_.state();
    image_.emptyDesign = state.IsEmptyDesign || !session_.chain();
    if (!image_.emptyDesign) {
        if (image_.record.empty()) {
            SetDesignRecord();
        }
        image_.kind = KindMarker;
        const Chain chain = *session_.chain();
        if (session_.status().done(design::sprocketTag(chain))) {
            PicturePath =
                (session_.databaseDir() / (chain == Chain::Roller ? "RWheel.bmp" : "DWheel.bmp"))
                    .string();
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

void TProjectSave::Load() {
    checkProjectSize(FilePath);
    image_ = readProject(FilePath);
    listChain_ = image_.listChain();
    KindMarker = image_.kind;
    checkProject(image_, session_.databaseDir(), FilePath.string());
}

void TProjectSave::ApplyLoaded() {
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
