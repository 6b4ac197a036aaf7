#include "ui/DesignedWindow.h"

#include "ui/ComponentFactory.h"
#include "ui/WindowDesigns.h"

#include <QWidget>

#include <stdexcept>

void DesignedWindow::buildComponents(QWidget &window, QWidget &clientArea,
                                     std::span<const ComponentSpec> specs)
{
    window.setFont(ComponentFactory::fontFor(WindowDesigns::WindowFontSpec, window.font()));
    ComponentFactory(window, clientArea, m_inventory).build(specs);
}

void DesignedWindow::throwMissingComponent(const QString &name, const char *className) const
{
    throw std::logic_error(QStringLiteral("The window has no component %1 of class %2")
                               .arg(name, QLatin1StringView(className))
                               .toStdString());
}
