#pragma once

#include "paging/RecipientEntry.h"

#include <QList>
#include <QObject>

// The recipients and groups chosen for the next page, in the order they were
// picked. Each (text, kind) pair stands at most once; names are compared
// exactly, so "Ann" and "ann" are two entries, and a person and a group of
// the same name are two entries as well. The window shows the texts and the
// kinds line for line from this one list, so the two can never disagree.
class RecipientList final : public QObject {
    Q_OBJECT

public:
    explicit RecipientList(QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(RecipientList)

    const QList<RecipientEntry> &entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // Appends the entry unless the same text of the same kind is there
    // already; true when it was appended.
    bool add(const QString &text, RecipientKind kind);
    // Removes entry `index`; an index outside the list (no line selected) does nothing.
    void removeAt(qsizetype index);
    void clear();

Q_SIGNALS:
    void entryAppended(const RecipientEntry &entry);
    void entryRemoved(qsizetype index);
    // Always emitted by clear(), even on an empty list, so whatever shows the
    // list starts again from nothing.
    void cleared();

private:
    QList<RecipientEntry> m_entries;
};
