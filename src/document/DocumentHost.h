// What the document needs from the application around it, besides messages: its dialogs, the
// two panes and the way to end the program. The GUI implements these; tests script them.
#pragma once

#include <optional>
#include <string>

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

    // Sends the Exit command to the main window.
    virtual void SendExit() = 0;
};

// The form in the right pane, as the document sees it.
class FormViewInterface {
public:
    virtual ~FormViewInterface() = default;
    virtual bool WindowExists() const = 0;
    // Runs the form's Update on what the user typed. False when the form refused the values
    // (it has shown its message); a form without a node accepts.
    virtual bool CommitEdits() = 0;
};

// The tree of all nodes, as the document sees it.
class TreeViewInterface {
public:
    virtual ~TreeViewInterface() = default;
    static constexpr unsigned kAllGroups = 0xFFFF;
    virtual void RebuildTree(unsigned groups) = 0;
};

} // namespace tc
