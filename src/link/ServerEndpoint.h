#pragma once

#include <QString>

#include <optional>

// Where every connection to the paging server goes.
struct ServerEndpoint {
    QString CurrentServerIP;
    // Decimal text, as stored.
    QString CurrentServerPort;

    // The port as a number, or nothing when the text is not a whole number from 1 to 65535.
    std::optional<quint16> port() const
    {
        bool isNumber = false;
        const int value = CurrentServerPort.toInt(&isNumber);
        if (!isNumber || value < 1 || value > 65535)
            return std::nullopt;
        return static_cast<quint16>(value);
    }
};
