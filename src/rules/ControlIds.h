// The ids of the forms' and dialogs' controls. The windows create their controls with them, a
// rule names the control its refusal puts the focus on, and the tests find controls by them.
#pragma once

namespace tc {

enum class ControlId : int {
    None = 0, // a verdict that moves the focus nowhere

    // Both forms: the same place in each has the same id.
    UpdateButton = 1,
    NameField = 1002, // a book's lore key, a template's name
    TextField = 1003, // a book's text, a template's book title
    CommentField = 1040,
    HelpField = 1060,
    TranslationField = 1090, // the translation of the text or title, under each form
    TranslationState = 1091,
    // The template form.
    SpecializesList = 1061,
    LoreKeyList = 1063,
    GoldValueField = 1069,
    TextureField = 1070,
    InventoryIconField = 1072,
    InventoryWidthField = 1073,
    InventoryHeightField = 1074,
    ModelField = 1075,
    InventoryWidthSpin = 1077,
    InventoryHeightSpin = 1078,
    GoldValueSpin = 1079,

    // The dialogs.
    NewNodeLabel = 1000,
    NewNodeNameField = 1001,
    AboutIcon = 1000,
    EmailLink = 1001,
    WebLink = 1002,
    TemplatePathList = 1066,
    LorePathList = 1067,
    LoreBrowseButton = 1068,
    TemplateBrowseButton = 1047,
    BackupBrowseButton = 1080,
    BackupFolderList = 1081,
    LanguagePathField = 1092,
    LanguageFileButton = 1093,
    LanguageFolderButton = 1094,
    LanguageList = 1095,
};

// The number the toolkit takes for a control.
constexpr int Id(ControlId id) {
    return static_cast<int>(id);
}

} // namespace tc
