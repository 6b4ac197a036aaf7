#include "lang/LanguageSwitch.h"

#include "app/Version.h"
#include "lang/LangFile.h"
#include "lang/LanguageState.h"
#include "lang/LanguageView.h"
#include "lang/Languages.h"
#include "lang/Messages.h"

using namespace Qt::StringLiterals;

namespace LanguageSwitch {

void select(LanguageState &state, const LangFile &file, const Language &language,
            LanguageView &view)
{
    state.CurrentLanguage = language.name.toString();
    state.FromWord = language.fromWord.toString();
    view.checkLanguage(state.CurrentLanguage);
    view.applyCaptions(state.CurrentLanguage);
    const QString productTitle =
        file.ReadLangValue(state.CurrentLanguage, Messages::ProductTitle.keyString(),
                           Messages::ProductTitle.defaultString());
    file.WriteLangValue(u"Setting"_s, u"Language"_s, state.CurrentLanguage);
    // Taken over only once the choice is stored: the box that reports a
    // failed write still carries the title the operator had.
    state.ProductTitle = productTitle;
    view.setMainTitle(mainWindowTitle(productTitle));
    view.applyPlacements(Languages::placements(language));
    view.settleLayout();
}

const Language *startupLanguage(const LanguageState &state)
{
    return Languages::find(state.CurrentLanguage);
}

QString mainWindowTitle(const QString &productTitle, const QLocale &locale)
{
    return productTitle + u" V"_s + locale.toString(Version::TitleNumber, 'g', 15);
}

} // namespace LanguageSwitch
