// The common part of lore books and templates.
#pragma once

#include "model/NodeType.h"

#include <string>
#include <string_view>

namespace tc {

class Node {
public:
    virtual ~Node() = default;

    NodeType GetType() const { return m_type; }
    void SetType(NodeType type) { m_type = type; }

    std::string GetName() const { return m_name; }
    // For comparisons in bulk, where a copy per call would cost.
    std::string_view GetNameView() const { return m_name; }
    virtual void SetName(std::string_view name);

    std::string GetComment() const { return m_comment; }
    std::string_view GetCommentView() const { return m_comment; }
    // Drops one leading "//" and then the leading white space; trailing white space stays.
    void SetComment(std::string_view text);

    // Where the node's section begins in the file it was read from; 0 for a node made here.
    int GetSourceLine() const { return m_sourceLine; }
    void SetSourceLine(int line) { m_sourceLine = line; }

    bool operator==(const Node&) const = default;

protected:
    Node() = default;
    Node(const Node&) = default;
    Node& operator=(const Node&) = default;

    NodeType m_type = NodeType::Template;
    std::string m_name;
    std::string m_comment;
    int m_sourceLine = 0;
};

} // namespace tc
