#include "views/LongChoice.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"

#include <wx/dc.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

#include <algorithm>

namespace tc {

// The popup: a virtual list box, drawing each row as it comes into view.
class LongChoice::Popup : public wxVListBox, public wxComboPopup {
public:
    bool Create(wxWindow* parent) override {
        if (!wxVListBox::Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxBORDER_SIMPLE)) {
            return false;
        }
        m_rowHeight = GetCharHeight() + 4;
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
            const int row = VirtualHitTest(event.GetPosition().y);
            if (row != wxNOT_FOUND) {
                Finish(row);
            }
        });
        Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
            const int row = VirtualHitTest(event.GetPosition().y);
            if (row != wxNOT_FOUND && row != GetSelection()) {
                SetSelection(row);
            }
        });
        Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) {
                Finish(GetSelection());
            } else if (event.GetKeyCode() == WXK_ESCAPE) {
                Dismiss();
            } else {
                event.Skip();
            }
        });
        Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
            const int row = Owner().NextStartingWith(static_cast<wxChar>(event.GetUnicodeKey()));
            if (row >= 0) {
                SetSelection(row);
            } else {
                event.Skip();
            }
        });
        return true;
    }

    wxWindow* GetControl() override { return this; }
    void SetStringValue(const wxString&) override {}
    wxString GetStringValue() const override { return Owner().GetStringSelection(); }

    void OnPopup() override {
        SetItemCount(static_cast<std::size_t>(Owner().GetCount()));
        SetSelection(Owner().GetSelection());
        if (Owner().GetSelection() >= 0) {
            ScrollToRow(static_cast<std::size_t>(Owner().GetSelection()));
        }
    }

    wxSize GetAdjustedSize(int minWidth, int, int maxHeight) override {
        const int rows = std::max(1, Owner().GetCount());
        return {minWidth, std::min(maxHeight, std::min(rows, 20) * m_rowHeight + 4)};
    }

    // Up, Down and letters choose without opening the list, as a native choice does.
    void OnComboKeyEvent(wxKeyEvent& event) override {
        const int at = Owner().GetSelection();
        const int last = Owner().GetCount() - 1;
        switch (event.GetKeyCode()) {
        case WXK_DOWN:
            Owner().Choose(std::min(at + 1, last));
            return;
        case WXK_UP:
            Owner().Choose(std::max(at - 1, 0));
            return;
        case WXK_HOME:
            Owner().Choose(0);
            return;
        case WXK_END:
            Owner().Choose(last);
            return;
        default:
            event.Skip();
        }
    }

    void OnComboCharEvent(wxKeyEvent& event) override {
        const int row = Owner().NextStartingWith(static_cast<wxChar>(event.GetUnicodeKey()));
        if (row >= 0) {
            Owner().Choose(row);
        } else {
            event.Skip();
        }
    }

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t row) const override {
        dc.SetTextForeground(wxSystemSettings::GetColour(
            IsSelected(row) ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_LISTBOXTEXT));
        dc.DrawText(Owner().GetString(static_cast<int>(row)), rect.x + 3, rect.y + 2);
    }
    wxCoord OnMeasureItem(size_t) const override { return m_rowHeight; }

private:
    LongChoice& Owner() const { return *static_cast<LongChoice*>(GetComboCtrl()); }
    void Finish(int row) {
        Dismiss();
        if (row >= 0) {
            Owner().Choose(row);
        }
    }

    int m_rowHeight = 20;
};

LongChoice::LongChoice(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxComboCtrl(parent, id, wxEmptyString, pos, size, wxCB_READONLY) {
    m_popup = new Popup;
    SetPopupControl(m_popup);
    SetCanFocus(true); // the toolkit's Tab order passes by windows it was not told about
}

bool LongChoice::Enable(bool enable) {
    const bool changed = wxComboCtrl::Enable(enable);
    SetCanFocus(enable);
    return changed;
}

void LongChoice::SetEntries(const std::vector<std::string>& entries, int selection) {
    m_entries = &entries;
    SetSelection(selection);
}

int LongChoice::GetCount() const {
    return m_entries == nullptr ? 0 : static_cast<int>(m_entries->size());
}

wxString LongChoice::GetString(int index) const {
    return index >= 0 && index < GetCount() ? ToWx((*m_entries)[static_cast<std::size_t>(index)])
                                            : wxString();
}

void LongChoice::SetSelection(int index) {
    m_selection = index >= 0 && index < GetCount() ? index : -1;
    SetValue(GetString(m_selection));
}

wxString LongChoice::GetStringSelection() const {
    return GetString(m_selection);
}

bool LongChoice::SetStringSelection(const wxString& text) {
    const std::string wanted = FromWx(text);
    for (int k = 0; k < GetCount(); ++k) {
        if ((*m_entries)[static_cast<std::size_t>(k)] == wanted) {
            SetSelection(k);
            return true;
        }
    }
    return false;
}

void LongChoice::Choose(int index) {
    if (index < 0 || index >= GetCount() || index == m_selection) {
        return;
    }
    SetSelection(index);
    wxCommandEvent chosen(wxEVT_CHOICE, GetId());
    chosen.SetEventObject(this);
    chosen.SetInt(index);
    ProcessWindowEvent(chosen);
}

int LongChoice::NextStartingWith(wxChar letter) const {
    const std::string typed = FromWx(wxString(letter));
    const int count = GetCount();
    if (typed.size() != 1 || count == 0) {
        return -1;
    }
    for (int step = 1; step <= count; ++step) {
        const int k = (m_selection + step) % count;
        const std::string& entry = (*m_entries)[static_cast<std::size_t>(k)];
        if (!entry.empty() && ToLowerChar(entry[0]) == ToLowerChar(typed[0])) {
            return k;
        }
    }
    return -1;
}

} // namespace tc
