#include "document/Document.h"

#include "document/BackupLocation.h"
#include "document/FindNode.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"
#include "platform/Text.h"

#include <cerrno>
#include <new>
#include <vector>

namespace tc {

namespace {

constexpr const char* kSaveQuestion = "Save changes to current data?";

} // namespace

Document::Document(UserInterface& ui, DocumentHost& host, const SettingsStore& settings)
    : backupPath(LoadBackupLocation(settings)), m_ui(ui), m_host(host) {}

Document::~Document() = default;

void Document::DetachFormView(const FormViewInterface* form) {
    if (m_formView == form) {
        m_formView = nullptr;
    }
}

void Document::DetachTreeView(const TreeViewInterface* tree) {
    if (m_treeView == tree) {
        m_treeView = nullptr;
    }
}

void Document::ShowMessages(const Diagnostics& found, std::size_t from) {
    for (std::size_t k = from; k < found.size(); ++k) {
        if (found[k].kind == Diagnostic::Kind::Message) {
            m_ui.MessageBoxUtf8(found[k].text, MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
}

bool Document::ReadLoreFile(const std::string& path) {
    m_loreVersion = {path, {}};
    const std::size_t from = m_diagnostics.size();
    bool read = false;
    try {
        read = tc::ReadLoreFile(path, BookList(), m_diagnostics, &m_loreVersion.stamp);
    } catch (...) {
        ShowMessages(m_diagnostics, from); // what was found before the read failed comes first
        throw;
    }
    ShowMessages(m_diagnostics, from);
    m_loreNotesAccepted = CountReadingNotes(m_diagnostics) == 0;
    return read;
}

bool Document::ReadTemplateFile(const std::string& path) {
    m_templateVersion = {path, {}};
    const std::size_t from = m_diagnostics.size();
    const std::size_t notesBefore = CountReadingNotes(m_diagnostics);
    bool read = false;
    try {
        read = tc::ReadTemplateFile(path, TemplateList(), m_diagnostics, &m_templateVersion.stamp);
    } catch (...) {
        ShowMessages(m_diagnostics, from);
        throw;
    }
    ShowMessages(m_diagnostics, from);
    m_templateNotesAccepted = CountReadingNotes(m_diagnostics) == notesBefore;
    return read;
}

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string Document::ReadingNotesSummary() const {
    std::size_t lore = 0;
    std::size_t templates = 0;
    for (const Diagnostic& d : m_diagnostics) {
        if (d.kind == Diagnostic::Kind::ReadingNote) {
            ++(d.path == m_lorePath ? lore : templates);
        }
    }
    if (lore + templates == 0) {
        return {};
    }
    const auto places = [](std::size_t n) {
        return std::to_string(n) + (n == 1 ? " place" : " places");
    };
    std::string text = "Saving will change ";
    if (lore > 0 && templates > 0) {
        text += places(lore) + " in " + FileNameOf(m_lorePath) + " and " +
                std::to_string(templates) + " in " + FileNameOf(m_templatePath);
    } else {
        text +=
            places(lore + templates) + " in " + FileNameOf(lore > 0 ? m_lorePath : m_templatePath);
    }
    return text + ": View \u203A Reading Notes";
}

Node* Document::NodeOf(const Diagnostic& d) {
    if (!d.hasNode) {
        return nullptr;
    }
    if (d.nodeType == NodeType::LoreBook) {
        for (const auto& book : GetBooks()) {
            if (book->GetName() == d.nodeName) {
                return book.get();
            }
        }
    } else {
        for (const auto& tmpl : GetTemplates()) {
            if (tmpl->GetName() == d.nodeName) {
                return tmpl.get();
            }
        }
    }
    return nullptr;
}

void Document::GoToNode(const Diagnostic& d) {
    Node* node = NodeOf(d);
    if (node != nullptr && m_treeView != nullptr && CommitFormEdits()) {
        m_treeView->SelectNode(node);
    }
}

bool Document::AcceptReadingNotes(bool lore, bool templates) {
    if ((!lore || m_loreNotesAccepted) && (!templates || m_templateNotesAccepted)) {
        return true;
    }
    if (m_ui.MessageBoxUtf8("Save anyway? The changes are listed under View \u203A Reading Notes.",
                            MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) {
        return false;
    }
    m_loreNotesAccepted = m_loreNotesAccepted || lore;
    m_templateNotesAccepted = m_templateNotesAccepted || templates;
    return true;
}

bool Document::WriteLoreFile(const std::string& path) {
    SaveRequest request = LoreSaveRequest(path, backupPath, GetBooks(), m_loreVersion.Of(path));
    return Save(std::span<SaveRequest>(&request, 1));
}

bool Document::WriteTemplateFile(const std::string& path) {
    SaveRequest request =
        TemplateSaveRequest(path, backupPath, GetTemplates(), m_templateVersion.Of(path));
    return Save(std::span<SaveRequest>(&request, 1));
}

bool Document::Save(std::span<SaveRequest> requests) {
    AskToReplace ask;
    if (m_mayAsk) {
        ask = [this](const std::string& question) {
            return m_ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Question) ==
                   MsgAnswer::Yes;
        };
    }
    Diagnostics messages;
    bool written = false;
    {
        BusyCursor busy(m_ui);
        written = SaveFiles(requests, messages, ask);
    }
    for (const SaveRequest& request : requests) {
        if (request.saved) {
            MarkSaved(request.access == FileAccess::WriteLore ? DataFile::Lore
                                                              : DataFile::Templates);
        }
    }
    ShowMessages(messages);
    return written;
}

bool Document::LockPair(const std::string& lorePath, const std::string& templatePath) {
    // A device, FIFO, socket or folder is refused before a lock file is made beside it.
    for (const std::string* path : {&lorePath, &templatePath}) {
        FileInfo info;
        if (const int error = InspectFile(*path, info); error == EISDIR || error == ENODEV) {
            m_ui.MessageBox(OpenFailureReport(FileAccess::ReadAny, CauseOfError(error), *path),
                            MsgButtons::Ok, MsgIcon::Exclamation);
            return false;
        }
    }
    const std::string problem = m_pairLock.Take(lorePath, templatePath, m_lockHolder);
    if (!problem.empty()) {
        m_ui.MessageBox(problem, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool Document::ReadPair(const std::string& lorePath, const std::string& templatePath) {
    ClearData();
    m_diagnostics.clear();
    m_lorePath = lorePath;
    m_templatePath = templatePath;
    const bool loreRead = ReadLoreFile(m_lorePath);
    const bool templatesRead = ReadTemplateFile(m_templatePath);
    SortBooks();
    SortTemplates();
    return loreRead && templatesRead;
}

bool Document::WriteFiles(bool lore, bool templates) {
    // Both files are saved as a unit: neither is replaced until both are ready.
    std::vector<SaveRequest> requests;
    requests.reserve(2);
    if (lore) {
        SortBooks();
        requests.push_back(
            LoreSaveRequest(m_lorePath, backupPath, GetBooks(), m_loreVersion.Of(m_lorePath)));
    }
    if (templates) {
        SortTemplates();
        requests.push_back(TemplateSaveRequest(m_templatePath, backupPath, GetTemplates(),
                                               m_templateVersion.Of(m_templatePath)));
    }
    return Save(requests);
}

void Document::WriteModified() {
    const bool lore = IsModified(DataFile::Lore);
    const bool templates = IsModified(DataFile::Templates);
    if (AcceptReadingNotes(lore, templates)) {
        WriteFiles(lore, templates);
    }
}

bool Document::WriteAll() {
    return WriteFiles(true, true);
}

bool Document::CommitFormEdits() {
    // Typed values are committed whatever the flags say, so nothing the user typed is lost.
    if (m_formView == nullptr || !m_formView->WindowExists()) {
        return true;
    }
    return m_formView->CommitEdits();
}

bool Document::AskToSave() {
    if (!IsModified()) {
        return true;
    }
    switch (m_ui.MessageBox(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgAnswer::Cancel:
        return false;
    case MsgAnswer::Yes:
        // A file that could not be written keeps its flag; going on would drop its changes.
        WriteModified();
        return !IsModified();
    default:
        return true;
    }
}

void Document::ShowFileError(const FileError& error) {
    m_ui.MessageBoxUtf8(error.what(), MsgButtons::Ok, MsgIcon::Exclamation);
}

void Document::RebuildTree() {
    if (m_treeView != nullptr) {
        m_treeView->RebuildTree(TreeViewInterface::kAllGroups);
    }
}

void Document::OnFileOpen() {
    if (!CommitFormEdits()) {
        return;
    }
    try {
        if (!AskToSave()) {
            return;
        }
    } catch (const FileError& error) {
        ShowFileError(error); // the save failed midway: keep everything as it is
        return;
    }
    const std::optional<OpenPaths> paths = m_host.RunOpenDialog();
    if (!paths) {
        if (GetBooks().empty() && GetTemplates().empty()) {
            m_host.SendExit();
        }
        return;
    }
    if (!LockPair(paths->lorePath, paths->templatePath)) {
        return;
    }
    try {
        ReadPair(paths->lorePath, paths->templatePath);
    } catch (const FileError& error) {
        // The read stopped midway. The tree still shows the nodes cleared before the read:
        // rebuild it from what was read before anything else runs (the message box does), so
        // that nothing refers to a destroyed node.
        RebuildTree();
        ShowFileError(error);
        return;
    } catch (const std::bad_alloc&) {
        m_diagnostics.clear();
        ClearData(); // what was read so far may be any part of the files: keep none of it
        RebuildTree();
        m_ui.MessageBox("There is not enough memory to open these files.", MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    RebuildTree();
    m_host.ShowStatus(Utf8ToCp1252(ReadingNotesSummary()));
}

void Document::OnFileSave() {
    CommitFormEdits(); // a refused form keeps its typing; what is stored is still written
    try {
        WriteModified();
    } catch (const FileError& error) {
        ShowFileError(error);
    }
}

bool Document::CanCloseFrame() {
    if (!CommitFormEdits()) {
        return false;
    }
    try {
        return AskToSave();
    } catch (const FileError& error) {
        ShowFileError(error);
        return false;
    }
}

void Document::OnBackupLocation() {
    if (const std::optional<std::string> folder = m_host.RunBackupLocationDialog()) {
        backupPath = *folder;
    }
}

Node* Document::NewNode(NodeType type) {
    if (!IsNodeType(type)) {
        return nullptr;
    }
    const std::optional<std::string> name =
        m_host.RunNewNodeDialog("New " + GetNodeTypeName(type), *this);
    if (!name) {
        return nullptr;
    }
    return AddNode(type, *name);
}

void Document::Follow(const DataChange& change) {
    if (m_treeView != nullptr) {
        m_treeView->Follow(change);
    }
}

void Document::OnEditUndo() {
    if (!CanUndo()) {
        return;
    }
    // Undoing the New of the node the form shows always gets out of the form: typing it refuses
    // goes with the node.
    if (m_formView != nullptr && m_formView->WindowExists() && UndoRemoves() != nullptr &&
        UndoRemoves() == m_formView->ShownNode()) {
        if (!m_formView->CommitEdits(true)) {
            m_formView->PutBack();
        }
        Follow(Undo());
        return;
    }
    // Typing not yet stored becomes the step that Undo takes back; Redo gives it back.
    if (CommitFormEdits()) {
        Follow(Undo());
    }
}

void Document::OnEditRedo() {
    // Typing stored now is a new step, after which there is nothing left to redo.
    if (CanRedo() && CommitFormEdits() && CanRedo()) {
        Follow(Redo());
    }
}

void Document::OnEditFind() {
    if (std::optional<std::string> text = m_host.RunFindDialog(m_findText)) {
        m_findText = std::move(*text);
        if (!m_findText.empty()) {
            OnFindNext(true);
        }
    }
}

void Document::OnFindNext(bool forward) {
    if (m_findText.empty()) {
        OnEditFind();
        return;
    }
    if (m_treeView == nullptr || !CommitFormEdits()) {
        return;
    }
    const FoundNode found =
        FindNode(m_treeView->NodesInOrder(), m_treeView->SelectedNode(), m_findText, forward);
    if (found.node == nullptr) {
        m_host.ShowStatus("'" + m_findText + "' not found");
        return;
    }
    m_treeView->SelectNode(found.node);
    m_host.ShowStatus(!found.wrapped ? std::string()
                      : forward      ? "Passed the end of the tree; continued from the top"
                                     : "Passed the start of the tree; continued from the end");
}

} // namespace tc
