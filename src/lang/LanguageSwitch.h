#pragma once

#include <QLocale>
#include <QString>

class LangFile;
class LanguageView;
struct Language;
struct LanguageState;

// Selecting one of the four UI languages: the language state, the menu's
// check marks, the captions, the stored choice, the main window's title and
// its per-language positions, in this order.
namespace LanguageSwitch {

// Runs the whole selection. A language file that cannot be written stops it
// after the captions (LangFileError): the stored choice, the product title,
// the window's title and positions stay as they were.
void select(LanguageState &state, const LangFile &file, const Language &language,
            LanguageView &view);

// The language that start-up selects: the stored name when it is exactly one
// of the four, else nullptr (nothing is selected).
const Language *startupLanguage(const LanguageState &state);

// "<product title> V<version>", the version as one number in the locale's
// notation (1.77, or 1,77 where the decimal separator is a comma).
QString mainWindowTitle(const QString &productTitle, const QLocale &locale = QLocale());

} // namespace LanguageSwitch
