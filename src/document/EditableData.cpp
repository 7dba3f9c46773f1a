#include "document/EditableData.h"

#include "document/Translation.h"
#include "platform/Text.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace tc {

// One step of the history: it can be done (again) and undone, any number of times in turn.
class DataCommand {
public:
    DataCommand(DataFile file, std::string name) : m_file(file), m_name(std::move(name)) {}
    virtual ~DataCommand() = default;
    virtual DataChange Do(LoreData::Books& books, LoreData::Templates& templates) = 0;
    virtual DataChange Undo(LoreData::Books& books, LoreData::Templates& templates) = 0;
    // The node that undoing this step takes out of its collection, if any.
    virtual const Node* UndoRemoves() const { return nullptr; }
    virtual bool Changes(DataFile file) const { return file == m_file; }
    const std::string& Name() const { return m_name; }

private:
    DataFile m_file;
    std::string m_name;
};

namespace {

std::string Quoted(std::string_view verb, std::string_view name) {
    return std::string(verb) + " '" + std::string(name) + "'";
}

template <class Kind> constexpr DataFile FileOf() {
    return std::is_same_v<Kind, LoreBook> ? DataFile::Lore : DataFile::Templates;
}

template <class Kind>
std::vector<std::unique_ptr<Kind>>& ListOf(LoreData::Books& books, LoreData::Templates& templates) {
    if constexpr (std::is_same_v<Kind, LoreBook>) {
        return books;
    } else {
        return templates;
    }
}

// Storing values in a node: the node and the values it does not hold trade places.
template <class Kind> class StoreCommand : public DataCommand {
public:
    StoreCommand(Kind& node, const Kind& values)
        : DataCommand(FileOf<Kind>(), node.GetNameView() == values.GetNameView()
                                          ? Quoted("Update", values.GetNameView())
                                          : Quoted("Rename", node.GetNameView()) + " to '" +
                                                values.GetName() + "'"),
          m_node(node), m_other(values) {}
    DataChange Do(LoreData::Books&, LoreData::Templates&) override { return Swap(); }
    DataChange Undo(LoreData::Books&, LoreData::Templates&) override { return Swap(); }

private:
    DataChange Swap() {
        std::swap(m_node, m_other);
        return {DataChange::Kind::Stored, &m_node, false,
                m_node.GetNameView() != m_other.GetNameView()};
    }
    Kind& m_node;
    Kind m_other;
};

// Adding or deleting a node: the node moves between its collection and this step, which keeps it
// alive (and so every step that names it valid) while it is out of the collection.
template <class Kind> class PresenceCommand : public DataCommand {
public:
    // A new node, to be added at the end.
    PresenceCommand(std::unique_ptr<Kind> node, std::size_t index)
        : DataCommand(FileOf<Kind>(), Quoted("New", node->GetNameView())), m_node(node.get()),
          m_owned(std::move(node)), m_index(index) {}
    // A node in its collection, to be deleted.
    explicit PresenceCommand(Kind* node)
        : DataCommand(FileOf<Kind>(), Quoted("Delete", node->GetNameView())), m_node(node) {}

    DataChange Do(LoreData::Books& books, LoreData::Templates& templates) override {
        return Toggle(ListOf<Kind>(books, templates));
    }
    DataChange Undo(LoreData::Books& books, LoreData::Templates& templates) override {
        return Toggle(ListOf<Kind>(books, templates));
    }
    const Node* UndoRemoves() const override { return m_owned ? nullptr : m_node; }

private:
    DataChange Toggle(std::vector<std::unique_ptr<Kind>>& list) {
        if (m_owned) {
            // Back where it was; a save may have sorted the collection since.
            m_index = std::min(m_index, list.size());
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(m_index), std::move(m_owned));
            return {DataChange::Kind::Added, m_node};
        }
        const auto at = std::find_if(list.begin(), list.end(),
                                     [this](const auto& node) { return node.get() == m_node; });
        m_index = static_cast<std::size_t>(at - list.begin());
        m_owned = std::move(*at);
        list.erase(at);
        return {DataChange::Kind::Removed, m_node};
    }

    Kind* m_node;
    std::unique_ptr<Kind> m_owned; // set while the node is out of its collection
    std::size_t m_index = 0;
};

// One entry of the language file, changed or added as part of a step.
struct EntryEdit {
    LanguageFile* file = nullptr;
    std::size_t index = LanguageFile::npos; // npos: added at the end
    LanguageEntry before;
    LanguageEntry after;

    void Do() {
        if (index == LanguageFile::npos) {
            file->Append(after);
        } else {
            file->Set(index, after);
        }
    }
    void Undo() {
        if (index == LanguageFile::npos) {
            file->RemoveLast(); // the steps after this one, which came later, are undone
        } else {
            file->Set(index, before);
        }
    }
};

// A step that also changes the translation: a store of the node (or nothing more) and the entry.
class TranslatedCommand : public DataCommand {
public:
    TranslatedCommand(std::unique_ptr<DataCommand> main, const EntryEdit& edit, const Node& node)
        : DataCommand(DataFile::Translation,
                      main ? main->Name() : Quoted("Translate", node.GetNameView())),
          m_main(std::move(main)), m_edit(edit), m_node(&node) {}

    DataChange Do(LoreData::Books& books, LoreData::Templates& templates) override {
        DataChange change =
            m_main ? m_main->Do(books, templates) : DataChange{DataChange::Kind::Stored, m_node};
        m_edit.Do();
        change.translation = true;
        return change;
    }
    DataChange Undo(LoreData::Books& books, LoreData::Templates& templates) override {
        m_edit.Undo();
        DataChange change =
            m_main ? m_main->Undo(books, templates) : DataChange{DataChange::Kind::Stored, m_node};
        change.translation = true;
        return change;
    }
    bool Changes(DataFile file) const override {
        return file == DataFile::Translation || (m_main && m_main->Changes(file));
    }

private:
    std::unique_ptr<DataCommand> m_main;
    EntryEdit m_edit;
    const Node* m_node;
};

bool SharedByAnother(const LoreData& data, const Node& node, std::string_view english) {
    for (const LoreBook* book : data.GetBooks()) {
        if (book != &node && book->GetTextView() == english) {
            return true;
        }
    }
    for (const Template* tmpl : data.GetTemplates()) {
        if (tmpl != &node && tmpl->GetScreenNameView() == english) {
            return true;
        }
    }
    return false;
}

// What a store does to the translation: a translated English text that changes takes its
// translation along, marked stale (a copy when another node still shows the old text), unless
// the new text has one already; a translation the user stores goes to the new text, current.
// `stored` that equals the old text's translation was not typed over: the translation follows
// a changed text as stale, or is confirmed as current when the text stays.
std::optional<EntryEdit> PlanEntryEdit(LanguageFile& file, const LoreData& data, const Node& node,
                                       std::string_view oldText, std::string_view newText,
                                       const std::string* stored) {
    if (newText.empty()) {
        return std::nullopt;
    }
    constexpr std::size_t npos = LanguageFile::npos;
    const std::size_t oldAt = oldText.empty() ? npos : file.Find(oldText);
    const std::string oldTranslation = oldAt == npos ? std::string() : file.Entry(oldAt).to;
    if (stored != nullptr && oldText != newText && *stored == oldTranslation) {
        stored = nullptr;
    }
    std::optional<EntryEdit> edit;
    const std::size_t newAt = file.Find(newText);
    if (oldText != newText && !oldTranslation.empty() &&
        (newAt == npos || file.Entry(newAt).to.empty())) {
        edit.emplace();
        edit->after = {std::string(newText), oldTranslation, true};
        if (newAt != npos) {
            edit->index = newAt; // an empty entry of the new text takes it
        } else if (!SharedByAnother(data, node, oldText)) {
            edit->index = oldAt;
        }
    }
    if (stored != nullptr) {
        if (!edit) {
            edit.emplace();
            edit->index = newAt;
            edit->after =
                newAt == npos ? LanguageEntry{std::string(newText), {}, false} : file.Entry(newAt);
        }
        edit->after.to = *stored;
        edit->after.stale = false;
    }
    if (!edit) {
        return std::nullopt;
    }
    edit->file = &file;
    if (edit->index != npos) {
        edit->before = file.Entry(edit->index);
        if (edit->before == edit->after) {
            return std::nullopt;
        }
    } else if (edit->after.to.empty()) {
        return std::nullopt; // an empty entry added would translate nothing
    }
    return edit;
}

template <class Kind>
Kind* FindIn(const std::vector<std::unique_ptr<Kind>>& list, const Node* node) {
    const auto at =
        std::find_if(list.begin(), list.end(), [node](const auto& n) { return n.get() == node; });
    return at == list.end() ? nullptr : at->get();
}

// The data hands out its own nodes as const; a step that changes one takes it back as the
// mutable node it owns.
template <class Kind> Kind& Owned(const Kind& node) {
    return const_cast<Kind&>(node);
}

} // namespace

EditableData::EditableData() = default;
EditableData::~EditableData() = default;

template <class Kind>
bool EditableData::Store(const Kind& node, const Kind& values, const std::string* translation) {
    std::optional<EntryEdit> edit;
    if (m_translation) {
        edit = PlanEntryEdit(*m_translation, *this, node, EnglishOf(node), EnglishOf(values),
                             translation);
    }
    std::unique_ptr<DataCommand> store;
    if (!(node == values)) {
        store = std::make_unique<StoreCommand<Kind>>(Owned(node), values);
    }
    const bool changes = edit || store;
    if (edit) {
        Record(std::make_unique<TranslatedCommand>(std::move(store), *edit, node));
    } else if (store) {
        Record(std::move(store));
    }
    return changes;
}

bool EditableData::StoreBook(const LoreBook& book, const LoreBook& values,
                             const std::string* translation) {
    return Store(book, values, translation);
}

bool EditableData::StoreTemplate(const Template& tmpl, const Template& values,
                                 const std::string* translation) {
    return Store(tmpl, values, translation);
}

const Node* EditableData::AddNode(NodeType type, std::string_view name) {
    const auto add = [&](auto node, std::size_t end) -> const Node* {
        using Kind = typename decltype(node)::element_type;
        node->SetName(name);
        Node* added = node.get();
        Record(std::make_unique<PresenceCommand<Kind>>(std::move(node), end));
        return added;
    };
    return type == NodeType::Template ? add(std::make_unique<Template>(), GetTemplates().size())
                                      : add(std::make_unique<LoreBook>(), GetBooks().size());
}

bool EditableData::DeleteNode(const Node* node) {
    if (Template* tmpl = FindIn(TemplateList(), node)) {
        Record(std::make_unique<PresenceCommand<Template>>(tmpl));
        return true;
    }
    if (LoreBook* book = FindIn(BookList(), node)) {
        Record(std::make_unique<PresenceCommand<LoreBook>>(book));
        return true;
    }
    return false;
}

void EditableData::Reset(Books books, Templates templates, bool sort) {
    BookList() = std::move(books);
    TemplateList() = std::move(templates);
    if (sort) {
        SortBooks();
        SortTemplates();
    }
    m_steps.clear();
    m_done = 0;
    m_saved = {};
    m_translation.reset();
    Revise(DataFile::Lore);
    Revise(DataFile::Templates);
    Revise(DataFile::Translation);
}

void EditableData::SetTranslation(std::unique_ptr<LanguageFile> file) {
    for (const DataFile kept : {DataFile::Lore, DataFile::Templates}) {
        m_saved[static_cast<std::size_t>(kept)] = IsModified(kept) ? kLost : 0;
    }
    m_saved[static_cast<std::size_t>(DataFile::Translation)] = 0;
    m_steps.clear();
    m_done = 0;
    m_translation = std::move(file);
    Revise(DataFile::Translation);
}

void EditableData::SortForSave(DataFile file) {
    if (file == DataFile::Lore) {
        SortBooks();
    } else {
        SortTemplates();
    }
}

std::string EditableData::DeleteQuestion(const Node& node) const {
    std::string question = "Delete " + node.GetName() + "?";
    if (node.GetType() != NodeType::LoreBook) {
        return question;
    }
    // A template names the book its key equals byte for byte, or else ignoring case, as the
    // template form picks it.
    const std::string_view key = node.GetNameView();
    std::vector<std::string> naming;
    for (const auto& tmpl : GetTemplates()) {
        const std::string_view named = tmpl->GetLoreKeyView();
        if (named == key ||
            (EqualsNoCase(named, key) &&
             std::none_of(GetBooks().begin(), GetBooks().end(),
                          [named](const auto& book) { return book->GetNameView() == named; }))) {
            naming.push_back(tmpl->GetName());
        }
    }
    if (naming.empty()) {
        return question;
    }
    question += "\n\n" + std::to_string(naming.size()) +
                (naming.size() == 1 ? " template names" : " templates name") + " this book: ";
    for (std::size_t k = 0; k < naming.size(); ++k) {
        question += (k == 0 ? "" : ", ") + naming[k];
    }
    return question + ".";
}

std::string EditableData::UndoName() const {
    return CanUndo() ? m_steps[m_done - 1].command->Name() : std::string();
}

std::string EditableData::RedoName() const {
    return CanRedo() ? m_steps[m_done].command->Name() : std::string();
}

const Node* EditableData::UndoRemoves() const {
    return CanUndo() ? m_steps[m_done - 1].command->UndoRemoves() : nullptr;
}

void EditableData::ReviseFor(const DataCommand& command) {
    for (std::size_t file = 0; file < kFiles; ++file) {
        if (command.Changes(static_cast<DataFile>(file))) {
            ++m_revisions[file];
        }
    }
}

DataChange EditableData::Undo() {
    --m_done;
    ReviseFor(*m_steps[m_done].command);
    DataChange change = m_steps[m_done].command->Undo(BookList(), TemplateList());
    change.fromHistory = true;
    return Told(change);
}

DataChange EditableData::Redo() {
    ++m_done;
    ReviseFor(*m_steps[m_done - 1].command);
    DataChange change = m_steps[m_done - 1].command->Do(BookList(), TemplateList());
    change.fromHistory = true;
    return Told(change);
}

std::size_t EditableData::ChangesAt(DataFile file, std::size_t position) const {
    return position == 0 ? 0 : m_steps[position - 1].changes[static_cast<std::size_t>(file)];
}

bool EditableData::IsModified(DataFile file) const {
    const std::size_t saved = m_saved[static_cast<std::size_t>(file)];
    // The counts only grow along the history: equal counts mean no step between the two
    // positions changed this file.
    return saved == kLost || ChangesAt(file, saved) != ChangesAt(file, m_done);
}

void EditableData::MarkSaved(DataFile file) {
    m_saved[static_cast<std::size_t>(file)] = m_done;
}

void EditableData::Record(std::unique_ptr<DataCommand> command) {
    // The undone steps go; a saved state among them stays reachable only when none of the
    // dropped steps before it changed its file.
    for (std::size_t index = 0; index < kFiles; ++index) {
        const auto file = static_cast<DataFile>(index);
        std::size_t& saved = m_saved[index];
        if (saved != kLost && saved > m_done) {
            saved = ChangesAt(file, saved) == ChangesAt(file, m_done) ? m_done : kLost;
        }
    }
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
    Step step{std::move(command), {}};
    for (std::size_t file = 0; file < kFiles; ++file) {
        step.changes[file] = ChangesAt(static_cast<DataFile>(file), m_done) +
                             (step.command->Changes(static_cast<DataFile>(file)) ? 1 : 0);
    }
    ReviseFor(*step.command);
    const DataChange change = step.command->Do(BookList(), TemplateList());
    m_steps.push_back(std::move(step));
    ++m_done;
    Told(change);
}

DataChange EditableData::Told(DataChange change) {
    if (m_follower) {
        m_follower(change);
    }
    return change;
}

} // namespace tc
