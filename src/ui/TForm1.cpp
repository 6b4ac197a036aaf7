#include "ui/TForm1.h"

#include "app/Messenger.h"
#include "store/DatabaseError.h"

#include <QDir>

TForm1::TForm1(Messenger &messenger, Clock &clock, QWidget *parent)
    : QMainWindow(parent)
    , m_messenger(messenger)
    , m_clock(clock)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel Client Version 1.7.7"));
    resize(698, 601);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    m_state.WorkingDirectory = QDir::currentPath();
    m_store = std::make_unique<ClientStore>(m_state.WorkingDirectory);
    try {
        m_store->open();
    } catch (const DatabaseError &error) {
        m_messenger.showWarning(QStringLiteral("Quorvel Client"), error.text());
    }
}
