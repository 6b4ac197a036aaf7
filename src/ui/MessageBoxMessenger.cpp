#include "ui/MessageBoxMessenger.h"

#include <QMessageBox>

void MessageBoxMessenger::showWarning(const QString &title, const QString &text)
{
    QMessageBox::warning(m_parent, title, text, QMessageBox::Ok);
}
