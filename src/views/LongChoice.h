// A drop-down list for lists of any length, such as every book key of a large world: its popup
// draws only the rows in view and the list itself stays in the caller's hands, so filling it
// and selecting in it cost nothing per entry (a native choice measures every row on each change).
#pragma once

#include <wx/combo.h>

#include <string>
#include <vector>

namespace tc {

class LongChoice : public wxComboCtrl {
public:
    LongChoice(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    // Shows `entries` (which must outlive their display here) with `selection` selected.
    void SetEntries(const std::vector<std::string>& entries, int selection);

    int GetSelection() const { return m_selection; }
    void SetSelection(int index);
    wxString GetStringSelection() const;
    bool SetStringSelection(const wxString& text);
    int GetCount() const;
    wxString GetString(int index) const;

    // Without a text field the control itself takes the focus, also from the Tab key.
    bool AcceptsFocus() const override { return IsShown() && IsEnabled(); }
    bool AcceptsFocusFromKeyboard() const override { return AcceptsFocus(); }
    // The toolkit forgets that the control takes the focus when it is disabled and enabled.
    bool Enable(bool enable = true) override;

    // The user chose `index`: select it and tell the listeners with a wxEVT_CHOICE event.
    void Choose(int index);
    // The next entry after the selection whose text starts with `letter`, ignoring case, or -1.
    int NextStartingWith(wxChar letter) const;

private:
    class Popup;

    const std::vector<std::string>* m_entries = nullptr;
    int m_selection = -1;
    Popup* m_popup = nullptr;
};

} // namespace tc
