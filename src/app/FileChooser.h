#pragma once

#include <QString>

// How the client asks the operator for a file: the open and save dialogs.
// Windows use the real dialogs; tests answer with the file they choose.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // An existing file chosen in a dialog that starts in directory and lists
    // what filter names ("Lang files (*.lang)"); empty when cancelled.
    virtual QString openFileName(const QString &directory, const QString &filter) = 0;
    // A file name to write, with defaultSuffix added when the typed name has
    // no suffix; an existing file is replaced without asking. Empty when cancelled.
    virtual QString saveFileName(const QString &directory, const QString &filter,
                                 const QString &defaultSuffix) = 0;
};
