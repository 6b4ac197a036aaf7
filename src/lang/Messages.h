#pragma once

#include <QString>
#include <QStringView>

#include <array>

// A text shown to the operator: its key in the language file and the English
// text used when the file has none.
struct Message {
    QStringView key;
    QStringView defaultText;

    QString keyString() const { return key.toString(); }
    QString defaultString() const { return defaultText.toString(); }
};

// Every message the client shows, in one place. The keys are the language
// file's; "\n" in a default is a line break in the message box.
namespace Messages {

inline constexpr Message Msg01{u"Msg01", u"Recipients List can not empty!"};
inline constexpr Message Msg02{u"Msg02", u"Message can not empty!"};
inline constexpr Message Msg03{u"Msg03", u"Version update Success!"};
inline constexpr Message Msg04{u"Msg04", u"Version update. Please select again!"};
inline constexpr Message Msg05{u"Msg05", u"Version update. Please select again!"};
inline constexpr Message Msg06{u"Msg06", u"Register Success!"};
inline constexpr Message Msg07{u"Msg07",
                               u"The Client ID has been used. Please use another Client ID!"};
inline constexpr Message Msg08{u"Msg08", u"System reached the maximum number, please log later!"};
inline constexpr Message Msg09{u"Msg09", u"The socket received an error message that does not fit "
                                         u"\ninto any of the following categories."};
inline constexpr Message Msg10{
    u"Msg10", u"An error occurred when trying to write to the socket \nconnection."};
inline constexpr Message Msg11{
    u"Msg11", u"An error occurred when trying to read from the socket \nconnection."};
inline constexpr Message Msg12{
    u"Msg12", u"A connection request that was already accepted could not \nbe completed."};
inline constexpr Message Msg13{u"Msg13", u"An error occurred when trying to close a connection."};
inline constexpr Message Msg14{
    u"Msg14", u"A problem occurred when trying to accept a client \nconnection request."};
inline constexpr Message Msg15{u"Msg15", u"Unknow error."};
inline constexpr Message Msg16{u"Msg16", u"Ending date must be later than starting date."};
inline constexpr Message Msg17{u"Msg17", u"Data latest three months is traceable."};
inline constexpr Message Msg18{u"Msg18", u"Please input Server IP."};
inline constexpr Message Msg19{u"Msg19", u"Please input Server Port."};
inline constexpr Message Msg20{u"Msg20", u"Please input Client ID."};
// %1: the recipient-list entry that has no usable serial number.
inline constexpr Message Msg21{u"Msg21", u"The page was not sent: \"%1\" has no valid entry in the "
                                         u"recipient lists. Please remove it or update the lists."};
inline constexpr Message Msg22{u"Msg22", u"The page was not sent: it has too many recipients for "
                                         u"one page. Please remove some, or tick \"All\"."};
inline constexpr Message Msg27{u"Msg27",
                               u"DefLang.dat cannot be read: the language file was not changed."};
inline constexpr Message Msg23{u"Msg23", u"Server Port must be a whole number from 1 to 65535."};
inline constexpr Message Msg62{u"Msg62", u"Open Error !"};

// A server that answers the client's own follow-up requests over and over.
inline constexpr Message Msg24{
    u"Msg24", u"The server keeps asking for the same request. Stopped; please try again."};
// %1: the number of rows kept.
inline constexpr Message Msg25{u"Msg25",
                               u"The report was cut at %1 rows. Please query a shorter period."};
// %1: the number of rows that arrived.
inline constexpr Message Msg26{u"Msg26", u"The report is incomplete: only %1 rows arrived."};
// %1: the working directory.
inline constexpr Message Msg28{u"Msg28", u"The directory %1 is in use by another running client."};

// The product title: window titles and every message box's title.
inline constexpr Message ProductTitle{u"AboutBox_ProductName", u"Quorvel Client"};

// Every message key, for checks that the language file holds them all.
inline constexpr std::array All{Msg01, Msg02, Msg03, Msg04, Msg05, Msg06, Msg07, Msg08,
                                Msg09, Msg10, Msg11, Msg12, Msg13, Msg14, Msg15, Msg16,
                                Msg17, Msg18, Msg19, Msg20, Msg21, Msg22, Msg23, Msg24,
                                Msg25, Msg26, Msg27, Msg28, Msg62};

} // namespace Messages
