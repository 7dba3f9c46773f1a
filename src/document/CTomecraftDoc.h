// The one document of the editor: it owns the books and templates of the open pair of files and
// reads and writes the two game files.
#pragma once

#include "model/LoreData.h"
#include "platform/UserInterface.h"

#include <string>

namespace tc {

// The form in the right pane, as the document sees it.
class FormViewInterface {
public:
    virtual ~FormViewInterface() = default;
};

// The tree of all nodes, as the document sees it.
class TreeViewInterface {
public:
    virtual ~TreeViewInterface() = default;
    virtual void RebuildTree(unsigned groups) = 0;
};

class CTomecraftDoc : public LoreData {
public:
    explicit CTomecraftDoc(UserInterface& ui);
    ~CTomecraftDoc() override;

    bool ReadLoreFile(const std::string& path);
    bool ReadTemplateFile(const std::string& path);
    // A successful write clears the collection's modified flag.
    bool WriteLoreFile(const std::string& path);
    bool WriteTemplateFile(const std::string& path);

    // Reads both files into the emptied document and sorts both collections. A file that cannot
    // be opened is reported and the other is still read; a FileError from the middle of a read
    // ends it there, keeping what was read. True when both files were opened.
    bool ReadPair(const std::string& lorePath, const std::string& templatePath);
    // Writes each collection whose flag is set, lore content first, each sorted first.
    void WriteModified();

    UserInterface& Ui() { return m_ui; }

    FormViewInterface* m_pFormView = nullptr;
    TreeViewInterface* m_pTreeView = nullptr;
    std::string m_strBackupPath;
    std::string m_strLorePath;
    std::string m_strTemplatePath;

private:
    UserInterface& m_ui;
};

} // namespace tc
