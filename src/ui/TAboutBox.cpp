#include "ui/TAboutBox.h"

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
}
