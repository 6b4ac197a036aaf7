#pragma once

#include <QString>

// The client's one connection to Client.mdb (ADOConnection1). Opening it
// creates a missing file with the client's schema; an existing file that is
// not a database, or lacks a table or column, is reported and left untouched.
class DatabaseConnection final {
public:
    explicit DatabaseConnection(const QString &filePath);
    ~DatabaseConnection();
    Q_DISABLE_COPY_MOVE(DatabaseConnection)

    const QString &name() const { return m_name; }
    const QString &filePath() const { return m_filePath; }

    // Throws DatabaseError with a message naming the file and the problem.
    void open();

private:
    void createSchema();
    void verifySchema();

    QString m_name;
    QString m_filePath;
};
