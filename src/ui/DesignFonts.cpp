#include "ui/DesignFonts.h"

#include <QFont>
#include <QString>

void installDesignFontSubstitutions()
{
    using namespace Qt::StringLiterals;
    const QString sans = u"Liberation Sans"_s;
    QFont::insertSubstitution(u"Arial"_s, sans);
    QFont::insertSubstitution(u"Times New Roman"_s, u"Liberation Serif"_s);
    QFont::insertSubstitution(u"Courier New"_s, u"Liberation Mono"_s);
    QFont::insertSubstitution(u"MS Sans Serif"_s, sans);
    QFont::insertSubstitution(u"Tahoma"_s, sans);
    // Verdana is wide; DejaVu Sans shares its proportions.
    QFont::insertSubstitution(u"Verdana"_s, u"DejaVu Sans"_s);
}
