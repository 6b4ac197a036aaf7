#pragma once

#include "lang/OperatorError.h"

// A statement the engine refused, or a database file that cannot be used.
class DatabaseError final : public OperatorError {
public:
    using OperatorError::OperatorError;
};
