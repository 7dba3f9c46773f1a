// Edit-field styles the forms and dialogs need beyond wxWidgets' own.
#pragma once

class wxTextCtrl;

namespace tc {

// Typed letters become lower case, as the edits for names and file names require.
void MakeLowerCaseEdit(wxTextCtrl* edit);
// Only digits can be typed.
void MakeDigitsOnlyEdit(wxTextCtrl* edit);

} // namespace tc
