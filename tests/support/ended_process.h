#pragma once
// The id of a process that has surely ended: a child that exits at once and has been waited for.
// Stands for a program that was killed and left its temporaries behind.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvane::testing {

inline pid_t endedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

} // namespace zorvane::testing
