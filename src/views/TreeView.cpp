#include "views/TreeView.h"

#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "rules/CommandIds.h"
#include "views/FormPane.h"
#include "views/TemplateForm.h"

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#ifdef __WXGTK3__
#include <dlfcn.h>
#endif

#include <algorithm>
#include <string_view>
#include <vector>

namespace tc {

namespace {

class NodeData : public wxTreeItemData {
public:
    explicit NodeData(const Node* node) : node(node) {}
    const Node* node; // owned by the document
};

#ifdef __WXGTK3__
// GTK fades an overlay scroll bar in and out after each scroll, and the tree below it is drawn
// again for every frame of that, some sixty times after one key. A classic bar is drawn once.
// The toolkit is loaded already; its headers are not needed for one call.
void UseClassicScrollBars(wxWindow* window) {
    using SetOverlayScrolling = void (*)(void* scrolledWindow, int overlay);
    if (const auto set = reinterpret_cast<SetOverlayScrolling>(
            dlsym(RTLD_DEFAULT, "gtk_scrolled_window_set_overlay_scrolling"));
        set != nullptr && window->GetHandle() != nullptr) {
        set(window->GetHandle(), 0);
    }
}
#endif

} // namespace

TreeView::TreeView(wxWindow* parent, Document& doc, FormHost& host)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE |
                     wxBORDER_THEME),
      m_doc(doc), m_host(host) {
#ifdef __WXGTK3__
    UseClassicScrollBars(this);
#endif
    Bind(wxEVT_TREE_SEL_CHANGED, [this](wxTreeEvent& event) {
        if (!m_ignoreSelection) {
            OnSelChanged(event.GetItem());
        }
    });
    Bind(wxEVT_TREE_SEL_CHANGING, [this](wxTreeEvent& event) {
        // GTK's tree moves its selection on the mouse press, before it takes the focus: the
        // form stores what was typed now, while it still shows the node it was typed for.
        if (!m_ignoreSelection && !m_formCommitted && !CommitForm()) {
            event.Veto();
        }
    });
    // A right press soon after another at the same place comes as a double click (as after
    // picking Delete with the keys, when the next node moves up under the pointer): it opens
    // the menu all the same.
    const auto rightPress = [this](wxMouseEvent& event) { ShowContextMenu(event.GetPosition()); };
    Bind(wxEVT_RIGHT_DOWN, rightPress);
    Bind(wxEVT_RIGHT_DCLICK, rightPress);
    // The Menu key and Shift+F10 open the same menu beside the selected node.
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        const bool menuKey = event.GetKeyCode() == WXK_MENU ||
                             (event.GetKeyCode() == WXK_F10 && event.GetModifiers() == wxMOD_SHIFT);
#ifdef wxHAS_GENERIC_TREECTRL
        if ((event.GetKeyCode() == WXK_PAGEUP || event.GetKeyCode() == WXK_PAGEDOWN) &&
            !event.HasAnyModifiers()) {
            SelectPageAway(event.GetKeyCode() == WXK_PAGEDOWN);
            return;
        }
#endif
        wxRect row;
        if (!menuKey || !GetSelection().IsOk() || !GetBoundingRect(GetSelection(), row, true)) {
            event.Skip();
            return;
        }
        ShowContextMenu(wxPoint(row.GetX() + 4, row.GetY() + row.GetHeight() / 2));
    });
    // The context menu's highlighted item comes here, to the window that opened the menu, and
    // not to the frame, whose status bar shows the prompt.
    Bind(wxEVT_MENU_HIGHLIGHT, [this](wxMenuEvent& event) {
        const wxMenuItem* item =
            event.GetMenu() != nullptr ? event.GetMenu()->FindItem(event.GetMenuId()) : nullptr;
        if (auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame)) {
            frame->DoGiveHelp(item != nullptr ? item->GetHelp() : wxString(), true);
        }
    });
    Bind(wxEVT_MENU_CLOSE, [this](wxMenuEvent& event) {
        if (auto* frame = wxDynamicCast(wxGetTopLevelParent(this), wxFrame)) {
            frame->DoGiveHelp(wxString(), false);
        }
        event.Skip();
    });
    Bind(wxEVT_SET_FOCUS, &TreeView::OnFocus, this);
#ifdef wxHAS_GENERIC_TREECTRL
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) { PaintRows(); });
#endif
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { AddNewNode(NodeType::Template); },
        Id(CommandId::NewTemplate));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { AddNewNode(NodeType::LoreBook); },
        Id(CommandId::NewLoreBook));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnDeleteNode(); }, Id(CommandId::DeleteNode));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanDeleteNode()); },
        Id(CommandId::DeleteNode));
    m_doc.AttachTreeView(this);
}

TreeView::~TreeView() {
    m_doc.DetachTreeView(this);
}

// Items are ordered by their nodes' names ignoring case, as the group lists always were.
int TreeView::OnCompareItems(const wxTreeItemId& a, const wxTreeItemId& b) {
    const Node* x = NodeOf(a);
    const Node* y = NodeOf(b);
    if (x == nullptr || y == nullptr) {
        return x == y ? 0 : (x == nullptr ? -1 : 1);
    }
    return CompareNoCase(x->GetNameView(), y->GetNameView());
}

wxTreeItemId TreeView::PlaceInOrder(wxTreeItemId group, const Node* node, wxTreeItemId item) {
    // The place after every other sibling that sorts before or with it, found by halving: a
    // group can hold a hundred thousand books, too many to sort again for each rename.
    std::vector<wxTreeItemId> siblings;
    siblings.reserve(GetChildrenCount(group, false));
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = GetFirstChild(group, cookie); child.IsOk();
         child = GetNextChild(group, cookie)) {
        if (child != item) {
            siblings.push_back(child);
        }
    }
    const auto at =
        std::upper_bound(siblings.begin(), siblings.end(), node->GetNameView(),
                         [this](std::string_view name, const wxTreeItemId& sibling) {
                             return CompareNoCase(name, NodeOf(sibling)->GetNameView()) < 0;
                         });
    const auto index = static_cast<std::size_t>(at - siblings.begin());
    const int image = group == m_templatesRoot ? kTemplate : kBook;
    if (item.IsOk()) {
        if (index < siblings.size() ? GetPrevSibling(siblings[index]) == item
                                    : GetLastChild(group) == item) {
            SetItemText(item, ToWx(node->GetName()));
            return item; // still in its place
        }
        const bool selected = GetSelection() == item;
        m_ignoreSelection = true;
        Delete(item);
        const wxTreeItemId moved =
            InsertItem(group, index, ToWx(node->GetName()), image, image + 1, new NodeData(node));
        Mark(moved, node);
        if (selected) {
            SelectItem(moved);
        }
        m_ignoreSelection = false;
        return moved;
    }
    const wxTreeItemId added =
        InsertItem(group, index, ToWx(node->GetName()), image, image + 1, new NodeData(node));
    Mark(added, node);
    return added;
}

void TreeView::Mark(wxTreeItemId item, const Node* node) {
    const bool error = m_hasError && m_hasError(node);
    if (error) {
        m_marked.insert(node);
        SetItemTextColour(item, wxColour(192, 0, 0));
    } else if (m_marked.erase(node) != 0 || GetItemTextColour(item).IsOk()) {
        SetItemTextColour(item, wxNullColour);
    }
}

void TreeView::Remark(const std::vector<const Node*>& nodes) {
    std::unordered_set<const Node*> changed;
    for (const Node* node : nodes) {
        if (m_hasError && m_hasError(node) != m_marked.contains(node)) {
            changed.insert(node);
        }
    }
    if (changed.empty()) {
        return; // the usual step: one pass over the items is spared
    }
    for (const wxTreeItemId& group : {m_booksRoot, m_templatesRoot}) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
             item = GetNextChild(group, cookie)) {
            if (const Node* node = NodeOf(item); changed.contains(node)) {
                Mark(item, node);
            }
        }
    }
    for (const Node* node : changed) {
        if (!m_hasError(node)) {
            m_marked.erase(node); // also a node no item shows any more
        }
    }
}

void TreeView::RebuildTree(unsigned groups) {
    wxBusyCursor busy;
    if (groups != kAllGroups) {
        FillNodes(static_cast<NodeType>(groups));
        Refresh();
        return;
    }
    m_ignoreSelection = true;
    DeleteAllItems();
    m_marked.clear();
    const wxTreeItemId root = AddRoot("Tomecraft");
    m_booksRoot = AppendItem(root, "Lore Books", kFolder, kFolderOpen);
    m_templatesRoot = AppendItem(root, "Templates", kFolder, kFolderOpen);
    SetItemImage(m_booksRoot, kFolderOpen, wxTreeItemIcon_Expanded);
    SetItemImage(m_templatesRoot, kFolderOpen, wxTreeItemIcon_Expanded);
    if (FillNodes(NodeType::LoreBook)) {
        FillNodes(NodeType::Template);
    }
    m_host.PrepareForms();
    Expand(m_booksRoot);
    Expand(m_templatesRoot);
    ScrollTo(m_booksRoot);
    SelectItem(m_booksRoot);
    m_ignoreSelection = false;
    if (m_doc.HasFormView()) {
        OnSelChanged(m_booksRoot);
    }
    Refresh();
}

bool TreeView::FillNodes(NodeType type) {
    // Each group is inserted already in its final order, instead of sorting after each item.
    const std::vector<const Node*> nodes = m_doc.Data().ByName(type);
    const wxTreeItemId parent = type == NodeType::Template ? m_templatesRoot : m_booksRoot;
    const int image = type == NodeType::Template ? kTemplate : kBook;
    for (const Node* node : nodes) {
        const wxTreeItemId item =
            AppendItem(parent, ToWx(node->GetName()), image, image + 1, new NodeData(node));
        if (!item.IsOk()) {
            return false;
        }
        Mark(item, node);
    }
    return true;
}

wxTreeItemId TreeView::AddNode(NodeType type, const Node* node) {
    if (!IsNodeType(type) || node == nullptr) {
        return {};
    }
    return PlaceInOrder(type == NodeType::Template ? m_templatesRoot : m_booksRoot, node, {});
}

wxTreeItemId TreeView::GetRootItemOf(wxTreeItemId item) const {
    // The hidden root is not a group: stop below it.
    const wxTreeItemId hidden = GetRootItem();
    while (item.IsOk() && GetItemParent(item).IsOk() && GetItemParent(item) != hidden) {
        item = GetItemParent(item);
    }
    return item;
}

const Node* TreeView::NodeOf(wxTreeItemId item) const {
    if (!item.IsOk()) {
        return nullptr;
    }
    const auto* data = dynamic_cast<NodeData*>(GetItemData(item));
    return data == nullptr ? nullptr : data->node;
}

wxTreeItemId TreeView::UpdateTreeData(wxTreeItemId item) {
    const wxTreeItemId root = GetRootItemOf(item);
    const Node* node = NodeOf(item);
    if (!root.IsOk() || (root != m_templatesRoot && root != m_booksRoot) || node == nullptr) {
        m_doc.Ui().MessageBox("Critical error in UpdateTreeData!", MsgButtons::Ok, MsgIcon::Stop);
        return item;
    }
    return PlaceInOrder(root, node, item);
}

void TreeView::OnSelChanged(wxTreeItemId item) {
    if (!item.IsOk()) {
        return;
    }
    const wxTreeItemId root = GetRootItemOf(item);
    m_host.ClearMessage();
    if (root == m_templatesRoot || root == m_booksRoot) {
        const NodeType type = root == m_templatesRoot ? NodeType::Template : NodeType::LoreBook;
        if (FormPane* form = m_host.SwitchFormView(type)) {
            form->ShowNode(NodeOf(item), item);
        }
    }
}

void TreeView::SelectCommitted(wxTreeItemId item) {
    m_formCommitted = true;
    SelectItem(item);
    m_formCommitted = false;
}

void TreeView::AddNewNode(NodeType type) {
    if (!CommitForm()) {
        return;
    }
    // The tree shows the new node as it follows the change.
    const Node* node = m_doc.NewNode(type);
    if (node == nullptr || SelectedNode() != node) {
        return;
    }
    if (FormPane* form = m_host.CurrentForm()) {
        form->SetFocus();
    }
}

bool TreeView::CanDeleteNode() const {
    return NodeOf(GetSelection()) != nullptr;
}

void TreeView::OnDeleteNode() {
    const wxTreeItemId item = GetSelection();
    const Node* node = NodeOf(item);
    if (node == nullptr) {
        return;
    }
    // Deleting the node the form shows always works: what the form would refuse is kept in the
    // form until the user answers Yes, and then goes with the node.
    FormPane* form = m_host.CurrentForm();
    const bool shown = form != nullptr && form->WindowExists() && form->ShownNode() == node;
    const bool stored = shown ? form->CommitEdits(true) : CommitForm();
    if (!shown && !stored) {
        return;
    }
    if (m_doc.Ui().MessageBox(m_doc.Data().DeleteQuestion(*node), MsgButtons::YesNo,
                              MsgIcon::Question) != MsgAnswer::Yes) {
        return;
    }
    if (!stored) {
        form->PutBack();
    }
    m_doc.Data().DeleteNode(node); // the tree removes the item as it follows the change
}

void TreeView::RemoveItem(wxTreeItemId item) {
    // The form moves to a neighbour, so that it never holds a node out of the collections.
    wxTreeItemId next = GetNextSibling(item);
    if (!next.IsOk()) {
        next = GetPrevSibling(item);
    }
    if (!next.IsOk()) {
        next = GetRootItemOf(item);
    }
    ShowItem(next);
    m_ignoreSelection = true;
    Delete(item);
    m_ignoreSelection = false;
    Refresh();
}

void TreeView::ShowItem(wxTreeItemId item) {
    if (GetSelection() == item) {
        OnSelChanged(item); // the form shows the node's values as they are now
    } else {
        SelectCommitted(item);
    }
    EnsureVisible(item);
}

wxTreeItemId TreeView::ItemOf(const Node* node) const {
    if (node == nullptr) {
        return {};
    }
    const wxTreeItemId group =
        node->GetType() == NodeType::Template ? m_templatesRoot : m_booksRoot;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
         item = GetNextChild(group, cookie)) {
        if (NodeOf(item) == node) {
            return item;
        }
    }
    return {};
}

void TreeView::Follow(const DataChange& change) {
    // A store that a form made keeps the selection where it is; only a new name moves the item.
    if (change.kind == DataChange::Kind::Stored && !change.fromHistory && !change.renamed) {
        return;
    }
    const wxTreeItemId item = ItemOf(change.node);
    switch (change.kind) {
    case DataChange::Kind::Added:
        ShowItem(AddNode(change.node->GetType(), change.node));
        break;
    case DataChange::Kind::Removed:
        if (item.IsOk()) {
            RemoveItem(item);
        }
        break;
    case DataChange::Kind::Stored:
        if (item.IsOk()) {
            const wxTreeItemId placed = UpdateTreeData(item);
            if (change.fromHistory) {
                ShowItem(placed);
            }
        }
        break;
    }
}

std::vector<const Node*> TreeView::NodesInOrder() const {
    std::vector<const Node*> nodes;
    nodes.reserve(m_doc.Data().GetBooks().size() + m_doc.Data().GetTemplates().size());
    for (const wxTreeItemId group : {m_booksRoot, m_templatesRoot}) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
             item = GetNextChild(group, cookie)) {
            nodes.push_back(NodeOf(item));
        }
    }
    return nodes;
}

void TreeView::SelectNode(const Node* node) {
    if (const wxTreeItemId item = ItemOf(node); item.IsOk()) {
        ShowItem(item);
    }
}

bool TreeView::SelectAt(wxPoint point) {
    int flags = 0;
    const wxTreeItemId hit = HitTest(point, flags);
    const bool onItem = hit.IsOk() && (flags & wxTREE_HITTEST_ONITEM);
    if (onItem && hit != GetSelection()) {
        SelectItem(hit);
        if (GetSelection() != hit) {
            return false; // the form refused to let its node go
        }
    }
    // The menu of the node the form shows keeps the typing in the form: each entry that leaves
    // the form stores it first, and Delete and Undo get out of a form that refuses it.
    m_focusFromUpdate = onItem;
    SetFocus();
    m_focusFromUpdate = false;
    return !m_refused;
}

std::unique_ptr<wxMenu> TreeView::CreateContextMenu() const {
    auto menu = std::make_unique<wxMenu>();
    auto* newMenu = new wxMenu;
    newMenu->Append(Id(CommandId::NewLoreBook), "&Lore Book...\tCtrl+B", "Add a new lore book");
    newMenu->Append(Id(CommandId::NewTemplate), "&Template...\tCtrl+T", "Add a new lore template");
    menu->AppendSubMenu(newMenu, "&New");
    menu->AppendSeparator();
    if (const auto* form = dynamic_cast<const TemplateForm*>(m_host.CurrentForm());
        form != nullptr && form->HasNode() && form->KeyNamesNoBook()) {
        menu->Append(Id(CommandId::PointAtBook), wxString::FromUTF8("&Point at Another Book\u2026"),
                     "Unlock the book title and lore key to name another book");
        menu->AppendSeparator();
    }
    menu->Append(Id(CommandId::DeleteNode), "&Delete", "Delete this node from the tree");
    menu->Enable(Id(CommandId::DeleteNode), CanDeleteNode());
    return menu;
}

void TreeView::ShowContextMenu(wxPoint point) {
    if (!SelectAt(point)) {
        return;
    }
    const std::unique_ptr<wxMenu> menu = CreateContextMenu();
    PopupMenu(menu.get(), point);
}

void TreeView::FocusAfterUpdate() {
    m_focusFromUpdate = true;
    SetFocus();
    m_focusFromUpdate = false;
}

bool TreeView::CommitForm() {
    if (m_refused) {
        return false; // this input was refused already; one message is enough
    }
    if (m_doc.CommitFormEdits()) {
        return true;
    }
    // The refusal put the focus on the control to correct, but the tree may still take it as
    // part of the same click: give it back once the input has been handled.
    m_refused = true;
    wxWeakRef<wxWindow> control(wxWindow::FindFocus());
    CallAfter([this, control] {
        m_refused = false;
        if (control) {
            control->SetFocus();
        }
    });
    return false;
}

void TreeView::OnFocus(wxFocusEvent& event) {
    // Leaving the form for the tree stores what was typed there.
    FormPane* form = m_focusFromUpdate ? nullptr : m_host.CurrentForm();
    for (wxWindow* from = event.GetWindow(); form != nullptr && from != nullptr;
         from = from->GetParent()) {
        if (from == form) {
            CommitForm();
            break;
        }
    }
    event.Skip();
}

#ifdef wxHAS_GENERIC_TREECTRL

wxTreeItemId TreeView::DoInsertItem(const wxTreeItemId& parent, size_t previous,
                                    const wxString& text, int image, int selectedImage,
                                    wxTreeItemData* data) {
    m_rowsKnown = false;
    return wxTreeCtrl::DoInsertItem(parent, previous, text, image, selectedImage, data);
}

wxTreeItemId TreeView::DoInsertAfter(const wxTreeItemId& parent, const wxTreeItemId& previous,
                                     const wxString& text, int image, int selectedImage,
                                     wxTreeItemData* data) {
    m_rowsKnown = false;
    return wxTreeCtrl::DoInsertAfter(parent, previous, text, image, selectedImage, data);
}

void TreeView::Delete(const wxTreeItemId& item) {
    m_rowsKnown = false;
    wxTreeCtrl::Delete(item);
}

void TreeView::DeleteChildren(const wxTreeItemId& item) {
    m_rowsKnown = false;
    wxTreeCtrl::DeleteChildren(item);
}

void TreeView::DeleteAllItems() {
    m_rowsKnown = false;
    wxTreeCtrl::DeleteAllItems();
}

void TreeView::Expand(const wxTreeItemId& item) {
    m_rowsKnown = false;
    wxTreeCtrl::Expand(item);
}

void TreeView::Collapse(const wxTreeItemId& item) {
    m_rowsKnown = false;
    wxTreeCtrl::Collapse(item);
}

const std::vector<wxTreeItemId>& TreeView::Rows() {
    if (m_rowsKnown) {
        return m_rows;
    }
    m_rows.clear();
    const wxTreeItemId root = GetRootItem();
    if (root.IsOk()) {
        wxTreeItemIdValue groups;
        for (wxTreeItemId group = GetFirstChild(root, groups); group.IsOk();
             group = GetNextChild(root, groups)) {
            m_rows.push_back(group);
            if (!IsExpanded(group)) {
                continue;
            }
            wxTreeItemIdValue cookie;
            for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
                 item = GetNextChild(group, cookie)) {
                m_rows.push_back(item);
            }
        }
    }
    m_rowsKnown = true;
    return m_rows;
}

// Draws as the toolkit's tree does: rows of equal height from two pixels down, a group at one
// indent and its nodes at two, dotted lines to each row and down each expanded group, a button
// on each group, the selected row's text highlighted.
void TreeView::PaintRows() {
    wxPaintDC dc(this);
    PrepareDC(dc);
    if (!GetRootItem().IsOk() || m_lineHeight <= 0) {
        return;
    }
    if (m_dirty) {
        DoDirtyProcessing(); // item positions, which clicks are tested against
    }
    const std::vector<wxTreeItemId>& rows = Rows();
    if (rows.empty()) {
        return;
    }
    const int height = m_lineHeight;
    const wxRect box = GetUpdateRegion().GetBox();
    const int top = CalcUnscrolledPosition(box.GetTopLeft()).y;
    const int bottom = top + box.GetHeight();
    const int count = static_cast<int>(rows.size());
    const int first = std::clamp((top - 2) / height - 1, 0, count - 1);
    const int last = std::clamp((bottom - 2) / height + 1, 0, count - 1);
    const int indent = static_cast<int>(GetIndent());
    const int spacing = static_cast<int>(GetSpacing());
    const auto middle = [height](int row) { return 2 + row * height + height / 2; };
    const wxTreeItemId root = GetRootItem();
    const auto verticalLine = [&dc, top, bottom](int x, int from, int to) {
        from = std::max(from, top);
        to = std::min(to, bottom);
        if (from < to) {
            dc.DrawLine(x, from, x, to);
        }
    };

    dc.SetFont(m_normalFont);
    dc.SetPen(m_dottedPen);
    // The vertical lines: one down the groups at the left, one down each expanded group.
    int groupRow = 0;
    int lastGroupRow = 0;
    while (groupRow < count) {
        const wxTreeItemId group = rows[static_cast<std::size_t>(groupRow)];
        const int children =
            IsExpanded(group) ? static_cast<int>(GetChildrenCount(group, false)) : 0;
        if (children > 0) {
            verticalLine(indent, middle(groupRow) + 5, middle(groupRow + children));
        }
        lastGroupRow = groupRow;
        groupRow += 1 + children;
    }
    verticalLine(3, middle(0), middle(lastGroupRow));

    for (int row = first; row <= last; ++row) {
        const wxTreeItemId item = rows[static_cast<std::size_t>(row)];
        const bool group = GetItemParent(item) == root;
        const int x = (group ? 1 : 2) * indent;
        const int itemX = x + spacing;
        const int y = 2 + row * height;
        const int yMiddle = y + height / 2;
        const bool selected = IsSelected(item);

        int image = wxWithImages::NO_IMAGE;
        if (IsExpanded(item)) {
            image = selected ? GetItemImage(item, wxTreeItemIcon_SelectedExpanded) : image;
            image = image == wxWithImages::NO_IMAGE ? GetItemImage(item, wxTreeItemIcon_Expanded)
                                                    : image;
        } else if (selected) {
            image = GetItemImage(item, wxTreeItemIcon_Selected);
        }
        image = image == wxWithImages::NO_IMAGE ? GetItemImage(item) : image;
        int imageWidth = 0;
        wxSize imageSize;
        if (image != wxWithImages::NO_IMAGE && HasImages()) {
            imageSize = GetImageLogicalSize(this, image);
            imageWidth = imageSize.GetWidth() + 4;
        }
        const wxString text = GetItemText(item);
        const wxSize textSize = dc.GetTextExtent(text);

        if (selected) {
            int flags = wxCONTROL_SELECTED;
            if (m_hasFocus) {
                flags |= wxCONTROL_FOCUSED;
                if (item == GetSelection()) {
                    flags |= wxCONTROL_CURRENT;
                }
            }
            wxRendererNative::Get().DrawItemSelectionRect(
                this, dc, wxRect(itemX + imageWidth - 3, y, textSize.GetWidth() + 6, height),
                flags);
        }
        if (imageWidth > 0) {
            dc.DrawBitmap(GetImageBitmapFor(this, image), itemX,
                          y + std::max(0, (height - imageSize.GetHeight()) / 2), true);
        }
        dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        const wxColour marked = GetItemTextColour(item);
        dc.SetTextForeground(
            selected        ? wxSystemSettings::GetColour(m_hasFocus ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                     : wxSYS_COLOUR_LISTBOXHIGHLIGHTTEXT)
            : marked.IsOk() ? marked
                            : GetForegroundColour());
        dc.DrawText(text, itemX + imageWidth, y + std::max(0, (height - textSize.GetHeight()) / 2));

        dc.SetPen(m_dottedPen);
        dc.DrawLine(x > indent ? x - indent : 3, yMiddle, itemX, yMiddle);
        if (ItemHasChildren(item)) {
            const int size = FromDIP(9);
            int flags = IsExpanded(item) ? static_cast<int>(wxCONTROL_EXPANDED) : 0;
            if (item.GetID() == m_underMouse) {
                flags |= wxCONTROL_CURRENT;
            }
            wxRendererNative::Get().DrawTreeItemButton(
                this, dc, wxRect(x - size / 2, yMiddle - size / 2, size, size), flags);
        }
    }
}

void TreeView::SelectPageAway(bool down) {
    const std::vector<wxTreeItemId>& rows = Rows();
    const auto at = std::find(rows.begin(), rows.end(), GetSelection());
    if (at == rows.end() || m_lineHeight <= 0) {
        return;
    }
    // A page is the rows in view less one, so that the row left stays in view.
    const int page = std::max(1, GetClientSize().GetHeight() / m_lineHeight - 1);
    const int row = static_cast<int>(at - rows.begin());
    const int target =
        std::clamp(down ? row + page : row - page, 0, static_cast<int>(rows.size()) - 1);
    if (target != row) {
        SelectItem(rows[static_cast<std::size_t>(target)]);
    }
}

#endif

} // namespace tc
