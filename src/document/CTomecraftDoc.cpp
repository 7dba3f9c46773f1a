#include "document/CTomecraftDoc.h"

#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"

namespace tc {

CTomecraftDoc::CTomecraftDoc(UserInterface& ui) : m_ui(ui) {}

CTomecraftDoc::~CTomecraftDoc() {
    ClearData();
}

bool CTomecraftDoc::ReadLoreFile(const std::string& path) {
    return tc::ReadLoreFile(path, m_arrBooks, m_ui);
}

bool CTomecraftDoc::ReadTemplateFile(const std::string& path) {
    return tc::ReadTemplateFile(path, m_arrTemplates, m_ui);
}

bool CTomecraftDoc::WriteLoreFile(const std::string& path) {
    if (!tc::WriteLoreFile(path, m_strBackupPath, m_arrBooks, m_ui)) {
        return false;
    }
    m_bBooksModified = false;
    return true;
}

bool CTomecraftDoc::WriteTemplateFile(const std::string& path) {
    if (!tc::WriteTemplateFile(path, m_strBackupPath, m_arrTemplates, m_ui)) {
        return false;
    }
    m_bTemplatesModified = false;
    return true;
}

bool CTomecraftDoc::ReadPair(const std::string& lorePath, const std::string& templatePath) {
    ClearData();
    m_strLorePath = lorePath;
    m_strTemplatePath = templatePath;
    const bool loreRead = ReadLoreFile(m_strLorePath);
    const bool templatesRead = ReadTemplateFile(m_strTemplatePath);
    SortBooks();
    SortTemplates();
    return loreRead && templatesRead;
}

void CTomecraftDoc::WriteModified() {
    if (m_bBooksModified) {
        SortBooks();
        WriteLoreFile(m_strLorePath);
    }
    if (m_bTemplatesModified) {
        SortTemplates();
        WriteTemplateFile(m_strTemplatePath);
    }
}

} // namespace tc
