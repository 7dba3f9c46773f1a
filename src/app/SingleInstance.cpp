#include "app/SingleInstance.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/ipc.h>
#include <wx/snglinst.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tc {

namespace {

constexpr const char* kInstanceName = "Prevent2ndTomecraftApp";
constexpr const char* kTopic = "raise";
constexpr auto kAnswerTime = std::chrono::seconds(5);

#ifdef _WIN32
wxString ServiceName() {
    return kInstanceName;
}
#else
// Where the lock file and the socket live: the user's runtime folder, never the home folder.
// Without one, a private folder of ours in the temporary folder.
wxString RuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        struct stat st {};
        if (stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid()) {
            return runtime;
        }
    }
    const std::string folder = "/tmp/tomecraft-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0) {
        return wxGetHomeDir(); // someone else's folder: do not trust it
    }
    return folder;
}

// A Unix socket beside the checker's lock file, one per user.
wxString ServiceName() {
    return RuntimeFolder() + "/" + kInstanceName + ".ipc";
}
#endif

class RaiseConnection : public wxConnection {
public:
    explicit RaiseConnection(std::function<void()> raise) : m_raise(std::move(raise)) {}
    bool OnExec(const wxString&, const wxString&) override {
        m_raise();
        return true;
    }

private:
    std::function<void()> m_raise;
};

class RaiseServer : public wxServer {
public:
    explicit RaiseServer(std::function<void()> raise) : m_raise(std::move(raise)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new RaiseConnection(m_raise) : nullptr;
    }

private:
    std::function<void()> m_raise;
};

} // namespace

SingleInstance::SingleInstance()
    : m_checker(std::make_unique<wxSingleInstanceChecker>(
#ifdef _WIN32
          kInstanceName
#else
          kInstanceName, RuntimeFolder()
#endif
          )) {
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::AnotherIsRunning() {
    if (!m_checker->IsAnotherRunning()) {
        return false;
    }
    // A running instance that is busy (or hangs) would keep this one waiting for ever: give it
    // a few seconds, then end without a window and say why.
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!answered.wait_for(lock, kAnswerTime, [&] { return done; })) {
            std::fputs("tomecraft: Tomecraft is already running but does not answer (it may be "
                       "busy); not starting a second window.\n",
                       stderr);
            std::_Exit(1);
        }
    });
    wxClient client;
    std::unique_ptr<wxConnectionBase> connection(
        client.MakeConnection("localhost", ServiceName(), kTopic));
    if (connection) {
        connection->Execute(kTopic);
        connection->Disconnect();
    }
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    answered.notify_one();
    watchdog.join();
    return true;
}

void SingleInstance::Listen(std::function<void()> raise) {
    auto server = std::make_unique<RaiseServer>(std::move(raise));
    server->Create(ServiceName());
    m_server = std::move(server);
}

void RaiseApplicationWindows() {
    if (auto* main = dynamic_cast<wxTopLevelWindow*>(wxTheApp->GetTopWindow())) {
        if (main->IsIconized()) {
            main->Iconize(false);
        }
        main->Raise();
    }
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxDialog*>(window);
            dialog != nullptr && dialog->IsModal()) {
            dialog->Raise();
        }
    }
}

} // namespace tc
