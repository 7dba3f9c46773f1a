#include "views/TomecraftTreeView.h"

#include "app/CommandIds.h"
#include "platform/Text.h"
#include "platform/wx/WxText.h"
#include "views/FormPane.h"
#include "views/TCTemplateFormView.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace tc {

namespace {

class NodeData : public wxTreeItemData {
public:
    explicit NodeData(TCObject* node) : node(node) {}
    TCObject* node; // owned by the document
};

} // namespace

TomecraftTreeView::TomecraftTreeView(wxWindow* parent, CTomecraftDoc& doc, FormHost& host)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE |
                     wxBORDER_THEME),
      m_doc(doc), m_host(host) {
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
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) { ShowContextMenu(event.GetPosition()); });
    // The Menu key and Shift+F10 open the same menu beside the selected node.
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        const bool menuKey = event.GetKeyCode() == WXK_MENU ||
                             (event.GetKeyCode() == WXK_F10 && event.GetModifiers() == wxMOD_SHIFT);
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
    Bind(wxEVT_SET_FOCUS, &TomecraftTreeView::OnFocus, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { AddNewNode(NODE_TEMPLATE); }, ID_NEW_TEMPLATE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { AddNewNode(NODE_LOREBOOK); }, ID_NEW_LOREBOOK);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnDeleteNode(); }, ID_DELETE_NODE);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(CanDeleteNode()); },
        ID_DELETE_NODE);
    m_doc.AttachTreeView(this);
}

TomecraftTreeView::~TomecraftTreeView() {
    m_doc.DetachTreeView(this);
}

// Items are ordered by their nodes' names ignoring case, as the group lists always were.
int TomecraftTreeView::OnCompareItems(const wxTreeItemId& a, const wxTreeItemId& b) {
    const TCObject* x = NodeOf(a);
    const TCObject* y = NodeOf(b);
    if (x == nullptr || y == nullptr) {
        return x == y ? 0 : (x == nullptr ? -1 : 1);
    }
    return CompareNoCase(x->GetNameView(), y->GetNameView());
}

wxTreeItemId TomecraftTreeView::PlaceInOrder(wxTreeItemId group, TCObject* node,
                                             wxTreeItemId item) {
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
    const int image = group == m_hTemplatesRoot ? kTemplate : kBook;
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
        if (selected) {
            SelectItem(moved);
        }
        m_ignoreSelection = false;
        return moved;
    }
    return InsertItem(group, index, ToWx(node->GetName()), image, image + 1, new NodeData(node));
}

void TomecraftTreeView::RebuildTree(unsigned groups) {
    wxBusyCursor busy;
    if (groups != kAllGroups) {
        FillNodes(static_cast<NodeType>(groups));
        Refresh();
        return;
    }
    m_ignoreSelection = true;
    DeleteAllItems();
    const wxTreeItemId root = AddRoot("Tomecraft");
    m_hBooksRoot = AppendItem(root, "Lore Books", kFolder, kFolderOpen);
    m_hTemplatesRoot = AppendItem(root, "Templates", kFolder, kFolderOpen);
    SetItemImage(m_hBooksRoot, kFolderOpen, wxTreeItemIcon_Expanded);
    SetItemImage(m_hTemplatesRoot, kFolderOpen, wxTreeItemIcon_Expanded);
    if (FillNodes(NODE_LOREBOOK)) {
        FillNodes(NODE_TEMPLATE);
    }
    Expand(m_hBooksRoot);
    Expand(m_hTemplatesRoot);
    ScrollTo(m_hBooksRoot);
    SelectItem(m_hBooksRoot);
    m_ignoreSelection = false;
    if (m_doc.HasFormView()) {
        OnSelChanged(m_hBooksRoot);
    }
    Refresh();
}

bool TomecraftTreeView::FillNodes(NodeType type) {
    std::vector<TCObject*> nodes;
    if (type == NODE_LOREBOOK) {
        for (const auto& book : m_doc.GetBooks()) {
            nodes.push_back(book.get());
        }
    } else if (type == NODE_TEMPLATE) {
        for (const auto& tmpl : m_doc.GetTemplates()) {
            nodes.push_back(tmpl.get());
        }
    }
    // Each group is inserted already in its final order, instead of sorting after each item.
    std::stable_sort(nodes.begin(), nodes.end(), [](const TCObject* a, const TCObject* b) {
        return CompareNoCase(a->GetNameView(), b->GetNameView()) < 0;
    });
    const wxTreeItemId parent = type == NODE_TEMPLATE ? m_hTemplatesRoot : m_hBooksRoot;
    const int image = type == NODE_TEMPLATE ? kTemplate : kBook;
    for (TCObject* node : nodes) {
        const wxTreeItemId item =
            AppendItem(parent, ToWx(node->GetName()), image, image + 1, new NodeData(node));
        if (!item.IsOk()) {
            return false;
        }
    }
    return true;
}

wxTreeItemId TomecraftTreeView::AddNode(NodeType type, TCObject* node) {
    if (!IsNodeType(type) || node == nullptr) {
        return {};
    }
    return PlaceInOrder(type == NODE_TEMPLATE ? m_hTemplatesRoot : m_hBooksRoot, node, {});
}

wxTreeItemId TomecraftTreeView::GetRootItemOf(wxTreeItemId item) const {
    // The hidden root is not a group: stop below it.
    const wxTreeItemId hidden = GetRootItem();
    while (item.IsOk() && GetItemParent(item).IsOk() && GetItemParent(item) != hidden) {
        item = GetItemParent(item);
    }
    return item;
}

TCObject* TomecraftTreeView::NodeOf(wxTreeItemId item) const {
    if (!item.IsOk()) {
        return nullptr;
    }
    const auto* data = dynamic_cast<NodeData*>(GetItemData(item));
    return data == nullptr ? nullptr : data->node;
}

wxTreeItemId TomecraftTreeView::UpdateTreeData(wxTreeItemId item) {
    const wxTreeItemId root = GetRootItemOf(item);
    TCObject* node = NodeOf(item);
    if (!root.IsOk() || (root != m_hTemplatesRoot && root != m_hBooksRoot) || node == nullptr) {
        m_doc.Ui().MessageBox("Critical error in UpdateTreeData!", MsgButtons::Ok, MsgIcon::Stop);
        return item;
    }
    return PlaceInOrder(root, node, item);
}

void TomecraftTreeView::OnSelChanged(wxTreeItemId item) {
    if (!item.IsOk()) {
        return;
    }
    const wxTreeItemId root = GetRootItemOf(item);
    if (root == m_hTemplatesRoot || root == m_hBooksRoot) {
        const NodeType type = root == m_hTemplatesRoot ? NODE_TEMPLATE : NODE_LOREBOOK;
        if (FormPane* form = m_host.SwitchFormView(type)) {
            form->ShowNode(NodeOf(item), item);
        }
    }
}

void TomecraftTreeView::SelectCommitted(wxTreeItemId item) {
    m_formCommitted = true;
    SelectItem(item);
    m_formCommitted = false;
}

void TomecraftTreeView::AddNewNode(NodeType type) {
    if (!CommitForm()) {
        return;
    }
    TCObject* node = m_doc.NewNode(type);
    if (node == nullptr) {
        return;
    }
    const wxTreeItemId item = AddNode(type, node);
    if (!item.IsOk()) {
        return;
    }
    SelectCommitted(item);
    EnsureVisible(item);
    if (FormPane* form = m_host.CurrentForm()) {
        form->SetFocus();
    }
}

bool TomecraftTreeView::CanDeleteNode() const {
    return NodeOf(GetSelection()) != nullptr;
}

void TomecraftTreeView::OnDeleteNode() {
    const wxTreeItemId item = GetSelection();
    TCObject* node = NodeOf(item);
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
    if (m_doc.Ui().MessageBox(m_doc.DeleteQuestion(*node), MsgButtons::YesNo, MsgIcon::Question) !=
        MsgAnswer::Yes) {
        return;
    }
    if (!stored) {
        form->PutBack();
    }
    m_doc.DeleteNode(node);
    RemoveItem(item);
}

void TomecraftTreeView::RemoveItem(wxTreeItemId item) {
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

void TomecraftTreeView::ShowItem(wxTreeItemId item) {
    if (GetSelection() == item) {
        OnSelChanged(item); // the form shows the node's values as they are now
    } else {
        SelectCommitted(item);
    }
    EnsureVisible(item);
}

wxTreeItemId TomecraftTreeView::ItemOf(const TCObject* node) const {
    if (node == nullptr) {
        return {};
    }
    const wxTreeItemId group = node->GetType() == NODE_TEMPLATE ? m_hTemplatesRoot : m_hBooksRoot;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
         item = GetNextChild(group, cookie)) {
        if (NodeOf(item) == node) {
            return item;
        }
    }
    return {};
}

void TomecraftTreeView::Follow(const DataChange& change) {
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
            ShowItem(UpdateTreeData(item));
        }
        break;
    }
}

std::vector<const TCObject*> TomecraftTreeView::NodesInOrder() const {
    std::vector<const TCObject*> nodes;
    nodes.reserve(m_doc.GetBooks().size() + m_doc.GetTemplates().size());
    for (const wxTreeItemId group : {m_hBooksRoot, m_hTemplatesRoot}) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = GetFirstChild(group, cookie); item.IsOk();
             item = GetNextChild(group, cookie)) {
            nodes.push_back(NodeOf(item));
        }
    }
    return nodes;
}

void TomecraftTreeView::SelectNode(const TCObject* node) {
    if (const wxTreeItemId item = ItemOf(node); item.IsOk()) {
        ShowItem(item);
    }
}

bool TomecraftTreeView::SelectAt(wxPoint point) {
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

std::unique_ptr<wxMenu> TomecraftTreeView::CreateContextMenu() const {
    auto menu = std::make_unique<wxMenu>();
    auto* newMenu = new wxMenu;
    newMenu->Append(ID_NEW_LOREBOOK, "&Lore Book...\tCtrl+B", "Add a new lore book");
    newMenu->Append(ID_NEW_TEMPLATE, "&Template...\tCtrl+T", "Add a new lore template");
    menu->AppendSubMenu(newMenu, "&New");
    menu->AppendSeparator();
    if (const auto* form = dynamic_cast<const TCTemplateFormView*>(m_host.CurrentForm());
        form != nullptr && form->HasNode() && form->KeyNamesNoBook()) {
        menu->Append(ID_POINT_AT_BOOK, wxString::FromUTF8("&Point at Another Book\u2026"),
                     "Unlock the book title and lore key to name another book");
        menu->AppendSeparator();
    }
    menu->Append(ID_DELETE_NODE, "&Delete", "Delete this node from the tree");
    menu->Enable(ID_DELETE_NODE, CanDeleteNode());
    return menu;
}

void TomecraftTreeView::ShowContextMenu(wxPoint point) {
    if (!SelectAt(point)) {
        return;
    }
    const std::unique_ptr<wxMenu> menu = CreateContextMenu();
    PopupMenu(menu.get(), point);
}

void TomecraftTreeView::FocusAfterUpdate() {
    m_focusFromUpdate = true;
    SetFocus();
    m_focusFromUpdate = false;
}

bool TomecraftTreeView::CommitForm() {
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

void TomecraftTreeView::OnFocus(wxFocusEvent& event) {
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

} // namespace tc
