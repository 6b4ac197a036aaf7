#pragma once

#include "app/Messenger.h"

#include <cstdio>

// Messages written to standard error instead of shown: for the tools and
// benchmarks that run the client's logic without a window.
class StderrMessenger final : public Messenger {
public:
    void showWarning(const QString &title, const QString &text) override
    {
        std::fprintf(stderr, "%s: %s\n",
                     qPrintable(title.isEmpty() ? QStringLiteral("message") : title),
                     qPrintable(text));
    }
};
