#pragma once

#include <QString>

// What the selected UI language decides beyond the captions: the section
// every message is read from, the word before the sender's name in a page,
// and the product title that heads the main window and its message boxes.
struct LanguageState {
    // A language section of the language file; empty until start-up reads it.
    QString CurrentLanguage;
    QString FromWord = QStringLiteral("From");
    // Empty until a language has been selected.
    QString ProductTitle;
};
