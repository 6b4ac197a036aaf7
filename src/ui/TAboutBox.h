#pragma once

#include "ui/DesignedWindow.h"

#include <QDialog>
#include <QStringView>

class AutoSizeLabel;
class ClientSession;
class QLabel;

// The About window: product, version, the maker's notice and links.
class TAboutBox final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    // Where the two links lead, whatever their captions say.
    static constexpr QStringView HomePage = u"https://quorvel.example/client";
    static constexpr QStringView EmailAddress = u"info@quorvel.example";

    explicit TAboutBox(ClientSession &session, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TAboutBox)

    // On every showing: captions, the language's caption and positions, the version.
    void FormShow();
    void lblUrlClick();
    void lblEmailClick();
    // Shared by both links: bold while the mouse is over them.
    void lblUrlMouseEnter(QLabel *sender);
    void lblUrlMouseLeave(QLabel *sender);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Components {
        QLabel *ProductName;
        AutoSizeLabel *Version;
        QLabel *lblUrl;
        QLabel *lblEmail;
    };

    ClientSession &m_session;
    Components m_ui{};
};
