// What a view may do with what the document hands out, compiled once for each DOOR_CASE (see
// tests/CMakeLists.txt). Case 0 changes a book through the door and must compile; each other
// case writes a node, or the data, past the door and must fail to compile for that reason.
#include "document/Document.h"
#include "views/TreeView.h"

namespace tc {

void AsAView(Document& doc, TreeView& tree, const DataChange& change) {
    const LoreBook* book = doc.Data().GetBooks().front();
#if DOOR_CASE == 0
    LoreBook values = *book;
    values.SetText("x");
    doc.Data().StoreBook(*book, values);
    doc.Data().DeleteNode(tree.NodeOf(tree.GetSelection()));
    doc.Data().DeleteNode(change.node);
#elif DOOR_CASE == 1
    doc.Data().GetBooks().front()->SetText("x");
#elif DOOR_CASE == 2
    tree.NodeOf(tree.GetSelection())->SetName("x");
#elif DOOR_CASE == 3
    change.node->SetComment("x");
#elif DOOR_CASE == 4
    doc.Data().Reset({}, {});
#elif DOOR_CASE == 5
    doc.Data().MarkSaved(DataFile::Lore);
#elif DOOR_CASE == 6
    doc.Data().BookList().clear();
#endif
    (void)book;
    (void)tree;
    (void)change;
}

} // namespace tc
