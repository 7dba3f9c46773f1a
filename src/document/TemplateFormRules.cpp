#include "document/TemplateFormRules.h"

#include "document/BraceCheck.h"

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
    std::string (*valueOf)(const CTemplate&);
};

const AppearanceField kAppearance[] = {
    {&TemplateFormRules::Fields::inventoryIcon, TemplateFormRules::kDefaultIcon,
     [](const CTemplate& t) { return t.GetInventoryIcon(); }},
    {&TemplateFormRules::Fields::model, TemplateFormRules::kDefaultModel,
     [](const CTemplate& t) { return t.GetModel(); }},
    {&TemplateFormRules::Fields::texture, TemplateFormRules::kDefaultTexture,
     [](const CTemplate& t) { return t.GetTexture(); }},
};

} // namespace

void TemplateFormRules::SetTemplate(CTemplate* tmpl) {
    m_pTemplate = tmpl;
    m_bReadOnly = false;
    m_cbSpecializes = ComboList(ComboList::Order::SortedIgnoringCase, 1);
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
              std::to_string(tmpl->GetGoldValue())};

    m_cbSpecializes.Add(kTreasureEntry);
    for (const auto& other : m_data.GetTemplates()) {
        if (IsBaseName(other->GetNameView()) &&
            !EqualsNoCase(other->GetNameView(), tmpl->GetNameView())) {
            m_cbSpecializes.Add(other->GetName());
        }
    }
    const std::string key = tmpl->GetLoreKey();
    int keyIndex = key.empty() ? 0 : FindStored(m_cbLoreKey, key);
    if (keyIndex < 0) {
        // The key names no loaded book: show it, but leave title and key alone.
        m_bReadOnly = true;
        keyIndex = m_cbLoreKey.Add(key);
        m_addedKey = keyIndex;
    }
    m_cbLoreKey.Select(keyIndex);

    const std::string base = tmpl->GetSpecializes();
    if (base.empty()) {
        m_cbSpecializes.Select(-1);
    } else {
        m_cbSpecializes.Select(StartsWith(base, "treasure") ? 0
                                                            : FindStored(m_cbSpecializes, base));
        OnSelChangeSpecializes();
    }
    RememberShown();
}

void TemplateFormRules::RememberShown() {
    m_shown = fields;
    m_shownBase = m_cbSpecializes.Selection();
    m_shownKey = m_cbLoreKey.Selection();
}

bool TemplateFormRules::Typed() const {
    return fields != m_shown || m_cbSpecializes.Selection() != m_shownBase ||
           m_cbLoreKey.Selection() != m_shownKey;
}

void TemplateFormRules::FillLoreKeys() {
    const std::size_t keys = SortedBookKeys().size();
    const std::size_t filled = keys + 1 + (m_addedKey >= 0 ? 1 : 0);
    if (m_listFilled && m_listKeys == m_sortedKeysMade &&
        static_cast<std::size_t>(m_cbLoreKey.Count()) == filled) {
        if (m_addedKey >= 0) {
            m_cbLoreKey.RemoveAt(m_addedKey);
        }
    } else {
        m_cbLoreKey = ComboList(ComboList::Order::SortedIgnoringCase, 1);
        m_cbLoreKey.Add(kNoKeyEntry);
        m_cbLoreKey.AppendInOrder(m_sortedKeys);
        m_listKeys = m_sortedKeysMade;
        m_listFilled = true;
    }
    m_addedKey = -1;
    m_cbLoreKey.Select(-1);
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

const CTemplate* TemplateFormRules::SelectedBase() const {
    const int selected = m_cbSpecializes.Selection();
    if (selected < 1) {
        return nullptr;
    }
    const std::string& name = m_cbSpecializes.At(selected);
    for (const auto& tmpl : m_data.GetTemplates()) {
        if (tmpl->GetNameView() == name) {
            return tmpl.get();
        }
    }
    return nullptr;
}

void TemplateFormRules::OnSelChangeSpecializes() {
    if (m_cbSpecializes.Selection() < 0) {
        return;
    }
    const bool treasure = m_cbSpecializes.Selection() == 0;
    const CTemplate* base = SelectedBase();
    const CTemplate* lastBase = m_data.GetLastBase();
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
        m_data.RememberBase(base);
    }
}

TemplateFormRules::Enabled TemplateFormRules::EnableState() const {
    Enabled state;
    bool enabled = m_pTemplate != nullptr;
    state.name = enabled;
    enabled = enabled && m_cbSpecializes.Selection() >= 0;
    state.properties = enabled;
    enabled = enabled && !m_bReadOnly;
    state.bookTitle = enabled;
    state.loreKey = enabled && !fields.bookTitle.empty();
    return state;
}

TemplateFormRules::UpdateResult TemplateFormRules::Update(FormStore store) {
    if (m_pTemplate == nullptr || (store == FormStore::Typing && !Typed())) {
        return {};
    }
    const bool all = store == FormStore::Everything;
    const auto typed = [&](std::string Fields::*field) {
        return all || fields.*field != m_shown.*field;
    };
    std::string name(TrimLeftWhite(fields.name));
    if (name.empty()) {
        return {DialogVerdict::Refuse("You must specify a name for this template!", kNameEdit)};
    }
    std::replace(name.begin(), name.end(), ' ', '_');
    if (!m_data.IsTemplateNameUnique(name, m_pTemplate)) {
        return {DialogVerdict::Refuse(
            "Template name must be unique!  Please select another name for this template!",
            kNameEdit)};
    }
    const struct {
        const std::string& value;
        const char* field;
        int control;
    } texts[] = {{name, "template name", kNameEdit},
                 {fields.bookTitle, "book title", kBookTitleEdit},
                 {fields.texture, "texture", kTextureEdit},
                 {fields.model, "model", kModelEdit},
                 {fields.inventoryIcon, "inventory icon", kInventoryIconEdit}};
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
        int control;
    } cuts[] = {
        {name, "template name", "]", "the game files end a template's name there.", kNameEdit},
        {fields.bookTitle, "book title", "\"", "the game files end the title there.",
         kBookTitleEdit},
        {fields.texture, "texture", ";", "the game files end the value there.", kTextureEdit},
        {fields.model, "model", ";", "the game files end the value there.", kModelEdit},
        {fields.inventoryIcon, "inventory icon", ";", "the game files end the value there.",
         kInventoryIconEdit},
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
        if (text.control == kBookTitleEdit) {
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
        int control;
    } numbers[] = {{fields.goldValue, "gold value", kGoldValueEdit},
                   {fields.inventoryWidth, "inventory width", kInventoryWidthEdit},
                   {fields.inventoryHeight, "inventory height", kInventoryHeightEdit}};
    for (const auto& number : numbers) {
        if (DialogVerdict verdict = RefuseOutOfRange(number.value, number.field, number.control);
            !verdict.accepted) {
            return {verdict};
        }
    }
    const int base = m_cbSpecializes.Selection();
    if (base == 0 && !IsBaseName(name)) {
        return {DialogVerdict::Refuse(
            "Tomecraft requires templates based on the 'treasure' template to be named starting "
            "with 'base_' as in 'base_lore_name.'",
            kNameEdit)};
    }
    if (base != 0 && IsBaseName(name)) {
        return {DialogVerdict::Refuse(
            "Tomecraft requires templates NOT based on the 'treasure' template to be named start "
            "the template with something other than 'base_' as in 'book_glb_name.'",
            kNameEdit)};
    }
    if (!m_bReadOnly && !fields.bookTitle.empty() && m_cbLoreKey.Selection() < 1) {
        return {DialogVerdict::Refuse("You must specify a lore key to create a book template!  "
                                      "Remove the book title if are not creating a book template.",
                                      kLoreKeyList)};
    }

    // Every check passed: only now is anything stored.
    CTemplate values = *m_pTemplate;
    if (typed(&Fields::name)) {
        values.SetName(name);
    }
    if (!m_bReadOnly) {
        if (typed(&Fields::bookTitle)) {
            values.SetScreenName(fields.bookTitle);
        }
        const int keyIndex = m_cbLoreKey.Selection();
        if (all || keyIndex != m_shownKey) {
            values.SetLoreKey(keyIndex < 1 ? std::string() : m_cbLoreKey.At(keyIndex));
        }
    }
    if (all || base != m_shownBase) {
        if (base == 0 && !StartsWith(values.GetSpecializes(), "treasure")) {
            values.SetSpecializes("treasure");
        } else if (base > 0) {
            values.SetSpecializes(m_cbSpecializes.At(base));
        }
    }
    const struct {
        std::string Fields::*field;
        void (CTemplate::*set)(std::string_view);
    } setters[] = {{&Fields::texture, &CTemplate::SetTexture},
                   {&Fields::inventoryIcon, &CTemplate::SetInventoryIcon},
                   {&Fields::model, &CTemplate::SetModel},
                   {&Fields::comment, &CTemplate::SetComment},
                   {&Fields::inventoryWidth, &CTemplate::SetInventoryWidth},
                   {&Fields::inventoryHeight, &CTemplate::SetInventoryHeight},
                   {&Fields::goldValue, &CTemplate::SetGoldValue}};
    for (const auto& setter : setters) {
        if (typed(setter.field)) {
            (values.*setter.set)(fields.*setter.field);
        }
    }
    const bool renamed = values.GetNameView() != m_pTemplate->GetNameView();
    m_data.StoreTemplate(*m_pTemplate, values);
    SetTemplate(m_pTemplate);
    return {DialogVerdict::Accept(), true, renamed};
}

} // namespace tc
