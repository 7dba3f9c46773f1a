// What a dialog's OK check decided: close, or show a message and put the focus on a control.
#pragma once

#include "rules/ControlIds.h"

#include <string>

namespace tc {

struct DialogVerdict {
    bool accepted = true;
    std::string message; // shown with an OK button and the warning icon when not accepted
    ControlId focusControl = ControlId::None;

    static DialogVerdict Accept() { return {}; }
    static DialogVerdict Refuse(std::string message, ControlId control) {
        return {false, std::move(message), control};
    }
};

} // namespace tc
