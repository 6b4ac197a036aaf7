#pragma once

#include "app/ClientState.h"
#include "store/ClientStore.h"

#include <QMainWindow>

#include <memory>

class Clock;
class Messenger;

// The main window: the send and report panels, menus and status bar, and the
// owner of the client state, the database and the server link.
class TForm1 final : public QMainWindow {
    Q_OBJECT

public:
    TForm1(Messenger &messenger, Clock &clock, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    ClientState &state() { return m_state; }
    ClientStore &store() { return *m_store; }

    void FormCreate();

private:
    Messenger &m_messenger;
    Clock &m_clock;
    ClientState m_state;
    std::unique_ptr<ClientStore> m_store;
};
