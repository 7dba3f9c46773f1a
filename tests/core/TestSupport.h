// Helpers shared by the core tests: a scripted user interface and document, scratch folders and
// the pair of files in them.
#pragma once

#include "document/Document.h"
#include "document/EditableData.h"
#include "gasfiles/Diagnostic.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"
#include "platform/FileCause.h"
#include "platform/FileOps.h"
#include "platform/FsPath.h"
#include "platform/MemorySettings.h"
#include "platform/TextFile.h"
#include "platform/UserInterface.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tc::test {

// Data a test sets up: nodes put in as a read puts them (no history, nothing modified), and the
// sorts that otherwise only the document starts.
struct TestData : EditableData {
    using EditableData::MarkSaved;
    using EditableData::SetFollower;
    using EditableData::SetTranslation;
    using LoreData::BookList;
    using LoreData::SortTemplates;
    using LoreData::TemplateList;

    // The file Save writes of the books or of the templates, with "\n" line ends.
    std::string Written(DataFile file) {
        StringSink sink;
        file == DataFile::Lore ? EmitLoreFile(BookList(), sink)
                               : EmitTemplateFile(TemplateList(), sink);
        return sink.Text();
    }

    LoreBook* AddBook(const std::string& key, const std::string& text = "text") {
        BookList().push_back(std::make_unique<LoreBook>());
        BookList().back()->SetName(key);
        BookList().back()->SetText(text);
        return BookList().back().get();
    }
    Template* AddTemplate(const std::string& name, const std::string& base = "") {
        TemplateList().push_back(std::make_unique<Template>());
        TemplateList().back()->SetName(name);
        TemplateList().back()->SetSpecializes(base);
        return TemplateList().back().get();
    }
};

struct ShownMessage {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
};

class ScriptedUi : public UserInterface {
public:
    MsgAnswer MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        shown.push_back({text, buttons, icon});
        if (buttons == MsgButtons::Ok || answers.empty()) {
            return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
        }
        const MsgAnswer next = answers.front();
        answers.pop_front();
        return next;
    }
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : shown) {
            texts.push_back(m.text);
        }
        return texts;
    }

    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers; // for questions; Cancel when none is left
    int busyDepth = 0;
};

// Dialogs that return what the test put in, and a count of every call.
class ScriptedHost : public DocumentHost {
public:
    std::optional<OpenPaths> RunOpenDialog() override {
        ++openRuns;
        return openResult;
    }
    std::optional<std::string> RunNewNodeDialog(const std::string& caption,
                                                const LoreData&) override {
        captions.push_back(caption);
        return newNodeName;
    }
    std::optional<std::string> RunBackupLocationDialog() override { return backupResult; }
    std::optional<std::string> RunFindDialog(const std::string&) override { return findText; }
    void ShowStatus(const std::string& text) override { status = text; }
    void SendExit() override { ++exits; }

    std::optional<OpenPaths> openResult;
    std::optional<std::string> findText;
    std::string status;
    std::optional<std::string> newNodeName;
    std::optional<std::string> backupResult;
    std::vector<std::string> captions;
    int openRuns = 0;
    int exits = 0;
};

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device seed;
        m_path = std::filesystem::temp_directory_path() /
                 ("tomecraft-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary); // UTF-8 names on Windows too
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(FsPath(path), std::ios::binary);
    out << bytes;
}

// The names in `folder`.
inline std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FsPath(folder))) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Whether `text` holds `part`, with the text when it does not.
inline testing::AssertionResult Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos ? testing::AssertionSuccess()
                                                : testing::AssertionFailure()
                                                      << "no \"" << part << "\" in:\n"
                                                      << text;
}

// Another program appends to a file (written over in place) when a save first reaches `step`.
struct ChangeDuringSave : FaultInjector {
    int Before(FileStep at, const std::string&) override {
        if (at == step && !path.empty()) {
            WriteBytes(path, ReadBytes(path) + "// theirs\r\n");
            path.clear();
        }
        return 0;
    }
    std::string path;
    FileStep step = FileStep::Create;
};

// Turns "\n" line ends into CR LF, the way the files lie on disk.
inline std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

inline std::string DataPath(const std::string& name) {
    return std::string(TOMECRAFT_TEST_DATA) + "/" + name;
}

inline std::string SamplePath(const std::string& name) {
    return std::string(TOMECRAFT_SAMPLES) + "/" + name;
}

#ifndef _WIN32
// Runs `body` in a child process, so that its limits, identity or death cannot touch the other
// tests: its exit status (98 for an exception), or 200 + the signal that ended it. With
// `killAfter`, the child is killed then unless it has ended.
inline int RunInChild(const std::function<int()>& body,
                      std::chrono::microseconds killAfter = std::chrono::microseconds::max()) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        int status = 98;
        try {
            status = body();
        } catch (...) {
        }
        _exit(status);
    }
    if (killAfter != std::chrono::microseconds::max()) {
        std::this_thread::sleep_for(killAfter);
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}
#endif

// A path through a folder that is not there: POSIX says the file is not found (ENOENT), Windows
// that the path is bad (ERROR_PATH_NOT_FOUND).
#ifdef _WIN32
inline constexpr FileCause kMissingFolder = FileCause::BadPath;
#else
inline constexpr FileCause kMissingFolder = FileCause::FileNotFound;
#endif

// "error N " as the messages name a cause.
inline std::string ErrorOf(FileCause cause) {
    return "error " + std::to_string(static_cast<int>(cause)) + " ";
}

// Copies the sample pair to where a test may change it.
inline void CopySamplePair(const std::string& lore, const std::string& templates) {
    WriteBytes(lore, ReadBytes(SamplePath("lore.gas")));
    WriteBytes(templates, ReadBytes(SamplePath("trs_book_lore.gas")));
}

// The pair's two names in a fresh folder; the files are there only after a test writes them.
struct PairFolder {
    TempDir dir;
    std::string lore = dir / "lore.gas";
    std::string templates = dir / "trs_book_lore.gas";
};

// A document on scripted dialogs and answers, and settings kept in memory.
struct Editor {
    ScriptedUi ui;
    ScriptedHost host;
    MemorySettings settings;
    Document doc{ui, host, settings};
};

// A save as the editor makes it: `ui` answers its question and is then shown its messages.
inline bool Save(UserInterface& ui, std::vector<SaveRequest> requests) {
    Diagnostics messages;
    const bool saved = SaveFiles(requests, messages, [&ui](const std::string& question) {
        return ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
    });
    for (const Diagnostic& message : messages) {
        ui.MessageBoxUtf8(message.text, MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return saved;
}

} // namespace tc::test
