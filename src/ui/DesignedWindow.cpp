#include "ui/DesignedWindow.h"

#include "ui/ComponentFactory.h"
#include "ui/WindowDesigns.h"

#include <QWidget>

void DesignedWindow::buildComponents(QWidget &window, QWidget &clientArea,
                                     std::span<const ComponentSpec> specs)
{
    window.setFont(ComponentFactory::fontFor(WindowDesigns::WindowFontSpec, window.font()));
    ComponentFactory(window, clientArea, m_inventory).build(specs);
}
