// diagrams/window/rel_tree_select.cpp: the Diagram window's hit tests, selection, its mouse
// messages passed on to its CRelTreeMouse, keys, and the three context menus with their grey and
// check states.
//
// Keys: keypad plus and minus zoom, Space opens the selected box's branch, or for a relatives
// tree's root box the branch of the ancestor it hangs from; Escape ends a mode or a drag.
#include "diagrams/window/sub_view_rel_tree.h"

#include "diagrams/diag_builder.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_hit.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_tree_walk.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/frames/menu.h"

#include <algorithm>

using namespace diagram_cmd;

namespace {

/// The box whose button a box without one stands for (Space acts on it): for the root box of a
/// relatives tree, the ancestor's box the tree hangs from; else null.
CDiagElem* ButtonOwner(const CDiagramDocument& doc, const CDiagElem& box)
{
    if (box.GetGeneration() > 0 || !box.HasFlag(kElemRepeat))
        return nullptr;
    for (const auto& rowSet : doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            if (tree->IsSecondary() && tree->m_rootElement == &box)
                return tree->m_attachedTo;
    return nullptr;
}

} // namespace

int CSubViewRelTree::HitTest(CPoint device, CDiagElem** element, int* title)
{
    if (element)
        *element = nullptr;
    if (title)
        *title = -1;
    if (int sized = -1; m_titles.HandleAt(device, &sized, nullptr)) {
        if (title)
            *title = sized;
        return kHitSizer;
    }
    const CPoint point = ToDiagram(device);
    for (int t = kDiagramTitleCount - 1; t >= 0; --t) {
        const CDiagramTitle& slot = m_doc.Settings().m_titles[std::size_t(t)];
        CRect frame = slot.frame;
        frame.NormalizeRect();
        if (slot.visible && frame.PtInRect(point)) {
            if (title)
                *title = t;
            return kHitTitle;
        }
    }
    for (auto& rowSet : m_doc.RowSets()) {
        int onButton = 0;
        if (CDiagElem* box = DiagHitTestRows(*rowSet, point.x, point.y, onButton)) {
            if (onButton && !m_doc.Settings().m_showExpansionButtons)
                return kHitNothing;
            if (element)
                *element = box;
            return onButton ? kHitButton : kHitBox;
        }
    }
    return kHitNothing;
}

void CSubViewRelTree::SelectBox(CDiagElem* element, bool clearOthers, bool redraw)
{
    if (clearOthers) {
        m_doc.Selection().Clear();
        m_doc.Selection().ClearTitles();
    }
    if (element)
        m_doc.Selection().Select(*element, false);
    if (redraw && GetSafeHwnd()) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CSubViewRelTree::DeselectBox(CDiagElem* element, bool redraw)
{
    if (element)
        m_doc.Selection().Deselect(*element);
    else
        m_doc.Selection().Clear();
    if (redraw && GetSafeHwnd()) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CSubViewRelTree::DeselectAll()
{
    m_doc.Selection().ClearTitles();
    DeselectBox(nullptr, true);
}

void CSubViewRelTree::ExpandBox(CDiagElem& box)
{
    if (!HasTree())
        return;
    if (!m_doc.ExpandBox(box))
        MessageBox(kInsufficientMemoryBranchText);
}

void CSubViewRelTree::SelectBoxesInArea(const CRect& rect)
{
    const CDiagramSettings& settings = m_doc.Settings();
    const CPoint a = ToDiagram(rect.TopLeft());
    const CPoint b = ToDiagram(rect.BottomRight());
    CRect area(std::min(a.x, b.x), std::max(a.y, b.y), std::max(a.x, b.x), std::min(a.y, b.y));
    for (auto& rowSet : m_doc.RowSets())
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                const CRect& r = box.Rect();
                if (box.IsVisible() && r.left >= area.left && r.right <= area.right &&
                    r.top <= area.top && r.bottom >= area.bottom)
                    SelectBox(&box, false, false);
            });
    for (std::size_t t = 0; t < settings.m_titles.size(); ++t) {
        CRect frame = settings.m_titles[t].frame;
        frame.NormalizeRect();
        if (settings.m_titles[t].visible && frame.left >= area.left && frame.right <= area.right &&
            frame.top >= area.bottom && frame.bottom <= area.top)
            m_doc.Selection().SetTitleSelected(int(t), true);
    }
    Invalidate(FALSE);
}

void CSubViewRelTree::OpenBoxProperties(CDiagElem& box)
{
    SelectBox(&box, true, true);
    // A record made for a placeholder replaces its box: the selection holds the new one.
    if (box.GetKind() == kSpouseElem && !box.GetIndividual())
        m_editor.OfferSpouseRecord(box);
    m_properties.OpenBesideSelection();
}

void CSubViewRelTree::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    m_mouse.OnLButtonDown(flags, point);
}

void CSubViewRelTree::OnLButtonDblClk(UINT, CPoint point)
{
    m_mouse.OnLButtonDblClk(point);
}

void CSubViewRelTree::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_mouse.OnLButtonUp(flags, point))
        CSubView::OnLButtonUp(flags, point);
}

void CSubViewRelTree::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_mouse.OnMouseMove(flags, point))
        CSubView::OnMouseMove(flags, point);
}

void CSubViewRelTree::OnRButtonDown(UINT, CPoint point)
{
    m_mouse.OnRButtonDown(point);
}

void CSubViewRelTree::OnRButtonUp(UINT flags, CPoint point)
{
    m_mouse.OnRButtonUp(flags, point);
}

void CSubViewRelTree::ShowContextMenu(CPoint point)
{
    CDiagElem* box = nullptr;
    int title = -1;
    const int hit = HitTest(point, &box, &title);
    if (hit == kHitButton || hit == kHitSizer)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    const auto grey = [](bool on) { return on ? MF_GRAYED : MF_ENABLED; };
    const auto check = [](bool on) { return on ? MF_CHECKED : MF_UNCHECKED; };
    if (hit == kHitBox) {
        menu.AppendMenu(MF_STRING, kOverrideText, "Override default text...");
        menu.AppendMenu(MF_STRING | grey(!box->HasText()), kClearOverride, "Clear override text");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | grey(box->HasFlag(kElemMarked)), kSetMark, "Set Mark");
        menu.AppendMenu(MF_STRING | grey(!box->HasFlag(kElemMarked)), kClearMark, "Clear Mark");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kProperties, "Properties...");
    } else if (hit == kHitTitle) {
        DeselectAll();
        m_titles.Select(title, true);
        menu.AppendMenu(MF_STRING, kHideTitle, "Hide Title");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kTitleOptions, "Title Options...");
    } else {
        DeselectAll();
        menu.AppendMenu(MF_STRING | check(m_underlineOverridden), kUnderlineOverridden,
                        "&Underline Overridden Text");
        menu.AppendMenu(MF_SEPARATOR);
        for (int t = 0; t < kDiagramTitleCount; ++t)
            menu.AppendMenu(MF_STRING | check(m_doc.Settings().m_titles[std::size_t(t)].visible),
                            kTitle1 + UINT(t), ("Title " + std::to_string(t + 1)).c_str());
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kPrintSize, "Diagram Size When Printed...");
        menu.AppendMenu(MF_STRING, kSaveCustom, "Save As Custom Diagram...");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kColours, "Diagram Colours...");
        menu.AppendMenu(MF_STRING, kOptions, "Diagram Options...");
    }
    ClientToScreen(&point);
    menu.TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CSubViewRelTree::OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags)
{
    if (virtKey == VK_ESCAPE && m_mouse.CancelOnEscape())
        return;
    if (virtKey == VK_DELETE && m_mouse.Mode() == kModeNormal && !m_mouse.IsDragging()) {
        DeleteOrHide();
        return;
    }
    if (virtKey == VK_ADD) {
        m_viewport.Zoom(-1, false);
        return;
    }
    if (virtKey == VK_SUBTRACT) {
        m_viewport.Zoom(1, false);
        return;
    }
    CSubView::OnKeyDown(virtKey, repeatCount, flags);
}

void CSubViewRelTree::OnChar(UINT character, UINT repeatCount, UINT flags)
{
    if (character == VK_ESCAPE) {
        m_mouse.EndMode();
        return;
    }
    if (m_mouse.Mode() == kModeNormal && character == ' ') {
        if (m_doc.Selection().Size() == 1) {
            // A box without a button of its own stands for the box it repeats: the root box of
            // a relatives tree opens and closes the branch of the ancestor it hangs from.
            CDiagElem* box = m_doc.Selection().Boxes()[0];
            if (box->GetExpansion() == kNothingToExpand)
                box = ButtonOwner(m_doc, *box);
            if (box && box->GetExpansion() != kNothingToExpand)
                ExpandBox(*box);
        }
        return;
    }
    CSubView::OnChar(character, repeatCount, flags);
}

void CSubViewRelTree::OnKillFocus(CWnd* newWnd)
{
    m_mouse.OnKillFocus();
    CSubView::OnKillFocus(newWnd);
}
