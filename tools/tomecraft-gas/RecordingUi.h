// The command-line tool's user interface: it keeps every message the editor would show, as
// UTF-8.
#pragma once

#include "platform/UserInterface.h"

#include <string>
#include <vector>

namespace tc::cli {

class RecordingUi : public UserInterface {
public:
    MsgAnswer MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        return MessageBoxUtf8(Cp1252ToUtf8(text), buttons, icon);
    }
    MsgAnswer MessageBoxUtf8(const std::string& text, MsgButtons buttons, MsgIcon) override {
        m_messages.push_back(text);
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    }

    void Add(const std::string& text) { m_messages.push_back(text); }
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

} // namespace tc::cli
