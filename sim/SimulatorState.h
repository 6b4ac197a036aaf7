#pragma once

#include "DataSet.h"
#include "link/WireRecords.h"

#include <QList>
#include <QStringList>

// Everything the simulated server remembers between frames.
struct SimulatorState {
    DataSet data = DataSet::demo();
    QStringList registered;     // client IDs, in the order they registered
    QList<ReportRecord> report; // one row per delivery, oldest first
};
