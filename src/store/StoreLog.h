#pragma once

#include <QLoggingCategory>

// Statements the engine refused, with its text. Silent unless
// QT_LOGGING_RULES="quorvel.store.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcStore)
