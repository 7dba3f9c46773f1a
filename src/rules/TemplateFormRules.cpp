#include "rules/TemplateFormRules.h"

#include "rules/BraceCheck.h"

#include "document/Translation.h"

#include "platform/Text.h"

#include <algorithm>

namespace tc {

namespace {

// The entry equal to the stored value byte for byte, else the first equal ignoring case: two
// books whose keys differ only in case are two entries, and a template keeps the one it names.
int FindStored(const ComboList& list, std::string_view stored) {
    const int exact = list.Find(
        stored, [](const std::string& entry, std::string_view text) { return entry == text; });
    if (exact >= 0) {
        return exact;
    }
    return list.Find(stored, [](const std::string& entry, std::string_view text) {
        return EqualsNoCase(entry, text);
    });
}

struct AppearanceField {
    std::string TemplateFormRules::Fields::*edit;
    const char* fallback;
    std::string (*valueOf)(const Template&);
};

const AppearanceField kAppearance[] = {
    {&TemplateFormRules::Fields::inventoryIcon, TemplateFormRules::kDefaultIcon,
     [](const Template& t) { return t.GetInventoryIcon(); }},
    {&TemplateFormRules::Fields::model, TemplateFormRules::kDefaultModel,
     [](const Template& t) { return t.GetModel(); }},
    {&TemplateFormRules::Fields::texture, TemplateFormRules::kDefaultTexture,
     [](const Template& t) { return t.GetTexture(); }},
};

} // namespace

void TemplateFormRules::SetTemplate(const Template* tmpl) {
    m_template = tmpl;
    m_readOnly = false;
    specializesList = ComboList(ComboList::Order::SortedIgnoringCase, 1);
    FillLoreKeys();
    if (tmpl == nullptr) {
        fields = {};
        RememberShown();
        return;
    }
    fields = {tmpl->GetName(),
              tmpl->GetScreenName(),
              tmpl->GetInventoryIcon(),
              tmpl->GetModel(),
              tmpl->GetTexture(),
              tmpl->GetComment(),
              std::to_string(tmpl->GetInventoryWidth()),
              std::to_string(tmpl->GetInventoryHeight()),
              std::to_string(tmpl->GetGoldValue()),
              m_data.Translation() == nullptr ? std::string()
                                              : TranslationOf(*m_data.Translation(), *tmpl)};

    specializesList.Add(kTreasureEntry);
    for (const auto& other : m_data.GetTemplates()) {
        if (IsBaseName(other->GetNameView()) &&
            !EqualsNoCase(other->GetNameView(), tmpl->GetNameView())) {
            specializesList.Add(other->GetName());
        }
    }
    const std::string key = tmpl->GetLoreKey();
    int keyIndex = key.empty() ? 0 : FindStored(loreKeyList, key);
    if (keyIndex < 0) {
        // The key names no loaded book: show it, but leave title and key alone.
        m_readOnly = true;
        keyIndex = loreKeyList.Add(key);
        m_addedKey = keyIndex;
    }
    loreKeyList.Select(keyIndex);

    const std::string base = tmpl->GetSpecializes();
    if (base.empty()) {
        specializesList.Select(-1);
    } else {
        specializesList.Select(StartsWith(base, "treasure") ? 0
                                                            : FindStored(specializesList, base));
        OnSelChangeSpecializes();
    }
    RememberShown();
}

void TemplateFormRules::RememberShown() {
    m_shown = fields;
    m_shownBase = specializesList.Selection();
    m_shownKey = loreKeyList.Selection();
}

bool TemplateFormRules::Typed() const {
    return fields != m_shown || specializesList.Selection() != m_shownBase ||
           loreKeyList.Selection() != m_shownKey;
}

void TemplateFormRules::FillLoreKeys() {
    const std::size_t keys = SortedBookKeys().size();
    const std::size_t filled = keys + 1 + (m_addedKey >= 0 ? 1 : 0);
    if (m_listFilled && m_listKeys == m_sortedKeysMade &&
        static_cast<std::size_t>(loreKeyList.Count()) == filled) {
        if (m_addedKey >= 0) {
            loreKeyList.RemoveAt(m_addedKey);
        }
    } else {
        loreKeyList = ComboList(ComboList::Order::SortedIgnoringCase, 1);
        loreKeyList.Add(kNoKeyEntry);
        loreKeyList.AppendInOrder(m_sortedKeys);
        m_listKeys = m_sortedKeysMade;
        m_listFilled = true;
    }
    m_addedKey = -1;
    loreKeyList.Select(-1);
}

const std::vector<std::string>& TemplateFormRules::SortedBookKeys() {
    const std::uint64_t revision = m_data.Revision(DataFile::Lore);
    if (m_keysKnown && revision == m_keysRevision &&
        m_keysInBookOrder.size() == m_data.GetBooks().size()) {
        return m_sortedKeys;
    }
    m_keysKnown = true;
    m_keysRevision = revision;
    const auto& books = m_data.GetBooks();
    bool same = m_keysInBookOrder.size() == books.size();
    for (std::size_t k = 0; same && k < books.size(); ++k) {
        same = m_keysInBookOrder[k] == books[k]->GetNameView();
    }
    if (!same) {
        m_keysInBookOrder.clear();
        for (const auto& book : books) {
            m_keysInBookOrder.push_back(book->GetName());
        }
        m_sortedKeys = m_keysInBookOrder;
        ComboList::SortIgnoringCase(m_sortedKeys);
        ++m_sortedKeysMade;
    }
    return m_sortedKeys;
}

const Template* TemplateFormRules::SelectedBase() const {
    const int selected = specializesList.Selection();
    if (selected < 1) {
        return nullptr;
    }
    const std::string& name = specializesList.At(selected);
    for (const Template* tmpl : m_data.GetTemplates()) {
        if (tmpl->GetNameView() == name) {
            return tmpl;
        }
    }
    return nullptr;
}

const Template* TemplateFormRules::LastBase() const {
    // Only compared while it is one of the collection's: a template taken out may be gone.
    const auto templates = m_data.GetTemplates();
    return std::find(templates.begin(), templates.end(), m_lastBase) != templates.end() ? m_lastBase
                                                                                        : nullptr;
}

void TemplateFormRules::OnSelChangeSpecializes() {
    if (specializesList.Selection() < 0) {
        return;
    }
    const bool treasure = specializesList.Selection() == 0;
    const Template* base = SelectedBase();
    const Template* lastBase = LastBase();
    for (const AppearanceField& field : kAppearance) {
        std::string& text = fields.*field.edit;
        const bool follows = text.empty() ||
                             (base != nullptr && EqualsNoCase(text, field.fallback)) ||
                             (lastBase != nullptr && text == field.valueOf(*lastBase));
        if (follows) {
            text = treasure ? std::string(field.fallback)
                            : (base != nullptr ? field.valueOf(*base) : std::string());
        }
    }
    if (base != nullptr) {
        m_lastBase = base;
    }
}

TemplateFormRules::Enabled TemplateFormRules::EnableState() const {
    Enabled state;
    bool enabled = m_template != nullptr;
    state.name = enabled;
    enabled = enabled && specializesList.Selection() >= 0;
    state.properties = enabled;
    enabled = enabled && !m_readOnly;
    state.bookTitle = enabled;
    state.loreKey = enabled && !fields.bookTitle.empty();
    return state;
}

TemplateFormRules::UpdateResult TemplateFormRules::Update(FormStore store) {
    if (m_template == nullptr || (store == FormStore::Typing && !Typed())) {
        return {};
    }
    const bool all = store == FormStore::Everything;
    const auto typed = [&](std::string Fields::*field) {
        return all || fields.*field != m_shown.*field;
    };
    std::string name(TrimLeftWhite(fields.name));
    if (name.empty()) {
        return {DialogVerdict::Refuse("You must specify a name for this template!",
                                      ControlId::NameField)};
    }
    std::replace(name.begin(), name.end(), ' ', '_');
    if (!m_data.IsTemplateNameUnique(name, m_template)) {
        return {DialogVerdict::Refuse(
            "Template name must be unique!  Please select another name for this template!",
            ControlId::NameField)};
    }
    const struct {
        const std::string& value;
        const char* field;
        ControlId control;
    } texts[] = {{name, "template name", ControlId::NameField},
                 {fields.bookTitle, "book title", ControlId::TextField},
                 {fields.texture, "texture", ControlId::TextureField},
                 {fields.model, "model", ControlId::ModelField},
                 {fields.inventoryIcon, "inventory icon", ControlId::InventoryIconField}};
    for (const auto& text : texts) {
        if (DialogVerdict braces = RefuseBraces(text.value, text.field, text.control);
            !braces.accepted) {
            return {braces};
        }
    }
    // What the reader would cut: a name ends at its bracket, a title at its quote, a value at
    // its semicolon.
    const struct {
        const std::string& value;
        const char* field;
        const char* characters;
        const char* why;
        ControlId control;
    } cuts[] = {
        {name, "template name", "]", "the game files end a template's name there.",
         ControlId::NameField},
        {fields.bookTitle, "book title", "\"", "the game files end the title there.",
         ControlId::TextField},
        {fields.texture, "texture", ";", "the game files end the value there.",
         ControlId::TextureField},
        {fields.model, "model", ";", "the game files end the value there.", ControlId::ModelField},
        {fields.inventoryIcon, "inventory icon", ";", "the game files end the value there.",
         ControlId::InventoryIconField},
    };
    for (const auto& cut : cuts) {
        if (DialogVerdict verdict =
                RefuseCharacters(cut.value, cut.field, cut.characters, cut.why, cut.control);
            !verdict.accepted) {
            return {verdict};
        }
    }
    // The title is written in quotes, which hide a comment's start; the others are not.
    for (const auto& text : texts) {
        if (text.control == ControlId::TextField) {
            continue;
        }
        if (DialogVerdict verdict = RefuseCommentStart(text.value, text.field, text.control);
            !verdict.accepted) {
            return {verdict};
        }
    }
    const struct {
        const std::string& value;
        const char* field;
        ControlId control;
    } numbers[] = {{fields.goldValue, "gold value", ControlId::GoldValueField},
                   {fields.inventoryWidth, "inventory width", ControlId::InventoryWidthField},
                   {fields.inventoryHeight, "inventory height", ControlId::InventoryHeightField}};
    for (const auto& number : numbers) {
        if (DialogVerdict verdict = RefuseOutOfRange(number.value, number.field, number.control);
            !verdict.accepted) {
            return {verdict};
        }
    }
    const int base = specializesList.Selection();
    if (base == 0 && !IsBaseName(name)) {
        return {DialogVerdict::Refuse(
            "Tomecraft requires templates based on the 'treasure' template to be named starting "
            "with 'base_' as in 'base_lore_name.'",
            ControlId::NameField)};
    }
    if (base != 0 && IsBaseName(name)) {
        return {DialogVerdict::Refuse(
            "Tomecraft requires templates NOT based on the 'treasure' template to be named start "
            "the template with something other than 'base_' as in 'book_glb_name.'",
            ControlId::NameField)};
    }
    if (!m_readOnly && !fields.bookTitle.empty() && loreKeyList.Selection() < 1) {
        return {DialogVerdict::Refuse("You must specify a lore key to create a book template!  "
                                      "Remove the book title if are not creating a book template.",
                                      ControlId::LoreKeyList)};
    }

    // Every check passed: only now is anything stored.
    Template values = *m_template;
    if (typed(&Fields::name)) {
        values.SetName(name);
    }
    if (!m_readOnly) {
        if (typed(&Fields::bookTitle)) {
            values.SetScreenName(fields.bookTitle);
        }
        const int keyIndex = loreKeyList.Selection();
        if (all || keyIndex != m_shownKey) {
            values.SetLoreKey(keyIndex < 1 ? std::string() : loreKeyList.At(keyIndex));
        }
    }
    if (all || base != m_shownBase) {
        if (base == 0 && !StartsWith(values.GetSpecializes(), "treasure")) {
            values.SetSpecializes("treasure");
        } else if (base > 0) {
            values.SetSpecializes(specializesList.At(base));
        }
    }
    const struct {
        std::string Fields::*field;
        void (Template::*set)(std::string_view);
    } setters[] = {{&Fields::texture, &Template::SetTexture},
                   {&Fields::inventoryIcon, &Template::SetInventoryIcon},
                   {&Fields::model, &Template::SetModel},
                   {&Fields::comment, &Template::SetComment},
                   {&Fields::inventoryWidth, &Template::SetInventoryWidth},
                   {&Fields::inventoryHeight, &Template::SetInventoryHeight},
                   {&Fields::goldValue, &Template::SetGoldValue}};
    for (const auto& setter : setters) {
        if (typed(setter.field)) {
            (values.*setter.set)(fields.*setter.field);
        }
    }
    const bool renamed = values.GetNameView() != m_template->GetNameView();
    const bool translationTyped = m_data.Translation() != nullptr && typed(&Fields::translation);
    m_data.StoreTemplate(*m_template, values, translationTyped ? &fields.translation : nullptr);
    SetTemplate(m_template);
    return {DialogVerdict::Accept(), true, renamed};
}

} // namespace tc
