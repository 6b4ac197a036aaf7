#pragma once

#include <QString>

#include <stdexcept>

// A failure whose text is shown to the operator as it stands; the handler
// that met it stops there.
class OperatorError : public std::runtime_error {
public:
    explicit OperatorError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
