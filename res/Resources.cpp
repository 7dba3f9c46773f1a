#include "Resources.h"

#include "browse_down.xpm"
#include "browse_focus.xpm"
#include "browse_up.xpm"
#include "tomecraft_icon.xpm"

#include "AppIconData.h"

#include "toolbar_images.xpm"
#include "tree_images.xpm"
#include <wx/image.h>

namespace tc::res {

namespace {

constexpr int kImageSize = 16;

wxBitmap Cell(const char* const* xpm, int index) {
    const wxBitmap strip(xpm);
    return strip.GetSubBitmap(wxRect(index * kImageSize, 0, kImageSize, kImageSize));
}

} // namespace

wxImageList* CreateTreeImages() {
    auto* images = new wxImageList(kImageSize, kImageSize, true, 6);
    for (int k = 0; k < 6; ++k) {
        images->Add(Cell(tree_images_xpm, k));
    }
    return images;
}

wxBitmap ToolbarBitmap(ToolbarImage image) {
    return Cell(toolbar_images_xpm, static_cast<int>(image));
}

wxBitmap BrowseUp() {
    return wxBitmap(browse_up_xpm);
}
wxBitmap BrowseDown() {
    return wxBitmap(browse_down_xpm);
}
wxBitmap BrowseFocus() {
    return wxBitmap(browse_focus_xpm);
}

wxIcon AppIcon() {
    return wxIcon(tomecraft_icon_xpm);
}

wxIconBundle AppIcons() {
#ifdef __WXMSW__
    // The program's own icon resource holds every size (res/windows).
    return wxIconBundle("aaa_tomecraft", nullptr);
#else
    wxIconBundle icons;
#if wxUSE_LIBPNG
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler);
    }
    for (const PngData& png : AppIconPngs()) {
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap::NewFromPNGData(png.bytes, png.size));
        icons.AddIcon(icon);
    }
#endif
    if (icons.IsEmpty()) {
        icons.AddIcon(AppIcon()); // a toolkit built without PNG
    }
    return icons;
#endif
}

} // namespace tc::res
