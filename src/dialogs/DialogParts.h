// Pieces the dialogs share: the browse button, and a drop-down that shows a ComboList.
#pragma once

#include "platform/UserInterface.h"
#include "rules/ComboList.h"
#include "rules/DialogVerdict.h"

#include <wx/bmpbuttn.h>
#include <wx/combobox.h>
#include <wx/dialog.h>

#include <functional>

namespace tc {

// Positions and sizes in dialog units, as the dialogs are laid out.
wxPoint DuPoint(wxWindow* window, int x, int y);
wxSize DuSize(wxWindow* window, int width, int height);

// The OK button (the default, running `onOk`) and the Cancel button, in dialog units; then sizes
// the dialog's client area.
void AddOkCancel(wxDialog* dialog, wxPoint ok, wxPoint cancel, wxSize client,
                 std::function<void()> onOk);

// Closes a dialog with `code`, whether it runs modally or, in tests, modelessly.
void Finish(wxDialog* dialog, int code);

// Ends the OK handling: shows a refusal and keeps the dialog open, or closes it with OK.
bool CloseUnlessRefused(wxDialog* dialog, UserInterface& ui, const DialogVerdict& verdict);

// The small button with an open folder that starts browsing.
wxBitmapButton* CreateBrowseButton(wxWindow* parent, int id, wxPoint position);

// An editable drop-down whose entries, selection and typed text follow `list`.
class HistoryCombo : public wxComboBox {
public:
    HistoryCombo(wxWindow* parent, int id, wxPoint position, wxSize size, ComboList& list);

    // Shows the list's entries, selection and edit text again.
    void ShowList();

private:
    ComboList& m_list;
    bool m_showing = false; // the control's own events while it is refilled are not typing
};

} // namespace tc
