#pragma once

#include "link/WireRecords.h"

#include <QString>

// The client's registration with the paging server (table ClientID).
struct Registration {
    QString clientName;
    QString serverIp;
    int serverPort = 0;
};
