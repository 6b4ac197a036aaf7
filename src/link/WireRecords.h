#pragma once

#include <QString>

// The records the server's frames carry, as the client stores them.

// One entry of the recipient or the group list: a 4-character serial number and a name.
struct ListRecord {
    QString serial;
    QString name;
    friend bool operator==(const ListRecord &, const ListRecord &) = default;
};

// One row of the delivery report.
struct ReportRecord {
    QString sender;
    QString recipient;
    QString sendTime;
    QString status;
    QString message;
    friend bool operator==(const ReportRecord &, const ReportRecord &) = default;
};
