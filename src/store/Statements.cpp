#include "store/Statements.h"

#include <QFile>

QStringList Statements::schema()
{
    QFile file(QStringLiteral(":/store/schema.sql"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};

    // The file is written for the sqlite3 shell as well, which takes it
    // whole; Qt's driver runs one statement at a time.
    QString text;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.trimmed().startsWith(u"--"))
            text += line + u'\n';
    }
    QStringList statements;
    for (const QString &part : text.split(u';')) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    }
    return statements;
}
