#pragma once

#include <stdexcept>
#include <string>

namespace zorvane::store {

// Every failure of the table store; the message is meant for the user and names the file.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The working tables of a database directory are in use by another program.
class WorkspaceBusy : public StoreError {
public:
    using StoreError::StoreError;
};

} // namespace zorvane::store
