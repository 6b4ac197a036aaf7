#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One complete frame as a client sent it, taken apart. Fields that the
// frame's type does not carry stay empty.
struct ClientFrame {
    char type = 0;
    QByteArray header;                // "TZQVS" or "TZQVC"
    QString clientId;                 // the 12-byte field up to its first zero byte
    QString listVersion;              // R, P, C, O and A
    char registrationFlag = 0;        // R: '1' new registration, '0' sign-on
    QList<QByteArray> recipientSlots; // A: 4 bytes each
    QString pageText;                 // A: sender line and message, without the end marker
    QString startDate;                // H: yyyyMMdd
    QString endDate;                  // H: yyyyMMdd
    bool checksumOk = false;

    // The one slot that addresses every recipient.
    static QByteArray everybodySlot() { return QByteArray("999\0", 4); }
};
