#pragma once

#include "DataSet.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

// Keeps the data set in step with its file while the simulator runs, so the
// operator of a demo can change the list version by editing the file. A file
// that does not parse leaves the previous data in place.
class DataFileWatcher final : public QObject {
    Q_OBJECT

public:
    explicit DataFileWatcher(const QString &path, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(DataFileWatcher)

    // Reads the file now; on failure the data stays as it was.
    bool load(QString &error);
    const DataSet &dataSet() const { return m_data; }
    QString path() const { return m_path; }

public Q_SLOTS:
    // Reads the file again even when its contents look unchanged.
    void reload();

Q_SIGNALS:
    void dataChanged(const DataSet &data);
    void loadFailed(const QString &error);

private:
    void watch();
    void checkFile();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    DataSet m_data;
    std::optional<QByteArray> m_lastSeen; // the contents last read, if any
    bool m_missing = false;
};
