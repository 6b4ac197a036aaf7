#pragma once

#include <QString>

// The rows the client stores, as they come off the wire or out of the windows.

// The client's registration with the paging server (table ClientID).
struct Registration {
    QString clientName;
    QString serverIp;
    int serverPort = 0;
};

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
