#pragma once

#include "ClientFrame.h"
#include "SimulatorState.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// How the simulated server answers each client frame: pure functions of the
// state, the frame and the time, so tests need no socket.
//
// R registers or signs on (r '1', '0' ID in use, '2' server full); P and C
// hand out the lists; A stores one report row per delivery and answers a '0'
// and s with the failed slots, or only a '1'/'2' when the page carries
// another list version; H answers the rows of the date range in report
// parts; O grants closing; S is only noted. Frames from client IDs that never
// registered are answered all the same: the simulator checks no identity.
namespace ServerLogic {

// Send times of report rows, as the client's report grid shows them.
inline constexpr QStringView SendTimeFormat = u"yyyy-MM-dd HH:mm:ss";

struct Reply {
    QList<QByteArray> frames;     // written in this order on the same connection
    bool closeConnection = false; // the frame was refused
    QString summary;              // one line for the operator
};

Reply answer(SimulatorState &state, const ClientFrame &frame, const QDateTime &now);

} // namespace ServerLogic
