#include "ui/DialogFrame.h"

#include "ui/ComponentFactory.h"

#include <QDialog>
#include <QScreen>

namespace DialogFrame {

void fixToContent(QDialog &dialog, std::span<const ComponentSpec> specs)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(ComponentFactory::contentSize(specs));
    // Placed once here: Qt would otherwise centre it over the main window.
    if (const QScreen *screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace DialogFrame
