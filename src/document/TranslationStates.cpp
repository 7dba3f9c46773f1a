#include "document/TranslationStates.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace tc {

namespace {

std::size_t HashOf(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

} // namespace

void TranslationStates::Reset(const LoreData& data) {
    m_nodes.clear();
    m_nodesOfText.clear();
    m_counts = {};
    for (const LoreBook* book : data.GetBooks()) {
        Take(book);
    }
    for (const Template* tmpl : data.GetTemplates()) {
        Take(tmpl);
    }
}

void TranslationStates::Count(const Held& held, int by) {
    if (held.state == TranslationState::Nothing) {
        return;
    }
    const auto add = [by](std::size_t& count) {
        count = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(count) + by);
    };
    add(held.book ? m_counts.books : m_counts.titles);
    if (held.state == TranslationState::Translated) {
        add(held.book ? m_counts.booksDone : m_counts.titlesDone);
    } else if (held.state == TranslationState::Missing) {
        add(m_counts.missing);
    }
}

void TranslationStates::Take(const Node* node) {
    Held held{tc::StateOf(m_file, *node), HashOf(EnglishOf(*node)),
              node->GetType() == NodeType::LoreBook};
    Count(held, 1);
    m_nodesOfText[held.text].push_back(node);
    m_nodes[node] = held;
}

void TranslationStates::Forget(const Node* node) {
    const auto it = m_nodes.find(node);
    if (it == m_nodes.end()) {
        return;
    }
    Count(it->second, -1);
    if (const auto bucket = m_nodesOfText.find(it->second.text); bucket != m_nodesOfText.end()) {
        std::erase(bucket->second, node);
        if (bucket->second.empty()) {
            m_nodesOfText.erase(bucket);
        }
    }
    m_nodes.erase(it);
}

void TranslationStates::Recheck(std::size_t text) {
    const auto bucket = m_nodesOfText.find(text);
    if (bucket == m_nodesOfText.end()) {
        return;
    }
    for (const Node* node : bucket->second) {
        Held& held = m_nodes[node];
        const TranslationState now = tc::StateOf(m_file, *node);
        if (now != held.state) {
            Count(held, -1);
            held.state = now;
            Count(held, 1);
            m_touched.insert(node);
        }
    }
}

void TranslationStates::Follow(const DataChange& change) {
    const Node* node = change.node;
    const auto it = m_nodes.find(node);
    const std::size_t before = it != m_nodes.end() ? it->second.text : 0;
    Forget(node);
    if (change.kind != DataChange::Kind::Removed) {
        Take(node);
    }
    m_touched.insert(node);
    if (change.translation) {
        // The step's entry held the node's English text before or after it: only the nodes
        // that share one of the two can have changed.
        Recheck(before);
        if (const auto now = m_nodes.find(node);
            now != m_nodes.end() && now->second.text != before) {
            Recheck(now->second.text);
        }
    }
}

TranslationState TranslationStates::StateOf(const Node* node) const {
    const auto it = m_nodes.find(node);
    return it == m_nodes.end() ? TranslationState::Nothing : it->second.state;
}

std::vector<const Node*> TranslationStates::TakeTouched() {
    std::vector<const Node*> touched(m_touched.begin(), m_touched.end());
    m_touched.clear();
    return touched;
}

std::vector<const Node*> TranslationStates::Concerned() const {
    std::vector<const Node*> nodes;
    for (const auto& [node, held] : m_nodes) {
        if (held.state == TranslationState::Missing || held.state == TranslationState::Stale) {
            nodes.push_back(node);
        }
    }
    return nodes;
}

void TranslationStates::About(const Node* node, Diagnostics& out) const {
    const TranslationState state = StateOf(node);
    if (state == TranslationState::Missing || state == TranslationState::Stale) {
        DescribeTranslation(m_file, *node, state, m_paths, out);
    }
}

} // namespace tc
