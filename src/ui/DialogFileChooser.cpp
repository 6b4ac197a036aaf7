#include "ui/DialogFileChooser.h"

#include <QFileDialog>

QString DialogFileChooser::openFileName(const QString &directory, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, {}, directory, filter);
}

QString DialogFileChooser::saveFileName(const QString &directory, const QString &filter,
                                        const QString &defaultSuffix)
{
    QFileDialog dialog(m_parent, {}, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
