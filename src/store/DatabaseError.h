#pragma once

#include "lang/OperatorError.h"

// A statement the engine refused, or a database file that cannot be used.
// Each one is logged under "quorvel.store" (silent by default).
class DatabaseError final : public OperatorError {
public:
    explicit DatabaseError(const QString &text);
};
