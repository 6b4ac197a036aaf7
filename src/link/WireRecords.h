#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

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

// The five fields of a report record as they stand in a frame: single-byte
// text, viewed where it lies, so valid as long as the frame's bytes are.
using ReportFields = std::array<QByteArrayView, 5>;
