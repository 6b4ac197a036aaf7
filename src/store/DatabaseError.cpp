#include "store/DatabaseError.h"

#include "store/StoreLog.h"

Q_LOGGING_CATEGORY(lcStore, "quorvel.store", QtWarningMsg)

DatabaseError::DatabaseError(const QString &text)
    : OperatorError(text)
{
    qCDebug(lcStore).noquote() << "failed:" << text;
}
