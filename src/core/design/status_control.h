#pragma once
// Which steps are done: one flag per step index (StepIndex of the step's tag), 14 in all.

#include "core/design/steps.h"

#include <array>
#include <cstdint>

namespace zorvane::design {

class StepFlags {
public:
    static constexpr int kFlagCount = 14;

    void MarkDone(int tag) { flags_[index(tag)] = 1; }
    // The flag itself; callers treat exactly 1 as done.
    int IsDone(int tag) const { return flags_[index(tag)]; }
    bool done(int tag) const { return IsDone(tag) == 1; }
    // Clears the flags from the tag's own index through the last.
    void ClearFrom(int tag) {
        for (std::size_t i = index(tag); i < flags_.size(); ++i) {
            flags_[i] = 0;
        }
    }

    const std::array<std::int32_t, kFlagCount>& flags() const { return flags_; }
    void setFlags(const std::array<std::int32_t, kFlagCount>& flags) { flags_ = flags; }

private:
    static std::size_t index(int tag) {
        const int i = StepIndex(tag);
        return static_cast<std::size_t>(i < 0 ? 0 : (i >= kFlagCount ? kFlagCount - 1 : i));
    }
    std::array<std::int32_t, kFlagCount> flags_{};
};

} // namespace zorvane::design
