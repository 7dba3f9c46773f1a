// What the core asks of whoever shows it: the GUI implements this with real message boxes,
// tests script it and the command-line tool prints.
#pragma once

#include "platform/Text.h"

#include <string>

namespace tc {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { Exclamation, Question, Stop };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box captioned with the application's title; `text` is Windows-1252.
    virtual MsgAnswer MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
    // The same for a UTF-8 text, such as one that names a file by its path.
    virtual MsgAnswer MessageBoxUtf8(const std::string& text, MsgButtons buttons, MsgIcon icon) {
        return MessageBox(Utf8ToCp1252(text), buttons, icon);
    }

    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// Shows nothing; for reading a file whose messages are not for the user.
class QuietUi : public UserInterface {
public:
    MsgAnswer MessageBox(const std::string&, MsgButtons, MsgIcon) override {
        return MsgAnswer::Cancel;
    }
};

// Keeps the wait cursor up for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(UserInterface& ui) : m_ui(ui) { m_ui.BeginBusy(); }
    ~BusyCursor() { m_ui.EndBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserInterface& m_ui;
};

} // namespace tc
