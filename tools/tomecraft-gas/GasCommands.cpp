#include "tools/tomecraft-gas/GasCommands.h"

#include "document/Document.h"
#include "document/HeadlessHost.h"
#include "document/TranslationStates.h"
#include "gasfiles/PairIdentity.h"
#include "platform/FileCause.h"
#include "platform/FsPath.h"
#include "platform/MemorySettings.h"
#include "platform/Paths.h"
#include "platform/Product.h"
#include "platform/Text.h"
#include "tools/tomecraft-gas/DumpJson.h"
#include "tools/tomecraft-gas/RecordingUi.h"

#include <filesystem>
#include <new>
#include <optional>

namespace tc::cli {

namespace {

constexpr const char* kToolHelp =
    R"(Usage: tomecraft-gas COMMAND [OPTIONS] LORE TEMPLATES

Reads a pair of Dungeon Siege lore files (lore.gas and trs_book_lore.gas) exactly as the
Tomecraft editor does.

Commands:
  dump      print what the editor reads, as JSON
  format    rewrite both files in the editor's layout, each after a backup
  check     report naming errors and dangling references
  translations
            report how far a language file translates the pair; write the missing entries

Run 'tomecraft-gas COMMAND --help' for the options of a command, 'tomecraft-gas --version'
for the version. '--' ends the options, for file names that begin with '-'.
)";

constexpr const char* kDumpHelp =
    R"(Usage: tomecraft-gas dump LORE TEMPLATES

Reads LORE, then TEMPLATES, sorts both as the editor's Open does and prints one JSON object
(UTF-8) with "format" (1), "messages", "notes" (what a save would change in the files),
"books" and "templates" (docs/dump-format.md). Exit
status: 0; 1 when a file could not be opened or read in full (the JSON still shows what was
read); 2 on a usage error.
)";

constexpr const char* kFormatHelp =
    R"(Usage: tomecraft-gas format [--backup-dir DIR] [--force] LORE TEMPLATES

Reads both files as dump does, then writes them back as the editor's Save does. Both files are
written beside themselves, synced and read back before either replaces the old one, which
becomes the backup copy: lore.tcb and trs_book_lore.tcb beside the file, or in DIR. A file that
already holds exactly what would be written is left untouched, its backup too. A file that
another program changes while this runs is left as that program wrote it.
Nothing is written when a file cannot be read, when another program holds the pair, when
reading reported anything (the editor would have shown it before a save), when a save would
change anything a file holds beyond its layout (each such place is printed as
"FILE:LINE: warning: ...", as check prints it), or when a file that is not empty yields no book
or no template; --force writes in the last three cases, as the editor's Save would. Messages
go to standard error and say which file holds which version when not both were written. Exit
status: 0 when both files hold the formatted text, 1 otherwise, 2 on a usage error.

Options:
  --backup-dir DIR   put the backup copies in DIR
  --force            write even though reading reported something, a save would drop, change
                     or add something, or a file came out empty
)";

constexpr const char* kCheckHelp =
    R"(Usage: tomecraft-gas check LORE TEMPLATES

Reads both files as dump does and prints one finding a line, "FILE:LINE: error: ..." or
"FILE:LINE: warning: ...", LINE being where the section or key concerned stands.
Errors: repeated book keys or template names, a treasure-based template not named "base_...",
a "base_..." template not based on treasure, a screen name without a lore key. Warnings: a
lore key or a specializes value that names nothing loaded, and each place where a save would
drop, join, cut, change or add something the file holds. Exit status: 0 with no error, 1
with any, 2 on a usage error.
)";

constexpr const char* kTranslationsHelp =
    R"(Usage: tomecraft-gas translations [--extract OUT --lang LANGUAGE] LORE TEMPLATES [LANGFILE]

Reads both files as dump does and the game's language file LANGFILE ([t:0x0407,n:text]), prints
its progress as the editor's status bar shows it ("German: 134 of 200 books, 40 of 60 titles"),
then one line for each book text or book title whose translation is missing or stale, each
conflicting or repeated entry and each malformed one, as "FILE:LINE: warning: ...".
With --extract, also writes OUT: a new language file with an empty entry (to = "") for every
text that has no translation yet (every text when LANGFILE is left out), each once, in the
tree's order; a file already there is kept as OUT's backup, as a save does. LANGUAGE is a code
(de, fr, es, it, pl, ru, ...) or an id (0x0407); it defaults to LANGFILE's. Exit status: 0 when
every text is translated, 1 when any is missing or a file could not be read or written, 2 on a
usage error.

Options:
  --extract OUT      write the entries still to translate to OUT
  --lang LANGUAGE    the language OUT is for
)";

struct Invocation {
    std::string command;
    std::string lorePath;
    std::string templatePath;
    std::string languagePath;
    std::string extractPath;
    unsigned languageId = 0;
    std::optional<std::string> backupDir;
    bool force = false;
    bool help = false;
    bool version = false;
};

const char* HelpOf(const std::string& command) {
    if (command == "dump") {
        return kDumpHelp;
    }
    if (command == "format") {
        return kFormatHelp;
    }
    if (command == "check") {
        return kCheckHelp;
    }
    if (command == "translations") {
        return kTranslationsHelp;
    }
    return kToolHelp;
}

// Parses the arguments; an error text when they are not usable.
std::optional<std::string> Parse(const std::vector<std::string>& args, Invocation& inv) {
    if (args.empty()) {
        return "no command given";
    }
    inv.command = args[0];
    if (inv.command == "--version") {
        inv.version = true;
        return std::nullopt;
    }
    if (inv.command == "--help" || inv.command == "-h" || inv.command == "help") {
        inv.command = args.size() > 1 && inv.command == "help" ? args[1] : "";
        inv.help = true;
        return std::nullopt;
    }
    if (inv.command != "dump" && inv.command != "format" && inv.command != "check" &&
        inv.command != "translations") {
        return "unknown command '" + inv.command + "'";
    }
    std::vector<std::string> paths;
    bool options = true;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (!options || !arg.starts_with("-") || arg == "-") {
            paths.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "--version") {
            inv.version = true;
            return std::nullopt;
        } else if (arg == "--help" || arg == "-h") {
            inv.help = true;
            return std::nullopt;
        } else if (arg == "--backup-dir" && inv.command == "format") {
            if (k + 1 >= args.size() || args[k + 1].empty()) {
                return "--backup-dir needs a folder";
            }
            inv.backupDir = WithFolderSeparator(args[++k]);
        } else if (arg.starts_with("--backup-dir=") && inv.command == "format") {
            if (arg.size() == 13) {
                return "--backup-dir needs a folder";
            }
            inv.backupDir = WithFolderSeparator(arg.substr(13));
        } else if (arg == "--force" && inv.command == "format") {
            inv.force = true;
        } else if (arg == "--extract" && inv.command == "translations") {
            if (k + 1 >= args.size() || args[k + 1].empty()) {
                return "--extract needs a file";
            }
            inv.extractPath = args[++k];
        } else if (arg == "--lang" && inv.command == "translations") {
            if (k + 1 >= args.size() || (inv.languageId = LanguageIdOf(args[k + 1])) == 0) {
                return "--lang needs a language code such as de, or an id such as 0x0407";
            }
            ++k;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (inv.command == "translations" && (paths.size() == 3 || !inv.extractPath.empty())) {
        if (paths.size() == 3) {
            inv.languagePath = paths.back();
            paths.pop_back();
        } else if (inv.languageId == 0) {
            return "--extract without a LANGFILE needs --lang";
        }
    } else if (inv.command == "translations") {
        return "expected three files, LORE, TEMPLATES and LANGFILE";
    }
    if (paths.size() != 2) {
        return "expected two files, LORE and TEMPLATES";
    }
    inv.lorePath = paths[0];
    inv.templatePath = paths[1];
    // The names the editor's Open dialog takes, so that each backup name is the file's own
    // name with "tcb" for "gas".
    if (!EndsWithNoCase(inv.lorePath, "lore.gas") || IsTemplateFileName(inv.lorePath)) {
        return "the lore file's name must end in lore.gas: " + inv.lorePath;
    }
    if (!EndsWithNoCase(inv.templatePath, "trs_book_lore.gas")) {
        return "the template file's name must end in trs_book_lore.gas: " + inv.templatePath;
    }
    if (std::string problem =
            PairProblem(inv.lorePath, inv.templatePath, inv.backupDir.value_or(""));
        !problem.empty()) {
        return problem;
    }
    return std::nullopt;
}

// Reads the pair as the editor's Open does; false when a file could not be read in full.
bool ReadAsEditor(Document& doc, RecordingUi& ui, const Invocation& inv) {
    const Result<bool> read = doc.ReadPair(inv.lorePath, inv.templatePath);
    if (!read) {
        ui.Add(read.GetFailure().text);
        return false;
    }
    return read.GetValue();
}

void PrintMessages(const RecordingUi& ui, std::size_t from, std::ostream& err) {
    const auto& messages = ui.Messages();
    for (std::size_t k = from; k < messages.size(); ++k) {
        err << messages[k] << "\n\n";
    }
}

void PrintNotes(const Document& doc, std::ostream& out) {
    for (const Diagnostic& d : doc.GetDiagnostics()) {
        if (d.kind == Diagnostic::Kind::ReadingNote) {
            out << DiagnosticLine(d) << "\n";
        }
    }
}

// The file whose collection came out empty though the file was not; empty when none.
std::string EmptiedFile(const Document& doc, const Invocation& inv) {
    std::error_code ec;
    if (doc.Data().GetBooks().empty() && std::filesystem::file_size(FsPath(inv.lorePath), ec) > 0 &&
        !ec) {
        return inv.lorePath;
    }
    if (doc.Data().GetTemplates().empty() &&
        std::filesystem::file_size(FsPath(inv.templatePath), ec) > 0 && !ec) {
        return inv.templatePath;
    }
    return {};
}

int Format(Document& doc, RecordingUi& ui, const Invocation& inv, std::ostream& err) {
    doc.SetLockHolder("tomecraft-gas format");
    if (const Result<void> locked = doc.LockPair(inv.lorePath, inv.templatePath); !locked) {
        ui.Add(locked.GetFailure().text);
        PrintMessages(ui, 0, err);
        err << "tomecraft-gas: nothing written\n";
        return kExitFailed;
    }
    if (!ReadAsEditor(doc, ui, inv)) {
        PrintMessages(ui, 0, err);
        err << "tomecraft-gas: nothing written, since the files could not be read\n";
        return kExitFailed;
    }
    if (!inv.force && !ui.Messages().empty()) {
        // The editor shows these before anyone decides to save; here nobody would read them.
        PrintMessages(ui, 0, err);
        err << "tomecraft-gas: nothing written, since reading reported the above (--force "
               "writes anyway)\n";
        return kExitFailed;
    }
    if (!inv.force && CountReadingNotes(doc.GetDiagnostics()) > 0) {
        PrintNotes(doc, err);
        err << "tomecraft-gas: nothing written, since a save would change the above (--force "
               "writes anyway)\n";
        return kExitFailed;
    }
    if (!inv.force) {
        if (const std::string problem = EmptiedFile(doc, inv); !problem.empty()) {
            PrintMessages(ui, 0, err);
            err << "tomecraft-gas: " << problem
                << " was not empty but yields nothing; nothing written (--force writes it)\n";
            return kExitFailed;
        }
    }
    if (inv.backupDir) {
        doc.SetBackupPath(*inv.backupDir);
    }
    doc.SetMayAsk(false); // nobody answers: a file changed meanwhile is left as it is
    const std::size_t before = ui.Messages().size();
    bool written = false;
    try {
        written = doc.WriteAll();
    } catch (const std::bad_alloc&) {
        // The save has reported through the document; this comes after, the files as it said.
        err << "tomecraft-gas: out of memory\n";
        return kExitFailed;
    }
    try {
        PrintMessages(ui, 0, err);
    } catch (const std::bad_alloc&) {
        err << "tomecraft-gas: out of memory\n";
    }
    // A save that had something to say (a change by another program kept in the backup) is
    // not a plain success.
    return written && ui.Messages().size() == before ? kExitOk : kExitFailed;
}

int Check(Document& doc, RecordingUi& ui, const Invocation& inv, std::ostream& out,
          std::ostream& err) {
    const bool read = ReadAsEditor(doc, ui, inv);
    PrintMessages(ui, 0, err);
    bool anyError = !read;
    if (!read) {
        out << "error: the files could not be read in full\n";
    }
    // The findings and the reading notes in one list, in the order the editor lists them.
    Diagnostics listed = doc.Findings().All();
    for (const Diagnostic& d : doc.GetDiagnostics()) {
        if (d.kind == Diagnostic::Kind::ReadingNote) {
            listed.push_back(d);
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [&inv](const auto& a, const auto& b) {
        return ListedBefore(a, b, inv.lorePath);
    });
    for (const Diagnostic& d : listed) {
        anyError = anyError || d.severity == Severity::Error;
        out << DiagnosticLine(d) << "\n";
    }
    return anyError ? kExitFailed : kExitOk;
}

int Translations(Document& doc, RecordingUi& ui, const Invocation& inv, std::ostream& out,
                 std::ostream& err) {
    const bool read = ReadAsEditor(doc, ui, inv);
    PrintMessages(ui, 0, err);
    Diagnostics listed;
    std::optional<LanguageFile> language;
    std::size_t missing = 0;
    if (!inv.languagePath.empty()) {
        Result<LanguageFile> file = ReadLanguageFile(inv.languagePath, listed);
        if (!file) {
            err << file.GetFailure().text << "\n";
            return kExitFailed;
        }
        language.emplace(std::move(file).TakeValue());
        // The states the editor keeps, so that the counts and the lines are the editor's; the
        // file's own repeats and malformed entries came with the read.
        TranslationStates states(*language, {inv.lorePath, inv.templatePath, inv.languagePath});
        states.Reset(doc.Data());
        out << ProgressText(language->LanguageId(), states.Counts()) << "\n";
        for (const Node* node : states.Concerned()) {
            states.About(node, listed);
        }
        missing = states.Counts().missing;
        std::stable_sort(listed.begin(), listed.end(), [&inv](const auto& a, const auto& b) {
            return ListedBefore(a, b, inv.lorePath);
        });
        for (const Diagnostic& d : listed) {
            out << DiagnosticLine(d) << "\n";
        }
    }
    bool done = read && missing == 0;
    if (!inv.extractPath.empty()) {
        const LanguageFile extract =
            ExtractMissing(doc.Data(), language ? &*language : nullptr,
                           inv.languageId != 0 ? inv.languageId : language->LanguageId());
        SaveRequest request = LanguageSaveRequest(inv.extractPath, "", extract, nullptr);
        Diagnostics messages;
        const bool written = SaveFile(request, messages);
        for (const Diagnostic& d : messages) {
            err << d.text << "\n";
        }
        out << "wrote " << extract.Size() << (extract.Size() == 1 ? " entry" : " entries")
            << " to translate to " << inv.extractPath << "\n";
        done = done && written;
    }
    return done ? kExitOk : kExitFailed;
}

} // namespace

int RunGasTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // Out of memory before the save began, or in a command that writes nothing: the save
    // reports its own, and says what it changed.
    try {
        Invocation inv;
        if (const auto problem = Parse(args, inv)) {
            err << "tomecraft-gas: " << *problem << "\n\n" << HelpOf(inv.command);
            return kExitUsage;
        }
        if (inv.version) {
            out << "tomecraft-gas " << kVersion << "\n" << kLicenceNotice;
            return kExitOk;
        }
        if (inv.help) {
            out << HelpOf(inv.command);
            return kExitOk;
        }
        RecordingUi ui;
        HeadlessHost host;
        const MemorySettings noSettings; // backups go beside the files unless --backup-dir says
        Document doc(ui, host, noSettings);
        if (inv.command == "format") {
            return Format(doc, ui, inv, err);
        }
        if (inv.command == "check") {
            return Check(doc, ui, inv, out, err);
        }
        if (inv.command == "translations") {
            return Translations(doc, ui, inv, out, err);
        }
        const bool read = ReadAsEditor(doc, ui, inv);
        WriteDumpJson(doc, ui.Messages(), out);
        return read ? kExitOk : kExitFailed;
    } catch (const std::bad_alloc&) {
        err << "tomecraft-gas: out of memory; no file was changed\n";
        return kExitFailed;
    }
}

} // namespace tc::cli
