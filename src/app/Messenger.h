#pragma once

#include <QString>

// How the client tells the operator something that needs an answer: a modal
// warning box with one OK button. Windows use the real one; tests record.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void showWarning(const QString &title, const QString &text) = 0;
};
