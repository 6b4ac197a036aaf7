#include "ui/ComponentInventory.h"

void ComponentInventory::add(const QString &kind, QObject *object, const QString &hint)
{
    Q_ASSERT(object);
    m_components.append({kind, object->objectName(), hint, object});
}

const Component *ComponentInventory::find(const QString &name) const
{
    const qsizetype index = indexOf(name);
    return index < 0 ? nullptr : &m_components.at(index);
}

qsizetype ComponentInventory::indexOf(const QString &name) const
{
    for (qsizetype i = 0; i < m_components.size(); ++i) {
        if (m_components.at(i).name == name)
            return i;
    }
    return -1;
}

QObject *ComponentInventory::replace(const QString &name, QObject *object)
{
    const qsizetype index = indexOf(name);
    if (index < 0)
        return nullptr;
    Component &component = m_components[index];
    QObject *previous = component.object.data();
    if (object)
        object->setObjectName(name);
    component.object = object;
    return previous;
}
