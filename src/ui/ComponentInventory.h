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
    void add(const QString &kind, QObject *object, const QString &hint = {});
    const QList<Component> &components() const { return m_components; }
    const Component *find(const QString &name) const;
    template <typename T> T *object(const QString &name) const
    {
        const Component *component = find(name);
        return component ? qobject_cast<T *>(component->object.data()) : nullptr;
    }

private:
    QList<Component> m_components;
};
