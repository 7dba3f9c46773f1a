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

// Pixel drawings are doubled pixel for pixel: smoothing would blur their one-pixel lines. At
// 150 % the toolkit would take the 16-pixel image rather than scale, so a 24-pixel one is made
// from the doubled image.
wxBitmapBundle Cell(const char* const* xpm, int index) {
    const wxBitmap strip(xpm);
    const wxBitmap small =
        strip.GetSubBitmap(wxRect(index * kImageSize, 0, kImageSize, kImageSize));
    const wxImage doubled =
        small.ConvertToImage().Scale(2 * kImageSize, 2 * kImageSize, wxIMAGE_QUALITY_NEAREST);
    const int middle = kImageSize * 3 / 2;
    wxVector<wxBitmap> sizes;
    sizes.push_back(small);
    sizes.push_back(wxBitmap(doubled.Scale(middle, middle, wxIMAGE_QUALITY_HIGH)));
    sizes.push_back(wxBitmap(doubled));
    return wxBitmapBundle::FromBitmaps(sizes);
}

} // namespace

wxVector<wxBitmapBundle> TreeImages() {
    wxVector<wxBitmapBundle> images;
    for (int k = 0; k < 6; ++k) {
        images.push_back(Cell(tree_images_xpm, k));
    }
    return images;
}

wxBitmapBundle ToolbarBitmap(ToolbarImage image) {
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

wxBitmapBundle AboutIcon() {
    const wxIconBundle icons = AppIcons();
    wxVector<wxBitmap> sizes;
    for (size_t k = 0; k < icons.GetIconCount(); ++k) {
        if (const wxIcon icon = icons.GetIconByIndex(k); icon.GetWidth() >= 32) {
            wxBitmap bitmap;
            bitmap.CopyFromIcon(icon);
            sizes.push_back(bitmap);
        }
    }
    return sizes.empty() ? wxBitmapBundle(AppIcon()) : wxBitmapBundle::FromBitmaps(sizes);
}

} // namespace tc::res
