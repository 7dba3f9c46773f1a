// The program's command ids, for menus, the toolbar, accelerators and the tree's context menu.
#pragma once

namespace tc {

enum class CommandId : int {
    // After wxID_HIGHEST (5999): ids below are the toolkit's own.
    FileOpen = 6001,
    FileSave,
    BackupLocation,
    AppExit,
    NewLoreBook,
    NewTemplate,
    DeleteNode,
    EditUndo,
    EditRedo,
    EditFind,
    EditRepeat,
    EditFindPrevious,
    ViewToolbar,
    ViewStatusBar,
    WindowSplit,
    ViewProblems,
    AppAbout,
    NextPane,
    PrevPane,
    // Unlocks the title and key of a template whose key names no loaded book.
    PointAtBook,
    NextProblem,
    PreviousProblem,
    OpenTranslation,
};

// The number the toolkit takes for a command.
constexpr int Id(CommandId id) {
    return static_cast<int>(id);
}

} // namespace tc
