#include "core/toothed/toothed_record.h"

namespace zorvane::toothed {

void TD_Design::SetKind(std::string_view text) {
    rec_.setText(TD_Field::ChainKind, text);
}

std::string TD_Design::GetKind() const {
    return rec_.getText(TD_Field::ChainKind);
}

void TD_Design::SetValue(TD_Field field, double value) {
    rec_.setDouble(field, value);
}

} // namespace zorvane::toothed
