#include "core/roller/roller_record.h"

namespace zorvane::roller {

void RollerEngine::SetKind(std::string_view text) {
    rec_.setText(RollerField::ChainKind, text);
}

std::string RollerEngine::GetKind() const {
    return rec_.getText(RollerField::ChainKind);
}

void RollerEngine::SetValue(RollerField field, double value) {
    rec_.setDouble(field, value);
}

} // namespace zorvane::roller
