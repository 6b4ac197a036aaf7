#include "ui/TAboutBox.h"

#include "ui/DialogFrame.h"
#include "ui/WindowDesigns.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"About"_s);
    buildComponents(*this, *this, WindowDesigns::AboutBox());
    DialogFrame::fixToContent(*this, WindowDesigns::AboutBox());

    connect(component<QPushButton>(u"OKButton"_s), &QPushButton::clicked, this, &QDialog::accept);
}
