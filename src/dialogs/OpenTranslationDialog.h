// The Open Translation dialog: chooses the language file to open beside the pair, given itself
// or as a `language/` folder and one of the languages its files hold.
#pragma once

#include "gasfiles/LanguageFolder.h"

#include <wx/dialog.h>

#include <string>
#include <vector>

class wxChoice;
class wxTextCtrl;

namespace tc {

class UserInterface;

class OpenTranslationDialog : public wxDialog {
public:
    // `start` is the file or folder the field offers first.
    OpenTranslationDialog(wxWindow* parent, UserInterface& ui, const std::string& start);

    // The language file chosen, once the dialog ended with OK.
    const std::string& LanguagePath() const { return m_file; }

    wxTextCtrl* m_pathField;
    wxChoice* m_languageList;

private:
    // Lists the languages of the folder the field names; none for a file.
    void ScanFolder();
    void OnOK();

    UserInterface& m_ui;
    std::string m_scanned; // the folder listed
    std::vector<FolderLanguage> m_languages;
    std::string m_file;
};

} // namespace tc
