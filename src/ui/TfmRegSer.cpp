#include "ui/TfmRegSer.h"

TfmRegSer::TfmRegSer(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fmRegSer"));
    setWindowTitle(QStringLiteral("Quorvel Client Register"));
}
