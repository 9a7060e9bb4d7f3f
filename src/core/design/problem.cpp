#include "core/design/problem.h"

#include "core/design/interaction.h"
#include "core/store/store_error.h"
#include "core/text/gbk.h"
#include "core/text/number_text.h"

#include <new>

namespace zorvane::design {

std::string failureMessage(const std::exception& error) {
    // These carry messages written for the user: what failed, and the table, file or input.
    if (dynamic_cast<const DesignProblem*>(&error) ||
        dynamic_cast<const store::StoreError*>(&error)) {
        return error.what();
    }
    if (dynamic_cast<const text::OutOfComputableRange*>(&error)) {
        return std::string("操作未能完成：") + error.what() +
               "，本步没有保存任何结果。请检查输入的数值。";
    }
    if (dynamic_cast<const text::EncodingError*>(&error)) {
        return std::string("操作未能完成：") + error.what();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error)) {
        return "操作未能完成：内存不足，本步没有保存任何结果。";
    }
    // Anything else is a fault of the program; its text is not for the user.
    return "操作未能完成：程序内部出错，本步没有保存任何结果。";
}

void reportFailure(Interaction& ui, const std::exception& error) {
    showError(ui, failureMessage(error));
}

} // namespace zorvane::design
