// How a refused check is shown: its message, then the focus on the control it names.
#pragma once

#include "platform/UserInterface.h"
#include "rules/DialogVerdict.h"

class wxWindow;

namespace tc {

// Looks the control up by id among `window`'s children.
void ShowRefusal(wxWindow* window, UserInterface& ui, const DialogVerdict& verdict);

} // namespace tc
