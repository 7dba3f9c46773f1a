// Our bitmaps and icons, compiled in.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>
#include <wx/imaglist.h>

namespace tc::res {

// The tree's six images: closed book, open book, template, template being edited, closed
// folder, open folder. Each image comes at 16, 24 and 32 pixels, for 100 %, 150 % and 200 %.
wxVector<wxBitmapBundle> TreeImages();

enum class ToolbarImage { Open, Save, NewLoreBook, NewTemplate };
wxBitmapBundle ToolbarBitmap(ToolbarImage image);

// The faces of the browse buttons: up, pressed and focused.
wxBitmap BrowseUp();
wxBitmap BrowseDown();
wxBitmap BrowseFocus();

// The application icon at 32 x 32, and at every size for the window manager.
wxIcon AppIcon();
wxIconBundle AppIcons();
// The About box's icon: 32 x 32 at the usual DPI, a larger size where the display has more.
wxBitmapBundle AboutIcon();

} // namespace tc::res
