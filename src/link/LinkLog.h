#pragma once

#include <QLoggingCategory>

// Frames sent and received, connection events, and what the reader dropped
// or ignored. Silent unless QT_LOGGING_RULES="quorvel.link.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcLink)
