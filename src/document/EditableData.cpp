#include "document/EditableData.h"

#include "platform/Text.h"

#include <algorithm>
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
    DataFile File() const { return m_file; }
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

bool EditableData::StoreBook(const LoreBook& book, const LoreBook& values) {
    if (book == values) {
        return false;
    }
    Record(std::make_unique<StoreCommand<LoreBook>>(Owned(book), values));
    return true;
}

bool EditableData::StoreTemplate(const Template& tmpl, const Template& values) {
    if (tmpl == values) {
        return false;
    }
    Record(std::make_unique<StoreCommand<Template>>(Owned(tmpl), values));
    return true;
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
    Revise(DataFile::Lore);
    Revise(DataFile::Templates);
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

DataChange EditableData::Undo() {
    --m_done;
    Revise(m_steps[m_done].command->File());
    DataChange change = m_steps[m_done].command->Undo(BookList(), TemplateList());
    change.fromHistory = true;
    return Told(change);
}

DataChange EditableData::Redo() {
    ++m_done;
    Revise(m_steps[m_done - 1].command->File());
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
    for (const DataFile file : {DataFile::Lore, DataFile::Templates}) {
        std::size_t& saved = m_saved[static_cast<std::size_t>(file)];
        if (saved != kLost && saved > m_done) {
            saved = ChangesAt(file, saved) == ChangesAt(file, m_done) ? m_done : kLost;
        }
    }
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
    Step step{std::move(command),
              {ChangesAt(DataFile::Lore, m_done), ChangesAt(DataFile::Templates, m_done)}};
    ++step.changes[static_cast<std::size_t>(step.command->File())];
    Revise(step.command->File());
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
