// One running editor per user. A second start asks the running one, over a local IPC endpoint,
// to bring its window (and any dialog it shows) to the front, then ends.
#pragma once

#include <functional>
#include <memory>

class wxSingleInstanceChecker;
class wxServerBase;

namespace tc {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();

    // True when another instance runs; it has been asked to raise its windows.
    bool AnotherIsRunning();
    // Starts answering later starts: `raise` runs for each of them.
    void Listen(std::function<void()> raise);

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<wxServerBase> m_server;
};

// Restores the main window and brings it and its open dialogs to the front.
void RaiseApplicationWindows();

} // namespace tc
