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
inline constexpr Message Msg23{u"Msg23", u"Server Port must be a whole number from 1 to 65535."};
inline constexpr Message Msg62{u"Msg62", u"Open Error !"};

// The product title: window titles and every message box's title.
inline constexpr Message ProductTitle{u"AboutBox_ProductName", u"Quorvel Client"};

// Every message key, for checks that the language file holds them all.
inline constexpr std::array All{Msg01, Msg02, Msg03, Msg04, Msg05, Msg06, Msg07, Msg08,
                                Msg09, Msg10, Msg11, Msg12, Msg13, Msg14, Msg15, Msg16,
                                Msg17, Msg18, Msg19, Msg20, Msg23, Msg62};

} // namespace Messages
