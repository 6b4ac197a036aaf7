#include "ui/TAboutBox.h"

#include "app/ClientSession.h"
#include "app/Version.h"
#include "lang/LangFile.h"
#include "lang/Languages.h"
#include "ui/AutoSizeLabel.h"
#include "ui/CaptionWalk.h"
#include "ui/DialogFrame.h"
#include "ui/WindowDesigns.h"

#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

void setLinkFont(QLabel &label, bool hovered)
{
    QFont font = label.font();
    font.setBold(hovered);
    font.setUnderline(true);
    label.setFont(font);
    // The label keeps fitting its caption, bold or not.
    if (auto *autoSized = qobject_cast<AutoSizeLabel *>(&label))
        autoSized->resize(autoSized->captionWidth(), autoSized->height());
}

void moveLeft(QWidget &widget, int left)
{
    widget.move(left, widget.y());
}

} // namespace

TAboutBox::TAboutBox(ClientSession &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"About"_s);
    buildComponents(*this, *this, WindowDesigns::AboutBox());
    DialogFrame::fixToContent(*this, WindowDesigns::AboutBox());
    m_ui = {require<QLabel>(u"ProductName"_s), require<AutoSizeLabel>(u"Version"_s),
            require<QLabel>(u"lblUrl"_s), require<QLabel>(u"lblEmail"_s)};

    connect(require<QPushButton>(u"OKButton"_s), &QPushButton::clicked, this, &QDialog::accept);
    for (QLabel *link : {m_ui.lblUrl, m_ui.lblEmail}) {
        link->setAttribute(Qt::WA_Hover);
        link->installEventFilter(this);
    }
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAboutBox::FormShow()
{
    const QString &language = m_session.state().CurrentLanguage;
    if (const LangFile *file = m_session.langFile())
        ApplyCaptions(inventory(), objectName(), *file, language);
    if (const Language *known = Languages::find(language)) {
        setWindowTitle(known->about.caption.toString());
        moveLeft(*m_ui.lblUrl, known->about.urlLeft);
        moveLeft(*m_ui.lblEmail, known->about.emailLeft);
        moveLeft(*m_ui.ProductName, known->about.productLeft);
    }
    // The version is the program's, whatever the language file says.
    m_ui.Version->setCaption(Version::AboutText.toString());
}

void TAboutBox::lblUrlClick()
{
    QDesktopServices::openUrl(QUrl(HomePage.toString()));
}

void TAboutBox::lblEmailClick()
{
    QDesktopServices::openUrl(QUrl(u"mailto:"_s + EmailAddress));
}

void TAboutBox::lblUrlMouseEnter(QLabel *sender)
{
    setLinkFont(*sender, true);
}

void TAboutBox::lblUrlMouseLeave(QLabel *sender)
{
    setLinkFont(*sender, false);
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = qobject_cast<QLabel *>(watched);
    if (!link || (link != m_ui.lblUrl && link != m_ui.lblEmail))
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        lblUrlMouseEnter(link);
        break;
    case QEvent::Leave:
        lblUrlMouseLeave(link);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
            link->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            if (link == m_ui.lblUrl)
                lblUrlClick();
            else
                lblEmailClick();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
