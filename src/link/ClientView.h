#pragma once

#include <QString>

// What the server link needs from the windows. The main window implements
// it; keeping it abstract leaves the link free of widgets.
class ClientView {
public:
    // The registration window's fields as the operator typed them.
    struct RegistrationFields {
        QString clientId;
        QString serverIp;
        QString serverPort;
    };

    virtual ~ClientView() = default;

    // Empties the recipient list and its kinds, and the message memo when asked.
    virtual void clearComposition(bool alsoMessage) = 0;
    // A notice that clears itself after a while (StatusKind 1 is already set).
    virtual void showStatusNotice(const QString &text) = 0;
    // A failure that stays until replaced (StatusKind 2 is already set).
    virtual void showStatusFailure(const QString &text) = 0;
    virtual void setListVersionLabel(const QString &text) = 0;
    virtual void loadComposeLists() = 0;
    virtual RegistrationFields registrationFields() const = 0;
    // The server accepted the registration: registering is done, sending may start.
    virtual void registrationAccepted() = 0;
    virtual void requestClose() = 0;
    // A text of the current language.
    virtual QString langText(const QString &key, const QString &defaultText) const = 0;
    // A modal warning titled with the product title, its text from the language file.
    virtual void showMessage(const QString &key, const QString &defaultText) = 0;
    // A modal warning with a text as it stands (database errors).
    virtual void showError(const QString &text) = 0;
};
