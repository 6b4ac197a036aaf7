#include "ui/TfrmLang.h"

#include "ui/StringGrid.h"
#include "ui/WindowDesigns.h"

using namespace Qt::StringLiterals;

TfrmLang::TfrmLang(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"frmLang"_s);
    setWindowTitle(u"UI Text Edit"_s);
    // An ordinary resizable frame; Qt centres a dialog over its parent when shown.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    buildComponents(*this, *this, WindowDesigns::frmLang());
    resize(WindowDesigns::frmLangClientSize);
}

StringGrid *TfrmLang::StringGrid1() const
{
    return component<StringGrid>(u"StringGrid1"_s);
}
