#include "controls/Refusal.h"

#include <wx/window.h>

namespace tc {

void ShowRefusal(wxWindow* window, UserInterface& ui, const DialogVerdict& verdict) {
    ui.MessageBox(verdict.message, MsgButtons::Ok, MsgIcon::Exclamation);
    if (wxWindow* control = window->FindWindow(Id(verdict.focusControl))) {
        control->SetFocus();
    }
}

} // namespace tc
