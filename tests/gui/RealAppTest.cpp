// The built editor as a user starts it: one instance only, About then Open, and cancelling the
// Open dialog at start-up ends the program with success. Windows are found and keys sent with
// xdotool on the test's X display.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace tc::test {
namespace {

bool HaveXdotool() {
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

// Starts the editor with its own home folder, so that neither lock nor settings are shared.
pid_t StartEditor(const std::string& home) {
    const std::string homeVar = "HOME=" + home;
    const std::string configVar = "XDG_CONFIG_HOME=" + home + "/.config";
    std::vector<std::string> env{homeVar, configVar};
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry(*e);
        if (!entry.starts_with("HOME=") && !entry.starts_with("XDG_CONFIG_HOME=")) {
            env.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (auto& entry : env) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string binary = TOMECRAFT_BINARY;
    char* argv[] = {binary.data(), nullptr};
    pid_t pid = 0;
    posix_spawn(&pid, binary.c_str(), nullptr, nullptr, argv, envp.data());
    return pid;
}

// The exit code once the process ends within `seconds`, or nullopt.
std::optional<int> WaitForExit(pid_t pid, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

// Waits for a window with exactly this title and presses a key in it.
bool PressIn(const std::string& title, const std::string& key) {
    const std::string find = "timeout 10 xdotool search --sync --name '^" + title + "$'";
    const std::string command =
        "w=$(" + find + " | head -1) && xdotool windowfocus --sync $w" + " && xdotool key " + key;
    return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

TEST(RealApp, ASecondStartEndsAndCancellingOpenEndsTheFirstWithSuccess) {
    if (!HaveXdotool() || std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "needs xdotool and an X display";
    }
    TempDir home;
    const pid_t first = StartEditor(home.Path());
    ASSERT_EQ(std::system("timeout 10 xdotool search --sync --name '^About Tomecraft$' "
                          ">/dev/null 2>&1"),
              0)
        << "the About box shows first";

    const pid_t second = StartEditor(home.Path());
    EXPECT_EQ(WaitForExit(second, 10), std::optional<int>(0)) << "the second start ends at once";
    EXPECT_EQ(WaitForExit(first, 0.2), std::nullopt) << "the first one keeps running";

    EXPECT_TRUE(PressIn("About Tomecraft", "Escape"));
    EXPECT_TRUE(PressIn("Open", "Escape")) << "the Open dialog follows the About box";
    const std::optional<int> code = WaitForExit(first, 10);
    if (!code) {
        kill(first, SIGKILL);
        WaitForExit(first, 5);
    }
    EXPECT_EQ(code, std::optional<int>(0));
}

} // namespace
} // namespace tc::test
