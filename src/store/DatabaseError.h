#pragma once

#include <QString>

#include <stdexcept>

// A statement the engine refused, or a database file that cannot be used.
// The handler that ran the statement stops; the window shows text() to the operator.
class DatabaseError final : public std::runtime_error {
public:
    explicit DatabaseError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
