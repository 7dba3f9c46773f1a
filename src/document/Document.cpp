#include "document/Document.h"

#include "document/BackupLocation.h"
#include "document/FindNode.h"
#include "document/Translation.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"
#include "platform/Text.h"

#include <cerrno>
#include <new>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace tc {

namespace {

constexpr const char* kSaveQuestion = "Save changes to current data?";

} // namespace

Document::Document(UserInterface& ui, DocumentHost& host, const SettingsStore& settings)
    : m_backupPath(LoadBackupLocation(settings)), m_ui(ui), m_host(host) {
    m_data.SetFollower([this](const DataChange& change) { Follow(change); });
}

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

bool Document::ReadLoreFile(const std::string& path, LoreData::Books& books) {
    m_loreVersion = {path, {}};
    const std::size_t from = m_diagnostics.size();
    bool read = false;
    try {
        read = tc::ReadLoreFile(path, books, m_diagnostics, &m_loreVersion.stamp);
    } catch (...) {
        ShowMessages(m_diagnostics, from); // what was found before the read failed comes first
        throw;
    }
    ShowMessages(m_diagnostics, from);
    m_loreNotesAccepted = CountReadingNotes(m_diagnostics) == 0;
    return read;
}

bool Document::ReadTemplateFile(const std::string& path, LoreData::Templates& templates) {
    m_templateVersion = {path, {}};
    const std::size_t from = m_diagnostics.size();
    const std::size_t notesBefore = CountReadingNotes(m_diagnostics);
    bool read = false;
    try {
        read = tc::ReadTemplateFile(path, templates, m_diagnostics, &m_templateVersion.stamp);
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
    return text + ": View \u203A Problems";
}

const Node* Document::NodeOf(const Diagnostic& d) const {
    if (!d.hasNode) {
        return nullptr;
    }
    if (d.nodeType == NodeType::LoreBook) {
        for (const LoreBook* book : m_data.GetBooks()) {
            if (book->GetName() == d.nodeName) {
                return book;
            }
        }
    } else {
        for (const Template* tmpl : m_data.GetTemplates()) {
            if (tmpl->GetName() == d.nodeName) {
                return tmpl;
            }
        }
    }
    return nullptr;
}

bool Document::ShowNode(const Node* node) {
    if (m_treeView == nullptr || !CommitFormEdits()) {
        return false;
    }
    m_treeView->SelectNode(node);
    return true;
}

bool Document::AcceptReadingNotes(bool lore, bool templates) {
    if ((!lore || m_loreNotesAccepted) && (!templates || m_templateNotesAccepted)) {
        return true;
    }
    if (m_ui.MessageBoxUtf8("Save anyway? The changes are listed under View \u203A Problems.",
                            MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) {
        return false;
    }
    m_loreNotesAccepted = m_loreNotesAccepted || lore;
    m_templateNotesAccepted = m_templateNotesAccepted || templates;
    return true;
}

bool Document::WriteLoreFile(const std::string& path) {
    SaveRequest request =
        LoreSaveRequest(path, m_backupPath, m_data.BookList(), m_loreVersion.Of(path));
    return Save(std::span<SaveRequest>(&request, 1));
}

bool Document::WriteTemplateFile(const std::string& path) {
    SaveRequest request =
        TemplateSaveRequest(path, m_backupPath, m_data.TemplateList(), m_templateVersion.Of(path));
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
            m_data.MarkSaved(request.access == FileAccess::WriteLore ? DataFile::Lore
                             : request.access == FileAccess::WriteTemplates
                                 ? DataFile::Templates
                                 : DataFile::Translation);
        }
    }
    ShowMessages(messages);
    return written;
}

Result<void> Document::LockPair(const std::string& lorePath, const std::string& templatePath) {
    // A device, FIFO, socket or folder is refused before a lock file is made beside it.
    for (const std::string* path : {&lorePath, &templatePath}) {
        FileInfo info;
        if (const int error = InspectFile(*path, info); error == EISDIR || error == ENODEV) {
            return FileFailure(*path, Cp1252ToUtf8(OpenFailureReport(FileAccess::ReadAny,
                                                                     CauseOfError(error), *path)));
        }
    }
    if (const std::string problem = m_pairLock.Take(lorePath, templatePath, m_lockHolder);
        !problem.empty()) {
        return FileFailure(lorePath, Cp1252ToUtf8(problem));
    }
    return {};
}

Result<bool> Document::ReadPair(const std::string& lorePath, const std::string& templatePath) {
    // A new pair starts without a translation (the data's reset drops it).
    m_translationLock.Release();
    m_translationPath.clear();
    m_translationDiagnostics.clear();
    m_translationStates.reset();
    m_diagnostics.clear();
    m_lorePath = lorePath;
    m_templatePath = templatePath;
    // The nodes shown so far stay until the new ones take their place, whatever the messages
    // shown while reading let the windows do.
    LoreData::Books books;
    LoreData::Templates templates;
    bool loreRead = false;
    bool templatesRead = false;
    try {
        loreRead = ReadLoreFile(m_lorePath, books);
        templatesRead = ReadTemplateFile(m_templatePath, templates);
    } catch (const FileError& error) {
        m_data.Reset(std::move(books), std::move(templates), false); // what was read is kept
        ForgetFindings();
        return FileFailure(error.Path(), error.what());
    }
    m_data.Reset(std::move(books), std::move(templates));
    ForgetFindings();
    return loreRead && templatesRead;
}

bool Document::WriteFiles(bool lore, bool templates, bool translation) {
    // The files are saved as a unit: none is replaced until all are ready.
    std::vector<SaveRequest> requests;
    requests.reserve(3);
    if (lore) {
        m_data.SortForSave(DataFile::Lore);
        requests.push_back(LoreSaveRequest(m_lorePath, m_backupPath, m_data.BookList(),
                                           m_loreVersion.Of(m_lorePath)));
    }
    if (templates) {
        m_data.SortForSave(DataFile::Templates);
        requests.push_back(TemplateSaveRequest(m_templatePath, m_backupPath, m_data.TemplateList(),
                                               m_templateVersion.Of(m_templatePath)));
    }
    if (translation && m_data.Translation() != nullptr) {
        requests.push_back(LanguageSaveRequest(m_translationPath, m_backupPath,
                                               *m_data.Translation(),
                                               m_translationVersion.Of(m_translationPath)));
    }
    return Save(requests);
}

void Document::WriteModified() {
    const bool lore = m_data.IsModified(DataFile::Lore);
    const bool templates = m_data.IsModified(DataFile::Templates);
    if (AcceptReadingNotes(lore, templates)) {
        WriteFiles(lore, templates, m_data.IsModified(DataFile::Translation));
    }
}

bool Document::WriteAll() {
    return WriteFiles(true, true, false);
}

Result<void> Document::OpenTranslation(const std::string& path) {
    if (!CommitFormEdits() || (m_data.IsModified(DataFile::Translation) && !AskToSave())) {
        return {}; // the user kept the translation open, or its save failed and said why
    }
    // The file open now is read again under the lock it holds.
    FileLock lock;
    if (const std::string problem = path == m_translationPath ? "" : lock.Take(path, m_lockHolder);
        !problem.empty()) {
        return FileFailure(path, Cp1252ToUtf8(problem));
    }
    Diagnostics found;
    FileStamp stamp;
    Result<LanguageFile> read = ReadLanguageFile(path, found, &stamp);
    if (!read) {
        return read.GetFailure();
    }
    if (path != m_translationPath) {
        m_translationLock = std::move(lock);
    }
    m_translationPath = path;
    m_translationVersion = {path, stamp};
    m_translationDiagnostics = std::move(found);
    m_data.SetTranslation(std::make_unique<LanguageFile>(std::move(read).TakeValue()));
    m_translationStates.emplace(*m_data.Translation(),
                                TranslationPaths{m_lorePath, m_templatePath, path});
    m_translationStates->Reset(m_data);
    m_findingsAnew = true; // the list shows the translation's findings too
    return {};
}

std::string Document::TranslationProgress() const {
    return m_translationStates
               ? ProgressText(m_data.Translation()->LanguageId(), m_translationStates->Counts())
               : std::string();
}

TranslationState Document::TranslationStateOf(const Node* node) const {
    return m_translationStates ? m_translationStates->StateOf(node) : TranslationState::Nothing;
}

FindingSources Document::ListedFindings() const {
    FindingSources sources{&Findings()};
    if (m_translationStates) {
        sources.push_back(&*m_translationStates);
    }
    return sources;
}

Diagnostics Document::ListedDiagnostics() const {
    Diagnostics listed = m_diagnostics;
    listed.insert(listed.end(), m_translationDiagnostics.begin(), m_translationDiagnostics.end());
    return listed;
}

bool Document::CommitFormEdits() {
    // Typed values are committed whatever the flags say, so nothing the user typed is lost.
    if (m_formView == nullptr || !m_formView->WindowExists()) {
        return true;
    }
    return m_formView->CommitEdits();
}

bool Document::AskToSave() {
    if (!m_data.IsModified()) {
        return true;
    }
    switch (m_ui.MessageBox(kSaveQuestion, MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgAnswer::Cancel:
        return false;
    case MsgAnswer::Yes:
        // A file that could not be written keeps its flag; going on would drop its changes.
        WriteModified();
        return !m_data.IsModified();
    default:
        return true;
    }
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
    if (!AskToSave()) {
        return;
    }
    const std::optional<OpenPaths> paths = m_host.RunOpenDialog();
    if (!paths) {
        if (m_data.GetBooks().empty() && m_data.GetTemplates().empty()) {
            m_host.SendExit();
        }
        return;
    }
    if (const Result<void> locked = LockPair(paths->lorePath, paths->templatePath); !locked) {
        ShowMessages({locked.GetFailure()});
        return;
    }
    std::optional<Result<bool>> read;
    try {
        read.emplace(ReadPair(paths->lorePath, paths->templatePath));
    } catch (const std::bad_alloc&) {
        m_diagnostics.clear();
        m_data.Reset({}, {}); // what was read so far may be any part of the files: keep none of it
        ForgetFindings();
        RebuildTree();
        m_ui.MessageBox("There is not enough memory to open these files.", MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    // The tree still shows the nodes the read replaced: it is rebuilt before anything else runs
    // (a message box does), so that nothing refers to a destroyed node.
    RebuildTree();
    if (!*read) {
        ShowMessages({read->GetFailure()}); // the read stopped midway, keeping what it read
        return;
    }
    m_host.ShowStatus(Utf8ToCp1252(ReadingNotesSummary()));
}

void Document::OnFileSave() {
    CommitFormEdits(); // a refused form keeps its typing; what is stored is still written
    WriteModified();
}

bool Document::CanCloseFrame() {
    if (!CommitFormEdits()) {
        return false;
    }
    return AskToSave();
}

void Document::OnBackupLocation() {
    if (const std::optional<std::string> folder = m_host.RunBackupLocationDialog()) {
        m_backupPath = *folder;
    }
}

const Node* Document::NewNode(NodeType type) {
    if (!IsNodeType(type)) {
        return nullptr;
    }
    const std::optional<std::string> name =
        m_host.RunNewNodeDialog("New " + GetNodeTypeName(type), m_data);
    if (!name) {
        return nullptr;
    }
    return m_data.AddNode(type, *name);
}

void Document::ForgetFindings() {
    m_findings.reset();
    m_findingsAnew = true;
}

Document::FindingChanges Document::TakeFindingChanges() {
    Findings();
    FindingChanges changes{std::exchange(m_findingsAnew, false), m_findings->TakeTouched()};
    if (m_translationStates) {
        const std::vector<const Node*> touched = m_translationStates->TakeTouched();
        changes.touched.insert(changes.touched.end(), touched.begin(), touched.end());
    }
    if (changes.all) {
        changes.touched.clear();
    }
    return changes;
}

const PairFindings& Document::Findings() const {
    if (!m_findings) {
        m_findings.emplace(m_lorePath, m_templatePath).Reset(m_data);
    }
    return *m_findings;
}

void Document::Follow(const DataChange& change) {
    if (m_findings) {
        m_findings->Follow(change);
    }
    if (m_translationStates) {
        m_translationStates->Follow(change);
    }
    if (m_treeView != nullptr) {
        m_treeView->Follow(change);
    }
}

void Document::OnEditUndo() {
    if (!m_data.CanUndo()) {
        return;
    }
    // Undoing the New of the node the form shows always gets out of the form: typing it refuses
    // goes with the node.
    if (m_formView != nullptr && m_formView->WindowExists() && m_data.UndoRemoves() != nullptr &&
        m_data.UndoRemoves() == m_formView->ShownNode()) {
        if (!m_formView->CommitEdits(true)) {
            m_formView->PutBack();
        }
        m_data.Undo();
        return;
    }
    // Typing not yet stored becomes the step that Undo takes back; Redo gives it back.
    if (CommitFormEdits()) {
        m_data.Undo();
    }
}

void Document::OnEditRedo() {
    // Typing stored now is a new step, after which there is nothing left to redo.
    if (m_data.CanRedo() && CommitFormEdits() && m_data.CanRedo()) {
        m_data.Redo();
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
    // The English texts whose translation holds the text are found as their nodes.
    std::unordered_set<std::string_view> translated;
    if (const LanguageFile* file = m_data.Translation()) {
        translated = TextsTranslatedWith(*file, m_findText);
    }
    const FoundNode found = FindNode(m_treeView->NodesInOrder(), m_treeView->SelectedNode(),
                                     Utf8ToCp1252(m_findText), forward, &translated);
    if (found.node == nullptr) {
        m_host.ShowStatus(Utf8ToCp1252("'" + m_findText + "' not found"));
        return;
    }
    m_treeView->SelectNode(found.node);
    m_host.ShowStatus(!found.wrapped ? std::string()
                      : forward      ? "Passed the end of the tree; continued from the top"
                                     : "Passed the start of the tree; continued from the end");
}

} // namespace tc
