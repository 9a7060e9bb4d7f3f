#include "core/roller/roller_record.h"

namespace zorvane::roller {

void TR_Design::SetKind(std::string_view text) {
    rec_.setText(TR_Field::ChainKind, text);
}

std::string TR_Design::GetKind() const {
    return rec_.getText(TR_Field::ChainKind);
}

void TR_Design::SetValue(TR_Field field, double value) {
    rec_.setDouble(field, value);
}

} // namespace zorvane::roller
