// controls/dlg_layout.h: keeps the controls of a resizable dialog or pane in place by anchoring
// each of their edges to the dialog, to its centre line or to another control.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>
#include <vector>

/// The window's rectangle in the client coordinates of its parent (its own rectangle on screen
/// when it has none).
CRect PlaceInParent(const CWnd& wnd);

/// How one edge of a control follows a resize: the mode, the control it is anchored to (null
/// for the dialog itself) and the offset in pixels or proportion in thousandths. All zero: the
/// edge stays where it is.
struct CLayoutEdge {
    int m_mode = 0;
    HWND m_reference = nullptr;
    int m_value = 0;
};

/// One registered control and its four edges.
struct CLayoutEntry {
    HWND m_control = nullptr;
    CLayoutEdge m_top;
    CLayoutEdge m_left;
    CLayoutEdge m_bottom;
    CLayoutEdge m_right;
};

class CDlgLayout {
public:
    // Edge modes. Top and bottom take kNoChange, kProportional, kToTop, kToBottom and
    // kToMiddle; left and right take kNoChange, kProportional, kToLeft, kToRight and kToCentre.
    static constexpr int kNoChange = 0;
    /// In proportion to the dialog's height or width; no reference.
    static constexpr int kProportional = 1;
    /// A fixed distance above the reference's top edge; a reference is required.
    static constexpr int kToTop = 2;
    /// A fixed distance above the dialog's bottom edge, or the reference's bottom edge.
    static constexpr int kToBottom = 3;
    /// A fixed distance left of the reference's left edge; a reference is required.
    static constexpr int kToLeft = 4;
    /// A fixed distance left of the dialog's right edge, or the reference's right edge.
    static constexpr int kToRight = 5;
    /// A fixed distance above the dialog's or the reference's horizontal centre line.
    static constexpr int kToMiddle = 6;
    /// A fixed distance left of the dialog's or the reference's vertical centre line.
    static constexpr int kToCentre = 7;

    enum class Edge { Top, Left, Bottom, Right };

    CDlgLayout();
    ~CDlgLayout();
    CDlgLayout(const CDlgLayout&) = delete;
    CDlgLayout& operator=(const CDlgLayout&) = delete;

    /// Records the anchors of control from where it stands now in dialogClient, the dialog's
    /// client rectangle at its design size. False, adding nothing, when a mode does not fit its
    /// edge, when kNoChange or kProportional is given a reference, when kToTop or kToLeft has
    /// none, or when a proportional edge meets a dialog of no height or width.
    BOOL AddControl(CWnd* dialog, CWnd* control, const RECT& dialogClient, int topMode,
                    CWnd* topReference, int leftMode, CWnd* leftReference, int bottomMode,
                    CWnd* bottomReference, int rightMode, CWnd* rightReference);
    /// AddControl with every edge anchored to the dialog itself; false, adding nothing, for a
    /// null control.
    BOOL AddControl(CWnd* dialog, CWnd* control, const RECT& dialogClient, int topMode,
                    int leftMode, int bottomMode, int rightMode)
    {
        return AddControl(dialog, control, dialogClient, topMode, nullptr, leftMode, nullptr,
                          bottomMode, nullptr, rightMode, nullptr);
    }
    /// Moves every registered control, in the order of registration, for a dialog client area
    /// of width by height, then repaints the dialog once. Reference positions are read as each
    /// control moves, so a control anchored to one registered earlier follows it. A control or
    /// reference whose window is gone is left alone.
    void ApplyLayout(CWnd* dialog, int width, int height);
    /// Forgets every control; called when the dialog is destroyed.
    void DestroyLayout();
    /// Makes one edge of a registered control stay where it is; false when it is not registered.
    BOOL ClearLayoutEdge(CWnd* control, Edge edge);

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    /// The entry of a registered control, or null.
    const CLayoutEntry* Find(CWnd* control) const;

private:
    std::vector<std::unique_ptr<CLayoutEntry>> m_entries;
};
