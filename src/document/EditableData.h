// The books and templates as the editor changes them. Every change goes through one of the
// operations below and becomes a step of an unlimited undo history; a file counts as modified
// while the history stands away from the point where that file was last read or saved.
#pragma once

#include "document/DataChange.h"
#include "model/LoreData.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tc {

enum class DataFile { Lore, Templates };

// What a form's Update stores: every value it shows (the Update button, Enter), or only what the
// user typed over (leaving the form, which must not turn a shown default into a change).
enum class FormStore { Everything, Typing };

class DataCommand;

class EditableData : public LoreData {
public:
    EditableData();
    ~EditableData() override;

    // Each records a step only when it changes something, and says whether it did.
    // Gives the book the key, text and comment of `values`.
    bool StoreBook(LoreBook& book, const LoreBook& values);
    // Gives the template every field of `values`.
    bool StoreTemplate(Template& tmpl, const Template& values);
    // Appends a new node of that name to its collection and returns it.
    Node* AddNode(NodeType type, std::string_view name);
    // False when the node is in neither collection.
    bool DeleteNode(const Node* node);
    // Replaces all nodes with these (none by default), forgets the history and counts both
    // files as unmodified: what Open does once it has read the files.
    void ClearData(Books books = {}, Templates templates = {});

    // The question Delete asks for a node: for a book that templates name, it lists them.
    std::string DeleteQuestion(const Node& node) const;

    // Remembers the base last chosen in a template form (not a change of the data).
    void RememberBase(const Template* base) { SetLastBase(base); }

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // What Undo and Redo would do, as "Delete 'ferry_song'"; empty when they cannot.
    std::string UndoName() const;
    std::string RedoName() const;
    // The node that Undo would take out of its collection (the undo of its New), or null.
    const Node* UndoRemoves() const;
    // Both require CanUndo() / CanRedo().
    DataChange Undo();
    DataChange Redo();

    // Changes with every change of the file's nodes (a step done or undone, new data): what is
    // built from them may be kept while it stays the same.
    std::uint64_t Revision(DataFile file) const {
        return m_revisions[static_cast<std::size_t>(file)];
    }

    bool IsModified(DataFile file) const;
    bool IsModified() const {
        return IsModified(DataFile::Lore) || IsModified(DataFile::Templates);
    }

protected:
    // The file now holds what the data holds.
    void MarkSaved(DataFile file);

private:
    struct Step {
        std::unique_ptr<DataCommand> command;
        // How many steps up to and including this one changed each file.
        std::array<std::size_t, 2> changes{};
    };
    std::size_t ChangesAt(DataFile file, std::size_t position) const;
    void Record(std::unique_ptr<DataCommand> command);
    DataChange Applied(DataChange change);
    void Revise(DataFile file) { ++m_revisions[static_cast<std::size_t>(file)]; }

    static constexpr std::size_t kLost = static_cast<std::size_t>(-1);
    std::vector<Step> m_steps;
    std::size_t m_done = 0; // the steps before this are done, the others undone
    // Where each file was last read or saved; kLost once that state can no longer be reached.
    std::array<std::size_t, 2> m_saved{};
    std::array<std::uint64_t, 2> m_revisions{};
};

} // namespace tc
