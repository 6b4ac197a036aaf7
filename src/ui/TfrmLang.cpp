#include "ui/TfrmLang.h"

TfrmLang::TfrmLang(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLang"));
    setWindowTitle(QStringLiteral("UI Text Edit"));
}
