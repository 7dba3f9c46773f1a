// The left pane: every lore book and template under its group, the New and Delete commands,
// and the context menu.
#pragma once

#include "document/Document.h"

#include <wx/treectrl.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class wxMenu;

namespace tc {

class FormPane;

// The frame's side of the tree: it puts the form of a node type into the right pane.
class FormHost {
public:
    virtual ~FormHost() = default;
    virtual FormPane* SwitchFormView(NodeType type) = 0;
    virtual FormPane* CurrentForm() = 0;
    // The tree holds new data: the forms may make ready what they build from all nodes.
    virtual void PrepareForms() = 0;
    // A message in the status bar describes the last action: the next one clears it.
    virtual void ClearMessage() = 0;
};

class TreeView : public wxTreeCtrl, public TreeViewInterface {
public:
    // Image indexes in the frame's image list.
    enum Image { kBook, kBookOpen, kTemplate, kTemplateOpen, kFolder, kFolderOpen };

    TreeView(wxWindow* parent, Document& doc, FormHost& host);
    ~TreeView() override;

    void RebuildTree(unsigned groups) override;
    void Follow(const DataChange& change) override;
    std::vector<const Node*> NodesInOrder() const override;
    const Node* SelectedNode() const override { return NodeOf(GetSelection()); }
    void SelectNode(const Node* node) override;
    FormHost& Host() { return m_host; }
    // Adds one item for the node under its group, at its alphabetical place.
    wxTreeItemId AddNode(NodeType type, const Node* node);
    // Relabels a renamed node's item and moves it to its place in order; returns the item that
    // now shows the node (moving makes a new one).
    wxTreeItemId UpdateTreeData(wxTreeItemId item);
    wxTreeItemId GetRootItemOf(wxTreeItemId item) const;
    const Node* NodeOf(wxTreeItemId item) const;
    // The item that shows a node; not ok when none does.
    wxTreeItemId ItemOf(const Node* node) const;

    // Nodes with errors are drawn in red, and with a language file open, nodes whose
    // translation is missing or stale in amber: `hasError` and the document's translation states
    // are asked as each item is made, and Remark asks again for nodes whose findings or
    // translations changed.
    void SetMarks(std::function<bool(const Node*)> hasError) { m_hasError = std::move(hasError); }
    void Remark(const std::vector<const Node*>& nodes);
    // Every item anew, once a language file was opened.
    void MarkTranslations();

    // Takes the focus after a form's Update, which must not run that Update again.
    void FocusAfterUpdate();

    void AddNewNode(NodeType type);
    void OnDeleteNode();
    bool CanDeleteNode() const;
    // Selects the item under the point (client coordinates) and opens the context menu there.
    void ShowContextMenu(wxPoint point);
    // The two steps of a right click: select what is under the point (false when the form
    // refused to let its node go), then build the menu with Delete enabled only for a node.
    bool SelectAt(wxPoint point);
    std::unique_ptr<wxMenu> CreateContextMenu() const;

    wxTreeItemId m_templatesRoot;
    wxTreeItemId m_booksRoot;

protected:
    int OnCompareItems(const wxTreeItemId& a, const wxTreeItemId& b) override;
#ifdef wxHAS_GENERIC_TREECTRL
    // Every change of the shown rows goes through these, so the row list can follow.
    wxTreeItemId DoInsertItem(const wxTreeItemId& parent, size_t previous, const wxString& text,
                              int image, int selectedImage, wxTreeItemData* data) override;
    wxTreeItemId DoInsertAfter(const wxTreeItemId& parent, const wxTreeItemId& previous,
                               const wxString& text, int image, int selectedImage,
                               wxTreeItemData* data) override;
    void Delete(const wxTreeItemId& item) override;
    void DeleteChildren(const wxTreeItemId& item) override;
    void DeleteAllItems() override;
    void Expand(const wxTreeItemId& item) override;
    void Collapse(const wxTreeItemId& item) override;
#endif
    // Puts `node` in its place among the items of `group`: a new item, or `item` moved there.
    wxTreeItemId PlaceInOrder(wxTreeItemId group, const Node* node, wxTreeItemId item);

private:
    bool FillNodes(NodeType type);
    void OnSelChanged(wxTreeItemId item);
    // Selects an item on a route that has already stored the form's typing.
    void SelectCommitted(wxTreeItemId item);
    // Selects, scrolls to and shows an item in the form, even when it was selected already.
    void ShowItem(wxTreeItemId item);
    // Deletes a node's item once the selection has moved to a neighbour (or the group).
    void RemoveItem(wxTreeItemId item);
    void OnFocus(wxFocusEvent& event);
    enum class MarkKind { None, Error, Untranslated };
    MarkKind MarkOf(const Node* node) const;
    MarkKind MarkedAs(const Node* node) const;
    // Draws the item in red when its node has an error, in amber when it lacks a translation,
    // else as usual.
    void Mark(wxTreeItemId item, const Node* node);

    // Has the shown form store what was typed; false when it refused (its message is shown).
    bool CommitForm();

#ifdef wxHAS_GENERIC_TREECTRL
    // The toolkit's own tree paints by walking every item, tens of milliseconds for each paint
    // with a hundred thousand books; this paints only the rows the paint needs, found by
    // their place in the list of shown rows.
    void PaintRows();
    // The shown rows from the top: each group, then its children while it is expanded.
    const std::vector<wxTreeItemId>& Rows();
    // PageUp and PageDown move the selection by a page, as the native trees do.
    void SelectPageAway(bool down);
    std::vector<wxTreeItemId> m_rows;
    bool m_rowsKnown = false;
#endif

    Document& m_doc;
    FormHost& m_host;
    std::function<bool(const Node*)> m_hasError;
    std::unordered_map<const Node*, MarkKind> m_marked;
    // Selection changes while items are deleted must not reach the form.
    bool m_ignoreSelection = false;
    bool m_focusFromUpdate = false;
    bool m_formCommitted = false;
    bool m_refused = false;
};

} // namespace tc
