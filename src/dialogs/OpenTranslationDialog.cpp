#include "dialogs/OpenTranslationDialog.h"

#include "dialogs/DialogParts.h"
#include "gasfiles/LanguageFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/UserInterface.h"
#include "platform/wx/WxText.h"
#include "rules/ControlIds.h"
#include "rules/TranslationBox.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace tc {

OpenTranslationDialog::OpenTranslationDialog(wxWindow* parent, UserInterface& ui,
                                             const std::string& start)
    : wxDialog(parent, wxID_ANY, "Open Translation"), m_ui(ui) {
    new wxStaticText(this, wxID_ANY,
                     "Language &file (.gas), or a language folder:", DuPoint(this, 5, 5));
    m_pathField = new wxTextCtrl(this, Id(ControlId::LanguagePathField), Utf8ToWx(start),
                                 DuPoint(this, 5, 15), DuSize(this, 190, 12));
    auto* fileButton =
        new wxButton(this, Id(ControlId::LanguageFileButton), wxString::FromUTF8("F&ile\u2026"),
                     DuPoint(this, 200, 14), DuSize(this, 45, 14));
    auto* folderButton =
        new wxButton(this, Id(ControlId::LanguageFolderButton), wxString::FromUTF8("F&older\u2026"),
                     DuPoint(this, 250, 14), DuSize(this, 45, 14));
    new wxStaticText(this, wxID_ANY, "&Language (of a folder):", DuPoint(this, 5, 35));
    m_languageList = new wxChoice(this, Id(ControlId::LanguageList), DuPoint(this, 5, 45),
                                  DuSize(this, 120, 14));
    AddOkCancel(this, {189, 70}, {245, 70}, {300, 90}, [this] { OnOK(); });

    m_pathField->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ScanFolder(); });
    fileButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        wxFileDialog dialog(this, "Open Translation", "", "",
                            "Language files (*.gas)|*.gas|All files|*",
                            wxFD_OPEN | wxFD_FILE_MUST_EXIST);
        if (dialog.ShowModal() == wxID_OK) {
            m_pathField->SetValue(dialog.GetPath());
        }
    });
    folderButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        wxDirDialog dialog(this, "Select the language folder:", m_pathField->GetValue(),
                           wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
        if (dialog.ShowModal() == wxID_OK) {
            m_pathField->SetValue(dialog.GetPath());
        }
    });
    ScanFolder();
    m_pathField->SetFocus();
    m_pathField->SelectAll();
    CentreOnParent();
}

void OpenTranslationDialog::ScanFolder() {
    const std::string path = Utf8FromWx(m_pathField->GetValue());
    const bool folder = !path.empty() && IsFolder(path);
    if (folder && path == m_scanned) {
        return;
    }
    m_scanned = folder ? path : std::string();
    m_languages = folder ? LanguagesInFolder(path) : std::vector<FolderLanguage>();
    m_languageList->Clear();
    for (const FolderLanguage& language : m_languages) {
        m_languageList->Append(Utf8ToWx(LanguageDisplayName(language.id) + " (" +
                                        std::string(FileNameOf(language.path)) + ")"));
    }
    if (!m_languages.empty()) {
        m_languageList->SetSelection(0);
    }
    m_languageList->Enable(!m_languages.empty());
}

void OpenTranslationDialog::OnOK() {
    ScanFolder();
    const DialogVerdict verdict = ChooseLanguageFile(
        Utf8FromWx(m_pathField->GetValue()), m_languages, m_languageList->GetSelection(), m_file);
    CloseUnlessRefused(this, m_ui, verdict);
}

} // namespace tc
