// The Translation box under a form: the state of the shown node's translation and the field
// where it is typed, in any script (the language file holds it as UTF-8).
#pragma once

#include <wx/sizer.h>

#include <string>

class wxStaticText;
class wxTextCtrl;
class wxWindow;

namespace tc {

class LanguageFile;
class Node;

class TranslationControls {
public:
    // Makes the controls as children of `form`, where the tab order has them, after the
    // controls made before: `multiLine` for a book's text, one line for a title.
    void Create(wxWindow* form, bool multiLine);

    // The box, to put under the form's fields; a multi-line field takes the height it is given.
    wxStaticBoxSizer* Sizer() { return m_sizer; }
    wxTextCtrl* Field() { return m_field; }

    // Shows the node's translation and its state; greyed and empty where nothing can be typed.
    void Show(const LanguageFile* file, const Node* node, const std::string& translation);
    // What the field holds, UTF-8.
    std::string Value() const;

private:
    wxStaticBoxSizer* m_sizer = nullptr;
    wxStaticText* m_state = nullptr;
    wxTextCtrl* m_field = nullptr;
};

} // namespace tc
