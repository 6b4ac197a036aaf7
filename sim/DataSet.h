#pragma once

#include "link/WireRecords.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the simulated server knows: its lists, their version, and how it
// behaves towards pages (which recipients fail, which stay unconfirmed).
struct DataSet {
    struct Group {
        ListRecord record;
        QStringList members; // serial numbers of recipients
        friend bool operator==(const Group &, const Group &) = default;
    };

    QString version = QStringLiteral("017"); // three digits
    QList<ListRecord> recipients;
    QList<Group> groups;
    QStringList canned;
    // Status of frame a for a page that carries another list version: '1' or '2'.
    char noticeStatus = '2';
    QStringList failing; // recipients whose pages fail
    QStringList pending; // recipients whose report rows carry no status yet
    int maxClients = 8;

    std::optional<ListRecord> recipient(const QString &serial) const;
    const Group *group(const QString &serial) const;
    QList<ListRecord> groupRecords() const;

    // About a dozen recipients, a few groups and canned messages, version 017.
    static DataSet demo();

    friend bool operator==(const DataSet &, const DataSet &) = default;
};
