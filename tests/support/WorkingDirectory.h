#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary directory made the process's current directory for the
// life of the fixture, as the client's working directory.
class WorkingDirectory final {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    Q_DISABLE_COPY_MOVE(WorkingDirectory)

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &content) const;
    // Copies a file of the project's data folder (Language.ini, DefLang.dat).
    void copyData(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
