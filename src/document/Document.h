// The one document of the editor: it owns the books and templates of the open pair of files and
// their undo history, reads and writes the two game files, and runs the open, save, close,
// new-node, delete, undo, redo, find and backup location flows. It reaches the panes only
// through their interfaces, and hands out the nodes as const: every change goes through the
// data's door, and the tree follows each one as it is told.
#pragma once

#include "document/DocumentHost.h"
#include "document/EditableData.h"
#include "document/PairFindings.h"
#include "document/TranslationStates.h"
#include "gasfiles/Diagnostic.h"
#include "gasfiles/Result.h"
#include "gasfiles/SafeWrite.h"
#include "platform/FileCause.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/SettingsStore.h"
#include "platform/UserInterface.h"

#include <optional>
#include <span>
#include <string>
#include <utility>

namespace tc {

class Document {
public:
    // Reads the remembered backup folder from `settings`.
    Document(UserInterface& ui, DocumentHost& host, const SettingsStore& settings);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    ~Document();

    // The books, the templates and the history, to read; and the door through which the forms
    // and the tree change them.
    const EditableData& Data() const { return m_data; }
    EditableData& Data() { return m_data; }

    // The Open command: save question, Open dialog, read both files, sort, rebuild the tree.
    // Cancelling with nothing loaded ends the program.
    void OnFileOpen();
    // The Save command: writes each changed file, lore content first.
    void OnFileSave();
    // The Backup location command: takes the folder the dialog chooses.
    void OnBackupLocation();
    // Asked before the main window closes; false keeps it open.
    bool CanCloseFrame();

    // Has the shown form store what the user typed; false when the form refused it.
    bool CommitFormEdits();
    // Runs the New Node dialog and appends a node of that name; null when cancelled.
    const Node* NewNode(NodeType type);

    // Undo, Redo, Find (which asks for the text), Find Next and Find Previous: each first has
    // the form store what was typed, and stops when it refuses; the tree and the form then
    // show the node the step changed or found.
    void OnEditUndo();
    void OnEditRedo();
    void OnEditFind();
    void OnFindNext(bool forward);

    // File > Open Translation: reads the language file at `path` and puts it beside the pair,
    // locked, from now on saved with it. Unsaved changes are offered for saving first (a new
    // translation starts a new history). What reading found is kept in
    // ListedDiagnostics(). A translation that cannot be opened, or a cancelled save
    // question, leaves the one before (GetTranslationPath() still names it).
    Result<void> OpenTranslation(const std::string& path);
    // Empty when none is open.
    const std::string& GetTranslationPath() const { return m_translationPath; }
    // "German: 134 of 200 books, 40 of 60 titles", or empty with no translation open.
    std::string TranslationProgress() const;
    // The state of a node's translation; Nothing with no translation open.
    TranslationState TranslationStateOf(const Node* node) const;

    // A successful write makes the file's present state its saved one.
    bool WriteLoreFile(const std::string& path);
    bool WriteTemplateFile(const std::string& path);

    // Locks both files against other editors and tomecraft-gas for as long as the document
    // keeps them (or until the next call). Fails, naming the holder, when another program holds
    // either; the locks held before then stay.
    Result<void> LockPair(const std::string& lorePath, const std::string& templatePath);

    // Reads both files and puts their nodes, sorted, in place of the document's. A file that
    // cannot be opened is reported and the other is still read: the value says whether both
    // were opened. A file that fails in the middle of a read ends it there, keeping what was
    // read, and is the result's failure. The readers' messages are shown as message boxes, in
    // order; everything found is kept in Diagnostics().
    Result<bool> ReadPair(const std::string& lorePath, const std::string& templatePath);
    // What the last ReadPair found: the readers' messages and the notes of what a save would
    // change in each file.
    const Diagnostics& GetDiagnostics() const { return m_diagnostics; }
    // What is wrong or doubtful about the pair as it stands: found when first asked for (an Open
    // of a pair nobody checks costs nothing more), then kept current with every change.
    const PairFindings& Findings() const;
    // What a list of the findings must make again since it last asked: everything after a
    // read, else the rows about the touched nodes.
    struct FindingChanges {
        bool all = false;
        std::vector<const Node*> touched;
    };
    FindingChanges TakeFindingChanges();
    // What the problems list is made of: the findings, then the translations' state.
    FindingSources ListedFindings() const;
    // The diagnostics it lists beside them: the reading notes, what the language file holds.
    Diagnostics ListedDiagnostics() const;
    // "Saving will change 7 places in lore.gas: View > Problems", or empty.
    std::string ReadingNotesSummary() const;
    // The node a diagnostic concerns, if it is loaded.
    const Node* NodeOf(const Diagnostic& d) const;
    // Shows a loaded node in the tree and the form, once the form has stored its typing; false
    // when the form refused it.
    bool ShowNode(const Node* node);
    // Writes each modified file, lore content first, each collection sorted first, the two
    // as a unit.
    void WriteModified();
    // Writes both files whether modified or not; true when both were written.
    bool WriteAll();

    UserInterface& Ui() { return m_ui; }

    // The panes register themselves; Detach forgets a pane only if it is the registered one.
    void AttachFormView(FormViewInterface* form) { m_formView = form; }
    void DetachFormView(const FormViewInterface* form);
    bool HasFormView() const { return m_formView != nullptr; }
    void AttachTreeView(TreeViewInterface* tree) { m_treeView = tree; }
    void DetachTreeView(const TreeViewInterface* tree);

    // The folder the backups go to; empty for beside each file.
    const std::string& GetBackupPath() const { return m_backupPath; }
    void SetBackupPath(std::string folder) { m_backupPath = std::move(folder); }
    // The pair last read.
    const std::string& GetLorePath() const { return m_lorePath; }
    const std::string& GetTemplatePath() const { return m_templatePath; }
    // How the locks name this program to whoever meets them.
    void SetLockHolder(std::string holder) { m_lockHolder = std::move(holder); }
    // Whether someone can be asked before a file changed by another program is replaced.
    void SetMayAsk(bool mayAsk) { m_mayAsk = mayAsk; }

private:
    bool ReadLoreFile(const std::string& path, LoreData::Books& books);
    bool ReadTemplateFile(const std::string& path, LoreData::Templates& templates);
    // Shows the messages among found[from, end) as message boxes, in order; notes are listed,
    // never boxed.
    void ShowMessages(const Diagnostics& found, std::size_t from = 0);
    // Before the first save of a file with reading notes: false when the user keeps the files.
    bool AcceptReadingNotes(bool lore, bool templates);
    bool WriteFiles(bool lore, bool templates, bool translation);
    // Saves the files as a unit with the wait cursor up, asks about a file another program
    // changed where anyone can be asked, shows what the save had to say, and marks each file
    // that now holds what is shown as saved.
    bool Save(std::span<SaveRequest> requests);
    void Follow(const DataChange& change);
    void ForgetFindings();
    bool AskToSave(); // false when the user cancels or the save fails
    void RebuildTree();

    EditableData m_data;
    std::string m_backupPath;
    std::string m_lorePath;
    std::string m_templatePath;
    std::string m_lockHolder = "Tomecraft";
    bool m_mayAsk = true;
    UserInterface& m_ui;
    DocumentHost& m_host;
    FormViewInterface* m_formView = nullptr;
    TreeViewInterface* m_treeView = nullptr;
    std::string m_findText; // UTF-8
    // The versions of the two files that were read or last written: a save asks before it
    // replaces anything else.
    struct FileVersion {
        std::string path;
        FileStamp stamp;
        FileStamp* Of(const std::string& file) { return file == path ? &stamp : nullptr; }
    };
    FileVersion m_loreVersion;
    FileVersion m_templateVersion;
    FileVersion m_translationVersion;
    PairLock m_pairLock;
    FileLock m_translationLock;
    std::string m_translationPath;
    Diagnostics m_translationDiagnostics;
    std::optional<TranslationStates> m_translationStates;
    Diagnostics m_diagnostics;
    mutable std::optional<PairFindings> m_findings;
    bool m_findingsAnew = true; // since the last TakeFindingChanges
    bool m_loreNotesAccepted = true;
    bool m_templateNotesAccepted = true;
};

} // namespace tc
