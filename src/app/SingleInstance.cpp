#include "app/SingleInstance.h"

#include "document/EditorCommandLine.h"
#include "platform/wx/WxText.h"

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

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
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
    explicit RaiseConnection(SingleInstance::Handover handover) : m_handover(std::move(handover)) {}
    bool OnExec(const wxString&, const wxString& data) override {
        // Answer the second start first: it waits, and the handover may open a dialog.
        wxTheApp->CallAfter([handover = m_handover, files = SplitHandedFiles(Utf8FromWx(data))] {
            handover(files);
        });
        return true;
    }

private:
    SingleInstance::Handover m_handover;
};

class RaiseServer : public wxServer {
public:
    explicit RaiseServer(SingleInstance::Handover handover) : m_handover(std::move(handover)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new RaiseConnection(m_handover) : nullptr;
    }

private:
    SingleInstance::Handover m_handover;
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

bool SingleInstance::AnotherIsRunning(const std::vector<std::string>& files) {
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
#ifdef _WIN32
        // Windows gives the foreground only to the program the user last used: this one. Let
        // the running editor take it, or it would flash in the taskbar behind other windows.
        AllowSetForegroundWindow(ASFW_ANY);
#endif
        connection->Execute(Utf8ToWx(JoinHandedFiles(files)));
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

void SingleInstance::Listen(Handover handover) {
    auto server = std::make_unique<RaiseServer>(std::move(handover));
    server->Create(ServiceName());
    m_server = std::move(server);
}

void RaiseApplicationWindows() {
    if (auto* main = dynamic_cast<wxTopLevelWindow*>(wxTheApp->GetTopWindow())) {
        if (main->IsIconized()) {
            main->Iconize(false);
        }
        main->Raise();
#ifdef _WIN32
        ::SetForegroundWindow(static_cast<HWND>(main->GetHWND()));
#endif
    }
    for (wxWindow* window : wxTopLevelWindows) {
        if (auto* dialog = dynamic_cast<wxDialog*>(window);
            dialog != nullptr && dialog->IsModal()) {
            dialog->Raise();
#ifdef _WIN32
            ::SetForegroundWindow(static_cast<HWND>(dialog->GetHWND()));
#endif
        }
    }
}

} // namespace tc
