// One running editor per user. A second start hands its files to the running one over a local
// IPC endpoint and asks it to bring its window (and any dialog it shows) to the front, then ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxSingleInstanceChecker;
class wxServerBase;

namespace tc {

class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();

    using Handover = std::function<void(const std::vector<std::string>& files)>;

    // True when another instance runs; it has been given `files` and asked to raise its windows.
    bool AnotherIsRunning(const std::vector<std::string>& files = {});
    // Starts answering later starts: `handover` runs for each of them.
    void Listen(Handover handover);

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<wxServerBase> m_server;
};

// Restores the main window and brings it and its open dialogs to the front.
void RaiseApplicationWindows();

} // namespace tc
