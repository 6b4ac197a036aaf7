#pragma once

#include "ui/ComponentInventory.h"
#include "ui/ComponentSpec.h"

#include <QString>

#include <span>

class QWidget;

// What the four windows share: the components built from the window's table
// and the inventory that lists them in component order.
class DesignedWindow {
public:
    Q_DISABLE_COPY_MOVE(DesignedWindow)

    const ComponentInventory &inventory() const { return m_inventory; }
    // A component by its designed name, as the widget class that implements
    // its kind (QLabel, QPushButton, QLineEdit, DataGrid, ...); nullptr when
    // there is no such component or it is of another class.
    template <typename T> T *component(const QString &name) const
    {
        return m_inventory.object<T>(name);
    }

    // A component the window's code relies on: a misspelt name or a wrong
    // class stops the window's construction with a message naming it.
    template <typename T> T *require(const QString &name) const
    {
        T *found = component<T>(name);
        if (!found)
            throwMissingComponent(name, T::staticMetaObject.className());
        return found;
    }

protected:
    DesignedWindow() = default;
    ~DesignedWindow() = default;

    void buildComponents(QWidget &window, QWidget &clientArea,
                         std::span<const ComponentSpec> specs);
    // For swapping a placeholder for the real object it stands for.
    ComponentInventory &mutableInventory() { return m_inventory; }

private:
    [[noreturn]] void throwMissingComponent(const QString &name, const char *className) const;

    ComponentInventory m_inventory;
};
