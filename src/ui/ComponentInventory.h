#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

// One component a window owns: its kind name as the designer knows it
// ("TLabel", "TButton", "TMenuItem", "TDBGrid", ...), its name and its hint.
struct Component {
    QString kind;
    QString name;
    QString hint;
    QPointer<QObject> object;
};

// The components of a window in their fixed order: parents before children,
// depth first, menu items after the status bar, non-visual components last.
// Caption application and layout scaling walk it.
class ComponentInventory final {
public:
    // The name is the object's name.
    void add(const QString &kind, QObject *object, const QString &hint = {});
    const QList<Component> &components() const { return m_components; }
    const Component *find(const QString &name) const;
    // Position in the component order, or -1.
    qsizetype indexOf(const QString &name) const;
    // Puts another object in a component's place (a placeholder giving way to
    // the real socket, connection or query), keeping kind, name, hint and
    // position; the new object takes the component's name. Returns the object it replaced, which
    // the caller disposes of; nullptr when there is no component of that name.
    QObject *replace(const QString &name, QObject *object);

    template <typename T> T *object(const QString &name) const
    {
        const Component *component = find(name);
        return component ? qobject_cast<T *>(component->object.data()) : nullptr;
    }

private:
    QList<Component> m_components;
};
