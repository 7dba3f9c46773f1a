#include "dialogs/OpenFilesDialog.h"

#include "dialogs/DialogParts.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/stattext.h>

namespace tc {

OpenFilesDialog::OpenFilesDialog(wxWindow* parent, SettingsStore& settings, UserInterface& ui,
                                 FileChooser chooseFile)
    : wxDialog(parent, wxID_ANY, "Open"), m_settings(settings), m_ui(ui),
      m_chooseFile(std::move(chooseFile)) {
    if (!m_chooseFile) {
        m_chooseFile = [this](OpenFilesRules::Which which) { return ChooseWithFileDialog(which); };
    }
    new wxStaticText(this, wxID_ANY, "&Content for Lore Books (lore.gas):", DuPoint(this, 5, 5));
    m_lorePathsField = new HistoryCombo(this, Id(ControlId::LorePathList), DuPoint(this, 5, 15),
                                        DuSize(this, 235, 14), m_rules.lorePaths);
    CreateBrowseButton(this, Id(ControlId::LoreBrowseButton), DuPoint(this, 245, 15))
        ->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(OpenFilesRules::Which::Lore); });
    new wxStaticText(this, wxID_ANY,
                     "&Templates for Lore Books  (trs_book_lore.gas):", DuPoint(this, 5, 35));
    m_templatePathsField =
        new HistoryCombo(this, Id(ControlId::TemplatePathList), DuPoint(this, 5, 45),
                         DuSize(this, 235, 14), m_rules.templatePaths);
    CreateBrowseButton(this, Id(ControlId::TemplateBrowseButton), DuPoint(this, 245, 45))
        ->Bind(wxEVT_BUTTON,
               [this](wxCommandEvent&) { OnBrowse(OpenFilesRules::Which::Templates); });
    AddOkCancel(this, {155, 70}, {211, 70}, {267, 90}, [this] { OnOK(); });

    m_rules.LoadPathHistory(m_settings);
    m_lorePathsField->ShowList();
    m_templatePathsField->ShowList();
    m_lorePathsField->SetFocus();
    CentreOnParent();
}

std::string OpenFilesDialog::ChooseWithFileDialog(OpenFilesRules::Which which) {
    const bool lore = which == OpenFilesRules::Which::Lore;
    wxFileDialog dialog(this, lore ? "Lore Book Content" : "Lore Book Template", "",
                        lore ? "lore.gas" : "trs_book_lore.gas",
                        lore ? "Lore Book Content (lore.gas)|lore.gas"
                             : "Lore Book Template (trs_book_lore.gas)|trs_book_lore.gas",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? Utf8FromWx(dialog.GetPath()) : std::string();
}

void OpenFilesDialog::Prefill(const std::vector<std::string>& files) {
    m_rules.Prefill(files);
    m_lorePathsField->ShowList();
    m_templatePathsField->ShowList();
}

void OpenFilesDialog::OnBrowse(OpenFilesRules::Which which) {
    if (const auto message = m_rules.OnBrowse(which, m_chooseFile(which))) {
        m_ui.MessageBox(*message, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    (which == OpenFilesRules::Which::Lore ? m_lorePathsField : m_templatePathsField)->ShowList();
}

bool OpenFilesDialog::OnOK() {
    return CloseUnlessRefused(this, m_ui, m_rules.OnOk(m_settings));
}

} // namespace tc
