#include "WorkingDirectory.h"

#include <QDir>
#include <QFile>

WorkingDirectory::WorkingDirectory()
    : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

WorkingDirectory::~WorkingDirectory()
{
    QDir::setCurrent(m_previous);
}

void WorkingDirectory::write(const QString &name, const QByteArray &content) const
{
    QFile file(filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

void WorkingDirectory::copyData(const QString &name) const
{
#ifdef QUORVEL_DATA_DIR
    QFile::copy(QDir(QStringLiteral(QUORVEL_DATA_DIR)).filePath(name), filePath(name));
#else
    Q_UNUSED(name)
#endif
}
