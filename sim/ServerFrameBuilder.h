#pragma once

#include "link/WireRecords.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The simulated server's answers, byte for byte. Every server frame is wrapped
// in the envelope of the client frames: start byte, header, client-ID field,
// type byte, body, checksum and end byte.
namespace ServerFrameBuilder {

QByteArray frame(const QString &clientId, char type, const QByteArray &body);

// a: list-version notice with status '1' or '2'.
QByteArray listVersionNotice(const QString &clientId, char status);
// r: registration result '1' accepted, '0' ID in use, '2' server full.
QByteArray registrationResult(const QString &clientId, char result);
// o: answer to the off-line request.
QByteArray closeGrant(const QString &clientId, char answer);
// s: number of failed transmissions.
QByteArray transmissionResult(const QString &clientId, std::uint8_t failed);
// p: list version and recipients; groups only when given.
QByteArray lists(const QString &clientId, const QString &version,
                 const QList<ListRecord> &recipients,
                 const std::optional<QList<ListRecord>> &groups);
// c: canned messages.
QByteArray canned(const QString &clientId, const QStringList &texts);
// h: the report in parts of 40 records; an empty report is one part with code 0.
// No part exceeds the client's 8192-byte buffer: where 40 records would, their
// messages are cut to the length that fits.
QList<QByteArray> reportParts(const QString &clientId, const QList<ReportRecord> &records);

} // namespace ServerFrameBuilder
