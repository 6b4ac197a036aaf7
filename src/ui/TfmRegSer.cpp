#include "ui/TfmRegSer.h"

#include "ui/DialogFrame.h"
#include "ui/WindowDesigns.h"

using namespace Qt::StringLiterals;

TfmRegSer::TfmRegSer(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmRegSer"_s);
    setWindowTitle(u"Quorvel Client Register"_s);
    buildComponents(*this, *this, WindowDesigns::fmRegSer());
    DialogFrame::fixToContent(*this, WindowDesigns::fmRegSer());
}
