#include "DataFileWatcher.h"

#include "DataFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Editors write in steps (truncate, write, rename); reading once they are
// done avoids warnings about half-written files.
constexpr int SettleMs = 100;

} // namespace

DataFileWatcher::DataFileWatcher(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &DataFileWatcher::checkFile);
    const auto settle = [this] { m_settle.start(); };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    // An editor that replaces the file ends the watch on it; the folder's
    // watch sees the new file arrive.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    watch();
}

bool DataFileWatcher::load(QString &error)
{
    watch();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(m_path, file.errorString());
        return false;
    }
    m_lastSeen = file.readAll();
    const std::optional<DataSet> data = DataFile::parse(QString::fromUtf8(*m_lastSeen), error);
    if (!data) {
        error = QStringLiteral("%1: %2").arg(m_path, error);
        return false;
    }
    m_data = *data;
    return true;
}

void DataFileWatcher::reload()
{
    m_lastSeen.reset();
    m_missing = false;
    checkFile();
}

void DataFileWatcher::watch()
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}

void DataFileWatcher::checkFile()
{
    watch();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!m_missing)
            Q_EMIT loadFailed(QStringLiteral("%1: %2").arg(m_path, file.errorString()));
        m_missing = true;
        return;
    }
    m_missing = false;
    const QByteArray bytes = file.readAll();
    // The folder's watch also fires for other files.
    if (bytes == m_lastSeen)
        return;
    m_lastSeen = bytes;
    QString error;
    const std::optional<DataSet> data = DataFile::parse(QString::fromUtf8(bytes), error);
    if (!data) {
        Q_EMIT loadFailed(QStringLiteral("%1: %2").arg(m_path, error));
        return;
    }
    m_data = *data;
    Q_EMIT dataChanged(m_data);
}
