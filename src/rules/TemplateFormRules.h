// The template form without its window: what it shows for a template, its two lists, the base
// change that fills the appearance fields, which controls are enabled, and how Update checks and
// stores what the user typed.
#pragma once

#include "document/EditableData.h"
#include "rules/ComboList.h"
#include "rules/DialogVerdict.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tc {

class TemplateFormRules {
public:
    static constexpr const char* kTreasureEntry = "(treasure)";
    static constexpr const char* kNoKeyEntry = "(None)";
    static constexpr const char* kDefaultIcon = "b_gui_ig_i_it_lore-book";
    static constexpr const char* kDefaultModel = "m_i_glb_book-magic";
    static constexpr const char* kDefaultTexture = "b_i_glb_book-lore";

    // What the edits hold.
    struct Fields {
        std::string name;
        std::string bookTitle;
        std::string inventoryIcon;
        std::string model;
        std::string texture;
        std::string comment;
        std::string inventoryWidth;
        std::string inventoryHeight;
        std::string goldValue;
        std::string translation =
            {}; // of the book title, UTF-8; empty while no language file is open
        bool operator==(const Fields&) const = default;
    };

    struct Enabled {
        bool name = false;       // with the Update button and the Specializes list
        bool properties = false; // appearance, numbers, comment and help
        bool bookTitle = false;
        bool loreKey = false;
    };

    explicit TemplateFormRules(EditableData& data) : m_data(data) {}

    // Shows the template (or nothing): fills the fields and both lists and selects in them.
    void SetTemplate(const Template* tmpl);
    const Template* ShownTemplate() const { return m_template; }

    // The base chosen in the Specializes list changed: appearance fields that are empty, hold a
    // default or hold the previous base's value follow the new base.
    void OnSelChangeSpecializes();
    // The template most recently chosen as a base, kept from one template shown to the next;
    // null once it has left the collection.
    const Template* LastBase() const;

    Enabled EnableState() const;

    // The template's lore key names no loaded book: its title and key are shown but locked.
    bool KeyNamesNoBook() const { return m_readOnly; }
    // Unlocks the title and key of such a template so that it can name another book.
    void PointAtAnotherBook() { m_readOnly = false; }

    struct UpdateResult {
        DialogVerdict verdict;
        bool stored = false;  // the values were checked and stored: the form shows them anew
        bool renamed = false; // the tree must relabel the template's item
    };
    // Runs every check, then stores the values (all, or only those typed over); nothing is
    // stored when a check fails. Without a template, or when storing the typing of a form
    // nobody typed into, it does nothing and accepts. After a store the form shows the
    // template's values as stored.
    UpdateResult Update(FormStore store = FormStore::Everything);
    // Whether the fields or lists differ from what was last shown for the template.
    bool Typed() const;
    // Makes the lists a template shows ready before one is shown (sorting a hundred thousand keys
    // takes a while), as the pair is opened.
    void PrepareLists() {
        if (m_template == nullptr) {
            FillLoreKeys();
        }
    }

    Fields fields;
    ComboList specializesList{ComboList::Order::SortedIgnoringCase, 1};
    ComboList loreKeyList{ComboList::Order::SortedIgnoringCase, 1};
    bool m_readOnly = false;

private:
    const Template* SelectedBase() const;
    void RememberShown();
    // The books' keys in list order. Kept from one template to the next while the books keep
    // their keys: sorting a hundred thousand keys for every template shown makes selecting slow.
    const std::vector<std::string>& SortedBookKeys();
    // Fills the lore key list with "(None)" and the books' keys. The list is kept from one
    // template to the next while the books stay the same; only a key that names no book, added
    // for the template before, is taken out.
    void FillLoreKeys();

    std::vector<std::string> m_keysInBookOrder;
    std::vector<std::string> m_sortedKeys;
    // The books' revision the keys were last compared at, and how many times they were sorted.
    std::uint64_t m_keysRevision = 0;
    bool m_keysKnown = false;
    std::uint64_t m_sortedKeysMade = 0;
    // The lore key list holds the keys of that sort, and the entry added for a key that names
    // no book (-1: none).
    std::uint64_t m_listKeys = 0;
    bool m_listFilled = false;
    int m_addedKey = -1;

    EditableData& m_data;
    const Template* m_template = nullptr;
    const Template* m_lastBase = nullptr;
    // What SetTemplate showed, to tell the user's typing from the defaults the form shows.
    Fields m_shown;
    int m_shownBase = -1;
    int m_shownKey = -1;
};

} // namespace tc
