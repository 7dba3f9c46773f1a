// One readable book of the lore content file: its key (the name) and its text.
#pragma once

#include "model/TCObject.h"

namespace tc {

class CLoreBook : public TCObject {
public:
    CLoreBook() { m_nType = NODE_LOREBOOK; }

    // Line breaks are CR LF pairs.
    std::string GetText() const { return m_strText; }
    void SetText(std::string_view text) { m_strText = text; }

private:
    std::string m_strText;
};

} // namespace tc
