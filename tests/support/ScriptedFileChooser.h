#pragma once

#include "app/FileChooser.h"

#include <QList>
#include <QString>

// Answers every file dialog with the file the test chose (an empty name is
// a cancelled dialog) and records what each dialog was asked to show.
class ScriptedFileChooser final : public FileChooser {
public:
    struct Request {
        QString directory;
        QString filter;
        QString defaultSuffix;
    };

    QString openFileName(const QString &directory, const QString &filter) override
    {
        requests.append({directory, filter, {}});
        return answer;
    }
    QString saveFileName(const QString &directory, const QString &filter,
                         const QString &defaultSuffix) override
    {
        requests.append({directory, filter, defaultSuffix});
        return answer;
    }

    QString answer;
    QList<Request> requests;
};
