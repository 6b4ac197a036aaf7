#pragma once

#include <QString>
#include <QStringList>

// Every statement the client runs, in SQLite's dialect. Values never go into
// the text: they are bound to the "?" placeholders.
namespace Statements {

// Registration.
inline const QString SelectClientIdOnShow = QStringLiteral("Select * from ClientID");
inline const QString SelectClientIdOnSettings = QStringLiteral("select * from ClientID");
inline const QString DeleteClientId = QStringLiteral("DELETE FROM ClientID");

// List version.
inline const QString SelectVersion = QStringLiteral("select version_num from Version");
inline const QString SelectVersionOnSettings = QStringLiteral("select Version_Num from Version");
inline const QString UpdateVersion = QStringLiteral("UPDATE Version SET version_num=?");

// Pick lists.
inline const QString SelectRecipientsByName =
    QStringLiteral("Select * From recipients order by Recipient ASC");
inline const QString SelectGroups = QStringLiteral("Select * From group_list ");
inline const QString SelectCanned = QStringLiteral("Select * From canned");

// Serial-number look-ups of a page.
inline const QString SelectRecipientNamed =
    QStringLiteral("Select * From recipients Where Recipient=?");
inline const QString SelectGroupNamed =
    QStringLiteral("Select * From group_list Where GroupName=?");

// Table replacements: the delete, then the select that the new rows are appended to.
inline const QString DeleteRecipients = QStringLiteral("DELETE FROM recipients");
inline const QString SelectAllRecipients = QStringLiteral("select * from recipients");
inline const QString DeleteGroups = QStringLiteral("DELETE FROM group_list");
inline const QString SelectAllGroups = QStringLiteral("select * from group_list");
inline const QString DeleteCanned = QStringLiteral("DELETE FROM canned");
inline const QString SelectAllCanned = QStringLiteral("select * from canned");
inline const QString SelectAllClientId = SelectClientIdOnSettings;
inline const QString DeleteReport = QStringLiteral("DELETE FROM report");
// The report's own reads (its row ids in order, its rows a block at a time)
// are ReportRows', which reads the rows only as they are shown.

// Rows still without a status when the client closes were sent while it was off line.
inline const QString MarkOfflineReportRows = QStringLiteral(
    "UPDATE report SET sendtime=? , status='Client(OFF Line)' where status is NULL ");

// The statements that create a fresh Client.mdb, in their order: those of
// store/schema.sql, which the client carries as a resource. Empty if the
// resource is missing.
QStringList schema();

} // namespace Statements
