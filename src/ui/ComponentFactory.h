#pragma once

#include "ui/ComponentSpec.h"

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>

#include <span>

class ComponentInventory;
class QActionGroup;
class QObject;
class QWidget;

// Builds a window's components from its table and records each of them in
// the window's inventory, in table order. One factory serves all windows.
class ComponentFactory final {
public:
    // window owns every component; clientArea is the parent of the controls
    // whose table row names no parent (for a dialog, the window itself).
    ComponentFactory(QWidget &window, QWidget &clientArea, ComponentInventory &inventory);
    Q_DISABLE_COPY_MOVE(ComponentFactory)

    void build(std::span<const ComponentSpec> specs);

    // The designed font; an empty family stands for the window font.
    static QFont fontFor(const FontSpec &design, const QFont &windowFont);
    // The extent of the controls placed directly on the client area.
    static QSize contentSize(std::span<const ComponentSpec> specs);

private:
    QObject *create(const ComponentSpec &design, std::span<const ComponentSpec> specs);
    QWidget *createWidget(const ComponentSpec &design);
    QObject *createMenuItem(const ComponentSpec &design, std::span<const ComponentSpec> specs);
    QObject *createNonVisual(const ComponentSpec &design);
    QWidget *parentWidgetFor(const ComponentSpec &design) const;
    void applyCommon(QWidget &widget, const ComponentSpec &design);

    QWidget &m_window;
    QWidget &m_clientArea;
    ComponentInventory &m_inventory;
    // Text colour each control passes on to its children, as its designer would.
    QHash<QString, QRgb> m_textColors;
    QHash<QObject *, QActionGroup *> m_radioGroups;
};
