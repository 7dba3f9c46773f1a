// The common part of lore books and templates.
#pragma once

#include "model/NodeType.h"

#include <string>
#include <string_view>

namespace tc {

class TCObject {
public:
    virtual ~TCObject() = default;

    NodeType GetType() const { return m_nType; }
    void SetType(NodeType type) { m_nType = type; }

    std::string GetName() const { return m_strName; }
    // For comparisons in bulk, where a copy per call would cost.
    std::string_view GetNameView() const { return m_strName; }
    virtual void SetName(std::string_view name);

    std::string GetComment() const { return m_strComment; }
    std::string_view GetCommentView() const { return m_strComment; }
    // Drops one leading "//" and then the leading white space; trailing white space stays.
    void SetComment(std::string_view text);

    // Where the node's section begins in the file it was read from; 0 for a node made here.
    int GetSourceLine() const { return m_nSourceLine; }
    void SetSourceLine(int line) { m_nSourceLine = line; }

    bool operator==(const TCObject&) const = default;

protected:
    TCObject() = default;
    TCObject(const TCObject&) = default;
    TCObject& operator=(const TCObject&) = default;

    NodeType m_nType = NODE_TEMPLATE;
    std::string m_strName;
    std::string m_strComment;
    int m_nSourceLine = 0;
};

} // namespace tc
