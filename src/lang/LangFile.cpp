#include "lang/LangFile.h"

#include "lang/LangDocument.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

std::optional<QByteArray> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

LangFile::LangFile(const QString &path)
    : m_path(path)
{
}

QString LangFile::ReadLangValue(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    const std::optional<QByteArray> bytes = readBytes(m_path);
    if (!bytes)
        return defaultValue;
    return LangDocument(*bytes).value(section, key).value_or(defaultValue);
}

QList<LangFile::Entry> LangFile::entries() const
{
    const std::optional<QByteArray> bytes = readBytes(m_path);
    return bytes ? LangDocument(*bytes).entries() : QList<Entry>();
}

void LangFile::WriteLangValue(const QString &section, const QString &key,
                              const QString &value) const
{
    const LangFileError failure(QStringLiteral("Unable to write to ") + m_path);
    // A read-only language file is the operator's protection: refuse before
    // anything is written rather than rely on a rename over it failing.
    const QFileInfo info(m_path);
    QByteArray bytes;
    if (info.exists()) {
        if (!info.isWritable())
            throw failure;
        const std::optional<QByteArray> current = readBytes(m_path);
        if (!current)
            throw failure;
        bytes = *current;
    }
    LangDocument document(bytes);
    if (!document.setValue(section, key, value))
        throw failure;
    const QByteArray &content = document.bytes();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw failure;
}
