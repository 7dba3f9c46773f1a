// The built editor as a user starts it: one instance only, About then Open, and cancelling the
// Open dialog at start-up ends the program with success. Windows are found and keys sent with
// xdotool on the test's X display.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace tc::test {
namespace {

// Starts the editor with its own home folder, so that neither lock nor settings are shared.
pid_t StartEditor(const std::string& home, std::string file = "") {
    std::vector<std::string> env{"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                 "XDG_RUNTIME_DIR=" + home};
    std::vector<char*> envp{env[0].data(), env[1].data(), env[2].data()};
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::none_of(env.begin(), env.end(), [e](const std::string& own) {
                return std::string_view(*e).starts_with(own.substr(0, own.find('=') + 1));
            })) {
            envp.push_back(*e);
        }
    }
    envp.push_back(nullptr);
    std::string binary = TOMECRAFT_BINARY;
    char* argv[] = {binary.data(), file.empty() ? nullptr : file.data(), nullptr};
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

// Waits for a visible window with exactly this title, gives it the focus and then runs the
// xdotool `action` in it ($w names the window).
bool DoIn(const std::string& title, const std::string& action) {
    const std::string find =
        "timeout 10 xdotool search --sync --onlyvisible --name '^" + title + "$'";
    const std::string command =
        "w=$(" + find + " | head -1) && xdotool windowfocus --sync $w && xdotool " + action;
    return std::system(("{ " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

bool PressIn(const std::string& title, const std::string& keys) {
    return DoIn(title, "key " + keys);
}

bool Skip() {
    return std::system("command -v xdotool >/dev/null 2>&1") != 0 ||
           std::getenv("DISPLAY") == nullptr;
}

std::optional<int> EndEditor(pid_t pid) {
    const std::optional<int> code = WaitForExit(pid, 10);
    if (!code) {
        kill(pid, SIGKILL);
        WaitForExit(pid, 5);
    }
    return code;
}

TEST(RealApp, OneInstanceTakesTheFilesOfASecondStartAndCancellingOpenEndsWithSuccess) {
    if (Skip()) {
        GTEST_SKIP() << "needs xdotool and an X display";
    }
    TempDir home;
    const pid_t first = StartEditor(home.Path());
    ASSERT_TRUE(DoIn("About Tomecraft", "getwindowname $w")) << "the About box shows first";
    const pid_t second = StartEditor(home.Path(), SamplePath("lore.gas"));
    EXPECT_EQ(WaitForExit(second, 10), std::optional<int>(0)) << "the second start ends at once";
    EXPECT_EQ(WaitForExit(first, 0.2), std::nullopt) << "the first one keeps running";
    // A first instance that hangs must not hang a second start too.
    kill(first, SIGSTOP);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForExit(StartEditor(home.Path()), 15), std::optional<int>(1));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    kill(first, SIGCONT);
    EXPECT_TRUE(PressIn("About Tomecraft", "Escape"));
    ASSERT_TRUE(DoIn("Open", "getwindowname $w")) << "the Open dialog follows the About box";
    // A file named on a second start reaches the Open dialog, its partner beside it.
    std::filesystem::create_directory(home / "pair");
    WriteBytes(home / "pair/lore.gas", ReadBytes(SamplePath("lore.gas")));
    WriteBytes(home / "pair/trs_book_lore.gas", ReadBytes(SamplePath("trs_book_lore.gas")));
    ASSERT_EQ(WaitForExit(StartEditor(home.Path(), home / "pair/trs_book_lore.gas"), 10), 0);
    ASSERT_TRUE(PressIn("Open", "Return"));
    // Select a book, click into its text and press Ctrl+B there.
    ASSERT_TRUE(DoIn("Tomecraft", "mousemove --window $w 110 103 click 1 sleep 0.3 click 1"));
    ASSERT_TRUE(DoIn("Tomecraft", "mousemove --window $w 600 250 click 1 sleep 0.3 key ctrl+b"));
    EXPECT_TRUE(PressIn("New Lore Book", "Escape")) << "Ctrl+B reached the tree";
    EXPECT_TRUE(DoIn("Tomecraft", "key alt+f sleep 0.3 key x")) << "File > Exit";
    EXPECT_EQ(EndEditor(first), std::optional<int>(0));
    const std::string settings = ReadBytes(home / ".config/Tomecraft/Tomecraft.conf");
    EXPECT_NE(settings.find("LorePath0=" + home / "pair/lore.gas"), std::string::npos) << settings;
    const pid_t again = StartEditor(home.Path());
    EXPECT_TRUE(PressIn("About Tomecraft", "Escape"));
    EXPECT_TRUE(PressIn("Open", "Escape"));
    EXPECT_EQ(EndEditor(again), std::optional<int>(0));
}

} // namespace
} // namespace tc::test
