// The core's user interface on wxWidgets: real message boxes and the busy cursor.
#pragma once

#include "platform/UserInterface.h"

class wxWindow;

namespace tc {

class WxUserInterface : public UserInterface {
public:
    // Message boxes are centred on `parent` when there is one.
    void SetParent(wxWindow* parent) { m_parent = parent; }

    MsgAnswer MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    MsgAnswer MessageBoxUtf8(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    wxWindow* m_parent = nullptr;
};

} // namespace tc
