// What the document needs from the application around it, besides messages: its dialogs, the
// two panes and the way to end the program. The GUI implements these; tests script them.
#pragma once

#include "document/DataChange.h"

#include <optional>
#include <string>
#include <vector>

namespace tc {

class LoreData;

struct OpenPaths {
    std::string lorePath;
    std::string templatePath;
};

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Each runs its dialog modally; nullopt when the user cancels.
    virtual std::optional<OpenPaths> RunOpenDialog() = 0;
    // `data` is the collection the new name must not repeat.
    virtual std::optional<std::string> RunNewNodeDialog(const std::string& caption,
                                                        const LoreData& data) = 0;
    virtual std::optional<std::string> RunBackupLocationDialog() = 0;
    // Asks for the text to find, offering `last`; both UTF-8.
    virtual std::optional<std::string> RunFindDialog(const std::string& last) = 0;

    // A passing note in the status bar; empty clears it.
    virtual void ShowStatus(const std::string& text) = 0;

    // Sends the Exit command to the main window.
    virtual void SendExit() = 0;
};

// The form in the right pane, as the document sees it.
class FormViewInterface {
public:
    virtual ~FormViewInterface() = default;
    virtual bool WindowExists() const = 0;
    // Stores what the user typed into the form, and only that. False when the form refused the
    // values: it has shown its message, or with `quiet` shown nothing and kept the typing. A form
    // without a node, or one nobody typed into, accepts.
    virtual bool CommitEdits(bool quiet = false) = 0;
    // Drops the typing: the form shows its node's stored values again.
    virtual void PutBack() = 0;
    // The node the form shows; null for none.
    virtual const Node* ShownNode() const = 0;
};

// The tree of all nodes, as the document sees it.
class TreeViewInterface {
public:
    virtual ~TreeViewInterface() = default;
    static constexpr unsigned kAllGroups = 0xFFFF;
    virtual void RebuildTree(unsigned groups) = 0;
    // Shows what one step of the history did: the node's item is added, removed or relabelled,
    // and the node (or, once removed, a neighbour) is selected and shown in the form. The
    // form's typing has been stored already.
    virtual void Follow(const DataChange& change) = 0;
    // Every node in the order the tree shows them.
    virtual std::vector<const Node*> NodesInOrder() const = 0;
    virtual const Node* SelectedNode() const = 0;
    // Selects, scrolls to and shows a node; the form's typing has been stored already.
    virtual void SelectNode(const Node* node) = 0;
};

} // namespace tc
