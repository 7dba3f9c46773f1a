// One readable book of the lore content file: its key (the name) and its text.
#pragma once

#include "model/TCObject.h"

#include <utility>

namespace tc {

class CLoreBook : public TCObject {
public:
    CLoreBook() { m_nType = NODE_LOREBOOK; }

    // Line breaks are CR LF pairs.
    std::string GetText() const { return m_strText; }
    std::string_view GetTextView() const { return m_strText; }
    void SetText(std::string text) { m_strText = std::move(text); }

    bool operator==(const CLoreBook&) const = default;

private:
    std::string m_strText;
};

} // namespace tc
