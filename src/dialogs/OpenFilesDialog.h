// The Open dialog: chooses the lore content file and the template file.
#pragma once

#include "rules/OpenFilesRules.h"

#include <wx/dialog.h>

#include <functional>
#include <string>
#include <vector>

namespace tc {

class HistoryCombo;
class UserInterface;

class OpenFilesDialog : public wxDialog {
public:
    // `chooseFile` stands in for the file chooser in tests; by default a wxFileDialog runs.
    using FileChooser = std::function<std::string(OpenFilesRules::Which)>;

    OpenFilesDialog(wxWindow* parent, SettingsStore& settings, UserInterface& ui,
                    FileChooser chooseFile = {});

    OpenFilesRules& Rules() { return m_rules; }
    // Shows files given on the command line, handed over or dropped, with their partners.
    void Prefill(const std::vector<std::string>& files);
    // What OK does; true when the dialog closed.
    bool OnOK();
    void OnBrowse(OpenFilesRules::Which which);

    HistoryCombo* m_templatePathsField;
    HistoryCombo* m_lorePathsField;

private:
    std::string ChooseWithFileDialog(OpenFilesRules::Which which);

    SettingsStore& m_settings;
    UserInterface& m_ui;
    FileChooser m_chooseFile;
    OpenFilesRules m_rules;
};

} // namespace tc
