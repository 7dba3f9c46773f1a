// One readable book of the lore content file: its key (the name) and its text.
#pragma once

#include "model/Node.h"

#include <utility>

namespace tc {

class LoreBook : public Node {
public:
    LoreBook() { m_type = NodeType::LoreBook; }

    // Line breaks are CR LF pairs.
    std::string GetText() const { return m_text; }
    std::string_view GetTextView() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }

    bool operator==(const LoreBook&) const = default;

private:
    std::string m_text;
};

} // namespace tc
