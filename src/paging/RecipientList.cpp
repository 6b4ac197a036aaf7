#include "paging/RecipientList.h"

RecipientList::RecipientList(QObject *parent)
    : QObject(parent)
{
}

bool RecipientList::add(const QString &text, RecipientKind kind)
{
    const RecipientEntry entry{text, kind};
    if (m_entries.contains(entry))
        return false;
    m_entries.append(entry);
    Q_EMIT entryAppended(entry);
    return true;
}

void RecipientList::removeAt(qsizetype index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    Q_EMIT entryRemoved(index);
}

void RecipientList::clear()
{
    m_entries.clear();
    Q_EMIT cleared();
}
