// What the two forms in the right pane share: the document, the tree, how a refused Update is
// shown, and how the layout meets a pane of any size.
#pragma once

#include "document/Document.h"
#include "rules/DialogVerdict.h"

#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/treebase.h>

namespace tc {

class TreeView;

class FormPane : public wxScrolled<wxPanel>, public FormViewInterface {
public:
    FormPane(wxWindow* parent, Document& doc, TreeView& tree);
    ~FormPane() override;

    // Shows the node of a tree item (null for a group item).
    virtual void ShowNode(const Node* node, wxTreeItemId item) = 0;
    // Lets go of the node and leaves the controls as they are: the hidden pane is not drawn,
    // and the next ShowNode fills them (greying and ungreying every control costs GTK more
    // than the rest of a switch between the forms).
    virtual void ForgetNode() = 0;
    virtual bool HasNode() const = 0;
    // Whether the controls hold typing that is not stored yet.
    virtual bool HasTyping() = 0;

    // Update: checks and stores what the controls hold; false when a check refused it.
    bool OnUpdateButton() { return Store(FormStore::Everything, false); }

    // The pane is being replaced: it forgets its node and answers no more until Attach, which
    // puts it in the right pane again.
    void Detach();
    void Attach();

    bool WindowExists() const override { return !m_detached; }
    bool CommitEdits(bool quiet) override { return m_detached || Store(FormStore::Typing, quiet); }

    // New data was read: what the form builds from all nodes is made now rather than when the
    // first node is shown.
    virtual void Prepare() {}

    // Puts the caret in the control that shows `key` of the game files (the name for none). A
    // lore key the form keeps greyed sends it to the button that unlocks the key.
    void FocusField(const std::string& key);

    // The whole layout in pixels, as this window's font and the display's DPI make it.
    wxSize LayoutSize() const { return m_layoutSize; }

protected:
    // Checks and stores what the controls hold (all, or what the user typed over); a refusal is
    // shown unless `quiet`. False when a check refused the values.
    virtual bool Store(FormStore store, bool quiet) = 0;
    // Shows the values the node holds now.
    virtual void RefreshControls() = 0;
    // Ends an Update: a refusal is shown unless `quiet`; stored values are shown as stored and
    // the tree takes the focus; `item` follows the node when the tree, following the store,
    // moved it. Returns whether the values were accepted.
    template <class Result>
    bool FinishUpdate(const Result& result, bool quiet, wxTreeItemId& item) {
        return FinishUpdate(result.verdict, result.stored, result.renamed, quiet, item);
    }
    bool FinishUpdate(const DialogVerdict& verdict, bool stored, bool renamed, bool quiet,
                      wxTreeItemId& item);
    // Sizes and gaps in dialog units, which follow the font and the display's DPI.
    wxSize Du(wxSize size) { return ConvertDialogToPixels(size); }
    int DuX(int x) { return Du(wxSize(x, 0)).GetWidth(); }
    int DuY(int y) { return Du(wxSize(0, y)).GetHeight(); }
    // Adds a label and, just below it, its field.
    void AddLabelled(wxSizer* sizer, wxWindow* label, wxWindow* field, int flags = wxEXPAND,
                     int proportion = 0);
    // Lays the form out with `fields`, inside a margin: a pane larger than their least size
    // gives the room to what the sizer lets grow, a smaller one scrolls.
    void SetLayout(wxSizer* fields);

    Document& m_doc;
    TreeView& m_tree;
    bool m_detached = false;

private:
    // Scrolls as little as brings the control into view, its top left corner first.
    void ScrollToShow(wxWindow* control);
    bool ShouldScrollToChildOnFocus(wxWindow*) override { return false; }

    wxSize m_layoutSize;
};

} // namespace tc
