#pragma once
// Failures whose message is written for the user, and the one way a failed handler reaches the
// user: the window and the batch runner both show it through reportFailure, so that no internal
// text of a library ever appears in a message box or a log.

#include "core/store/store_error.h"

#include <stdexcept>
#include <string>

namespace zorvane::design {

class Interaction;

// A step cannot go on; the message says in Chinese what is wrong and where (which table, file or
// input).
class DesignProblem : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A reference table or template that a step needs is missing, damaged or lacks what it needs: a
// failure of the table store's data, which callers catching StoreError also catch.
class ReferenceDataError : public store::StoreError {
public:
    using store::StoreError::StoreError;
};

// A scripted dialog was given a choice the dialog does not list.
class UnlistedChoice : public DesignProblem {
public:
    using DesignProblem::DesignProblem;
};

// The message a failed handler shows: the failure's own text when it was written for the user,
// otherwise a Chinese sentence saying what kind of failure it was.
std::string failureMessage(const std::exception& error);

// Shows failureMessage as an error ("错误信息").
void reportFailure(Interaction& ui, const std::exception& error);

} // namespace zorvane::design
