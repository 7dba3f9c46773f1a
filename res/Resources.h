// Our bitmaps and icons, compiled in.
#pragma once

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>
#include <wx/imaglist.h>

namespace tc::res {

// The tree's six images: closed book, open book, template, template being edited, closed
// folder, open folder.
wxImageList* CreateTreeImages();

enum class ToolbarImage { Open, Save, NewLoreBook, NewTemplate };
wxBitmap ToolbarBitmap(ToolbarImage image);

// The faces of the browse buttons: up, pressed and focused.
wxBitmap BrowseUp();
wxBitmap BrowseDown();
wxBitmap BrowseFocus();

// The application icon at 32 x 32, and at every size for the window manager.
wxIcon AppIcon();
wxIconBundle AppIcons();

} // namespace tc::res
