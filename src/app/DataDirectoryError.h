#pragma once

#include "lang/OperatorError.h"

// A data directory the client cannot work in, or a command line that names
// none it can use. The text names the path and the reason.
class DataDirectoryError final : public OperatorError {
public:
    using OperatorError::OperatorError;
};
