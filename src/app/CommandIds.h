// The program's fixed window and command ids. They lie outside the range wxWidgets reserves.
#pragma once

namespace tc {

enum CommandId : int {
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_BACKUP_LOCATION = 32786,
    ID_APP_EXIT = 57665,
    ID_NEW_LOREBOOK = 32785,
    ID_NEW_TEMPLATE = 32784,
    ID_DELETE_NODE = 32775,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_WINDOW_SPLIT = 57653,
    ID_APP_ABOUT = 57664,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

} // namespace tc
