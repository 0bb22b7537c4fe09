// diagrams/window/rel_tree_editor.h: the Diagram window's edits of the records from the diagram:
// the add-relative drop (why a zone refuses, the drop menu, the addition of a new or an existing
// child, parent or spouse), a record for a spouse box shown without one, moving a child or a
// spouse family one place, deleting the selected boxes' records, and the marks set by a query.
//
// CRelTreeEditor changes the records through their own operations, announces each change once
// (NotifyChanges) and lets the change notice bring the diagram in line; it asks the window that
// shows the diagram to select, scroll, rebuild and open its dialogs through IRelTreeEditorView.
// The window's commands and its mouse (the drop of the add-relative drag) call it.
//
// Traps: a box is held by record while a menu or a dialog is open (CDiagramSelection), since an
// update may destroy it. In an All Relatives diagram a parent above the highest ancestor row, or
// a child below the lowest descendant row, is not shown: "Diagram Limits Reached" offers the
// options (Yes opens them) instead of selecting it.
#pragma once

#include "diagrams/diag_elem.h"
#include "platform/base/geometry.h"

#include <cstdint>
#include <string>

class CDiagAncestorElem;
class CDiagramDocument;
class CFamRec;
class CIndRec;
class CWnd;

namespace diagram_cmd {
/// The add-relative drop menu: create a new record, link an existing one.
inline constexpr UINT kDropMenu = 249, kDropCreate = 701, kDropLink = 702;
} // namespace diagram_cmd

/// What the editor asks of the window that shows the diagram.
class IRelTreeEditorView {
public:
    virtual ~IRelTreeEditorView() = default;
    /// The window itself: parents the menus and dialogs, repainted when marks change.
    virtual CWnd& Window() = 0;
    virtual CPoint ToDiagram(CPoint device) = 0;
    virtual CPoint ToDevice(CPoint diagram) = 0;
    virtual void SelectBox(CDiagElem* element, bool clearOthers, bool redraw) = 0;
    /// Scrolls so that the diagram point lies at the device point.
    virtual void ScrollToPoint(int px, int py, int dx, int dy, bool redraw) = 0;
    /// Builds the diagram again from its root, keeping the view.
    virtual void RebuildDiagram() = 0;
    /// The Diagram Options sheet on the window's settings.
    virtual void OpenOptions() = 0;
    /// The record properties box on the selection, for a record the drop has just made.
    virtual void OpenAddedRecordProperties() = 0;
};

class CRelTreeEditor {
public:
    CRelTreeEditor(IRelTreeEditorView& view, CDiagramDocument& doc);

    // The add-relative drop (rel_tree_edit_drop.cpp, rel_tree_edit_add.cpp).
    /// Why the relation of the zone cannot be added at the box; empty when it can.
    std::string DropRefusal(const CDiagElem& box, int zone) const;
    /// The add-relative drag released in an allowed zone at point (client pixels): the drop
    /// menu and the addition chosen.
    void DropRelative(CDiagElem& box, int zone, CPoint point);
    /// The generation limit of an All Relatives diagram that leaves out a relative added at
    /// the box in the zone: kZoneParent above the highest ancestor row, kZoneChild below the
    /// lowest descendant row, kZoneNone when the relative is shown.
    int LimitPassedByAddition(CDiagElem& box, int zone) const;
    /// One addition at the box, linking an existing record (link) or creating one; the
    /// neighbour is the child box (or the spouse box) beside which the drop landed.
    void AddChildFromDiagram(CDiagElem& box, bool link, CDiagElem* neighbour);
    void AddParentFromDiagram(CDiagElem& box, bool link);
    void AddSpouseFromDiagram(CDiagElem& box, bool link, int zone, CDiagElem* neighbour);
    /// Offers to make the record of a spouse box shown without one; the new spouse's box is
    /// selected.
    void OfferSpouseRecord(CDiagElem& placeholder);

    // The selection's records (rel_tree_edit_order.cpp).
    /// Whether the one selected box's child (or spouse family) has a neighbour that way.
    bool CanMoveSelected(bool up) const;
    /// Moves the one selected box's child among its parents' children, or a spouse box's
    /// family among the person's spouse families, one place earlier (up) or later.
    void MoveSelected(bool up);
    /// Asks, then deletes the records of the selected boxes.
    void DeleteSelected();

    // Marks (rel_tree_edit_marks.cpp).
    /// Sets (on) or clears flag on every box, or on those showing one of the records.
    void SetMarks(std::uint16_t flag, bool on, const ElemRecordSet* records);
    /// The marks-by-query dialog, then its marks.
    void MarksByQuery();

private:
    /// After an addition: selects the relative's box and shows it; opens its properties
    /// when the record is new. A relative left out by the limit (LimitPassedByAddition)
    /// brings the offer to revise the options.
    void ShowAddedRelative(CIndRec* relative, bool created, int limit);
    /// The family shown below an ancestor box: its child box's, the root couple's for a partner
    /// of a diagram rooted at a couple, else the ancestor's family with the root person as a
    /// child; null when none.
    CFamRec* FamilyBelowAncestor(const CDiagAncestorElem& box) const;
    /// FamilyBelowAncestor of an ancestor box; null for other boxes.
    CFamRec* AncestorFamily(CDiagElem& box) const;
    /// The first visible box showing the person; null when none does.
    CDiagElem* ShownBoxOf(const CIndRec* person) const;

    IRelTreeEditorView& m_view;
    CDiagramDocument& m_doc;
};
