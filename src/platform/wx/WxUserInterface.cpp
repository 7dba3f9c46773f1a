#include "platform/wx/WxUserInterface.h"

#include "platform/Product.h"
#include "platform/wx/WxText.h"

#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace tc {

namespace {

MsgAnswer ShowBox(const wxString& text, MsgButtons buttons, MsgIcon icon, wxWindow* parent) {
    long style = 0;
    switch (buttons) {
    case MsgButtons::Ok:
        style |= wxOK;
        break;
    case MsgButtons::YesNo:
        style |= wxYES_NO;
        break;
    case MsgButtons::YesNoCancel:
        style |= wxYES_NO | wxCANCEL;
        break;
    }
    switch (icon) {
    case MsgIcon::Exclamation:
        style |= wxICON_EXCLAMATION;
        break;
    case MsgIcon::Question:
        style |= wxICON_QUESTION;
        break;
    case MsgIcon::Stop:
        style |= wxICON_ERROR;
        break;
    }
    switch (wxMessageBox(text, kAppTitle, style, parent)) {
    case wxYES:
        return MsgAnswer::Yes;
    case wxNO:
        return MsgAnswer::No;
    case wxCANCEL:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

} // namespace

MsgAnswer WxUserInterface::MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    return ShowBox(ToWx(text), buttons, icon, m_parent);
}

MsgAnswer WxUserInterface::MessageBoxUtf8(const std::string& text, MsgButtons buttons,
                                          MsgIcon icon) {
    return ShowBox(wxString::FromUTF8(text), buttons, icon, m_parent);
}

void WxUserInterface::BeginBusy() {
    wxBeginBusyCursor();
}

void WxUserInterface::EndBusy() {
    wxEndBusyCursor();
}

} // namespace tc
