#pragma once

#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "WorkingDirectory.h"
#include "store/ClientStore.h"
#include "ui/ClientWindows.h"

#include <memory>

// The client with its windows in a working directory of its own. A test's
// own fixture derives from it, prepares the directory (Client.mdb, the
// language file) and then creates the windows.
class WindowsFixture {
public:
    WindowsFixture() = default;
    ~WindowsFixture() { windows.reset(); }
    Q_DISABLE_COPY_MOVE(WindowsFixture)

    TForm1 &form() { return windows->Form1; }
    ClientSession &session() { return windows->session; }
    ClientState &state() { return session().state(); }
    ClientStore &store() { return session().store(); }
    template <typename T> T *widget(const QString &name) { return form().component<T>(name); }

    WorkingDirectory directory;
    RecordingMessenger messenger;
    ManualClock clock;
    std::unique_ptr<ClientWindows> windows;

protected:
    // Client.mdb holds this registration (and list version) before the client starts.
    void seed(const std::optional<Registration> &registration, const QString &listVersion)
    {
        ClientStore store(directory.path());
        store.open();
        if (registration)
            store.replaceRegistration(*registration);
        store.setListVersion(listVersion);
    }
    // The session and the windows, created and started as at program start.
    void createWindows(SessionOptions options = {})
    {
        options.discoveryPort = 0;
        windows = std::make_unique<ClientWindows>(messenger, clock, options);
        form().FormCreate();
    }
};
