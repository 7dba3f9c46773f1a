// The books and templates as the editor changes them: the one door. Anyone may read the nodes,
// which it hands out as const; every change goes through one of the operations below, becomes a
// step of an unlimited undo history and is told to the follower as one DataChange. A file counts
// as modified while the history stands away from the point where that file was last read or
// saved.
#pragma once

#include "document/DataChange.h"
#include "gasfiles/LanguageFile.h"
#include "model/LoreData.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tc {

enum class DataFile { Lore, Templates, Translation };

// What a form's Update stores: every value it shows (the Update button, Enter), or only what the
// user typed over (leaving the form, which must not turn a shown default into a change).
enum class FormStore { Everything, Typing };

class DataCommand;
class Document;

class EditableData : public LoreData {
public:
    EditableData();
    ~EditableData() override;

    // Each records a step only when it changes something, and says whether it did. The node
    // must be one of this data's, as GetBooks and GetTemplates hand them out.
    // Gives the book the key, text and comment of `values`; with a translation open, also the
    // translation of its text when `translation` is given (UTF-8). A translated text that
    // changes takes its translation along, marked stale, unless the new text has one already.
    bool StoreBook(const LoreBook& book, const LoreBook& values,
                   const std::string* translation = nullptr);
    // Gives the template every field of `values`; its book title is translated as a book's
    // text is.
    bool StoreTemplate(const Template& tmpl, const Template& values,
                       const std::string* translation = nullptr);
    // Appends a new node of that name to its collection and returns it.
    const Node* AddNode(NodeType type, std::string_view name);
    // False when the node is in neither collection.
    bool DeleteNode(const Node* node);

    // The question Delete asks for a node: for a book that templates name, it lists them.
    std::string DeleteQuestion(const Node& node) const;

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    // What Undo and Redo would do, as "Delete 'ferry_song'"; empty when they cannot.
    std::string UndoName() const;
    std::string RedoName() const;
    // The node that Undo would take out of its collection (the undo of its New), or null.
    const Node* UndoRemoves() const;
    // Both require CanUndo() / CanRedo(). The change is also told to the follower.
    DataChange Undo();
    DataChange Redo();

    // Changes with every change of the file's nodes (a step done or undone, new data): what is
    // built from them may be kept while it stays the same.
    std::uint64_t Revision(DataFile file) const {
        return m_revisions[static_cast<std::size_t>(file)];
    }

    bool IsModified(DataFile file) const;
    bool IsModified() const {
        return IsModified(DataFile::Lore) || IsModified(DataFile::Templates) ||
               IsModified(DataFile::Translation);
    }

    // The language file open beside the pair, or null.
    const LanguageFile* Translation() const { return m_translation.get(); }

protected:
    // What only the document does, as it reads and writes the files.
    friend class Document;
    // The file now holds what the data holds.
    void MarkSaved(DataFile file);
    // Replaces all nodes with these, sorted as the files keep them unless a read stopped
    // midway; forgets the history and counts both files as unmodified: what Open does once it
    // has read the files.
    void Reset(Books books, Templates templates, bool sort = true);
    // Sorts a collection as its file keeps it, before a save. Not a step: the order of a
    // collection is shown nowhere (the tree keeps its own), Undo puts a node back at the place
    // it had or at the end, and the values and the nodes present stay as they are.
    void SortForSave(DataFile file);
    // Puts a language file (or none) beside the pair, counted as unmodified. The history goes
    // (its steps may name entries of the file replaced); a pair file that was modified stays so.
    void SetTranslation(std::unique_ptr<LanguageFile> file);
    // Hears every change, once, after it is made.
    void SetFollower(std::function<void(const DataChange&)> follower) {
        m_follower = std::move(follower);
    }

private:
    static constexpr std::size_t kFiles = 3;
    struct Step {
        std::unique_ptr<DataCommand> command;
        // How many steps up to and including this one changed each file.
        std::array<std::size_t, kFiles> changes{};
    };
    template <class Kind>
    bool Store(const Kind& node, const Kind& values, const std::string* translation);
    std::size_t ChangesAt(DataFile file, std::size_t position) const;
    void Record(std::unique_ptr<DataCommand> command);
    DataChange Told(DataChange change);
    void ReviseFor(const DataCommand& command);
    void Revise(DataFile file) { ++m_revisions[static_cast<std::size_t>(file)]; }

    static constexpr std::size_t kLost = static_cast<std::size_t>(-1);
    std::vector<Step> m_steps;
    std::size_t m_done = 0; // the steps before this are done, the others undone
    // Where each file was last read or saved; kLost once that state can no longer be reached.
    std::array<std::size_t, kFiles> m_saved{};
    std::array<std::uint64_t, kFiles> m_revisions{};
    std::function<void(const DataChange&)> m_follower;
    std::unique_ptr<LanguageFile> m_translation;
};

} // namespace tc
