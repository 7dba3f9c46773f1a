// The program's fixed command ids. The historical numbers run past 32767, which wxWidgets
// refuses for menu items, so each keeps its low 15 bits: the results are still distinct and lie
// outside the range wxWidgets reserves (4999-5999).
#pragma once

namespace tc {

constexpr int CommandNumber(int historical) {
    return historical & 0x7FFF;
}

enum CommandId : int {
    ID_FILE_OPEN = CommandNumber(57601),
    ID_FILE_SAVE = CommandNumber(57603),
    ID_BACKUP_LOCATION = CommandNumber(32786),
    ID_APP_EXIT = CommandNumber(57665),
    ID_NEW_LOREBOOK = CommandNumber(32785),
    ID_NEW_TEMPLATE = CommandNumber(32784),
    ID_DELETE_NODE = CommandNumber(32775),
    ID_EDIT_UNDO = CommandNumber(57643),
    ID_EDIT_REDO = CommandNumber(57644),
    ID_EDIT_FIND = CommandNumber(57636),
    ID_EDIT_REPEAT = CommandNumber(57637),
    ID_EDIT_FIND_PREVIOUS = CommandNumber(32787),
    ID_VIEW_TOOLBAR = CommandNumber(59392),
    ID_VIEW_STATUS_BAR = CommandNumber(59393),
    ID_WINDOW_SPLIT = CommandNumber(57653),
    ID_VIEW_READING_NOTES = CommandNumber(32788),
    ID_APP_ABOUT = CommandNumber(57664),
    ID_NEXT_PANE = CommandNumber(57680),
    ID_PREV_PANE = CommandNumber(57681),
    // Unlocks the title and key of a template whose key names no loaded book.
    ID_POINT_AT_BOOK = 20101,
};

} // namespace tc
