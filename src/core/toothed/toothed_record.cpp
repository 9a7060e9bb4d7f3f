#include "core/toothed/toothed_record.h"

namespace zorvane::toothed {

void ToothedEngine::SetKind(std::string_view text) {
    rec_.setText(ToothedField::ChainKind, text);
}

std::string ToothedEngine::GetKind() const {
    return rec_.getText(ToothedField::ChainKind);
}

void ToothedEngine::SetValue(ToothedField field, double value) {
    rec_.setDouble(field, value);
}

} // namespace zorvane::toothed
