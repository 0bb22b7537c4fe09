// controls/tree_box_owner.h: what a tree box asks of and tells its owner: comparisons, texts,
// grid rows, clicks, keys, expansion, scrolling, focus and selection.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/types.h"

#include <cstdint>
#include <string>

class CDC;
class CTreeBox;
class CWnd;
struct CTreeBoxNode;

/// The nine colours a tree box draws with, by index (see CTreeBox::SetColours).
inline constexpr int TBC_BACKGROUND = 0, TBC_DISABLED_BACKGROUND = 1, TBC_SELECTION = 2,
                     TBC_SELECTION_NO_FOCUS = 3, TBC_TEXT = 4, TBC_SELECTED_TEXT = 5,
                     TBC_SELECTED_TEXT_NO_FOCUS = 6, TBC_SIGNS = 7, TBC_LINES = 8, TBC_COUNT = 9;

/// What a grid-tree box hands its owner to draw one row. Rectangles are in the box's window
/// coordinates; originX is what turns a content x into a window x (minus the horizontal
/// scroll position).
struct TreeBoxRowPaint {
    CDC* dc = nullptr;
    CTreeBoxNode* node = nullptr;
    CTreeBoxNode* previous = nullptr;  // the row drawn before, null for the first
    int lastRow = 0;                   // the index of the last row to paint
    const COLORREF* colours = nullptr; // TBC_COUNT resolved colours
    CRect rect;                        // the row
    int originX = 0;
    int firstColumnRight = 0; // content coordinates
    int widest = 0;           // in-out: the widest right edge drawn (content)
    bool hasFocus = false;
};

/// Every operation has a default, so an owner overrides only what it needs. A false answer from
/// a "before" operation (button down, key, double-click, expanding, right click) stops the
/// box's own handling.
class CTreeBoxOwner {
public:
    virtual ~CTreeBoxOwner() = default;

    /// node is the node hit, or null; part may be changed.
    virtual bool OnButtonDown(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, UINT /*flags*/, int /*x*/,
                              int /*y*/, int& /*part*/)
    {
        return true;
    }
    /// At the end of a capture; node is null outside the client area.
    virtual bool OnButtonUp(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, UINT /*flags*/, int /*x*/,
                            int /*y*/, int /*part*/)
    {
        return true;
    }
    /// node is null on empty space; false leaves the selection unchanged.
    virtual bool OnRightClick(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, CWnd* /*wnd*/,
                              UINT /*flags*/, int /*x*/, int /*y*/, int /*part*/)
    {
        return true;
    }
    /// The owner may insert the node's children here; false refuses.
    virtual bool OnExpanding(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, bool /*expand*/)
    {
        return true;
    }
    /// A node is freed on its own (with its subtree, one call per node).
    virtual void OnItemFreed(CTreeBox* /*box*/, CTreeBoxNode* /*node*/) {}
    /// Every node of the box is freed at once (DeleteAllItems): OnItemFreed is not called for
    /// them, so an owner that keeps rows in an index empties it here in one step.
    virtual void OnAllItemsFreed(CTreeBox* /*box*/) {}
    virtual bool OnDoubleClick(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, int /*part*/)
    {
        return true;
    }
    virtual bool OnKeyDown(CTreeBox* /*box*/, UINT /*virtKey*/, UINT /*repeatCount*/,
                           UINT /*flags*/)
    {
        return true;
    }
    /// Grid trees: fills rect (content coordinates) with a part of the row; false when it has none.
    virtual bool GetPartRect(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, CRect& /*rect*/,
                             int /*part*/)
    {
        return false;
    }
    /// Called before a change while the focus node is selected.
    virtual void OnSelChanging(CTreeBox* /*box*/) {}
    /// Called after the selection or the focus changed.
    virtual void OnSelChanged(CTreeBox* /*box*/) {}
    /// A positive answer means the owner moved the box's contents itself.
    virtual int ScrollHorizontally(CTreeBox* /*box*/, int /*pos*/, int /*delta*/,
                                   const CRect& /*client*/, bool /*ended*/)
    {
        return 0;
    }
    /// Negative, 0 or positive as the first item sorts before, with or after the second.
    virtual int Compare(CTreeBox* /*box*/, std::uintptr_t /*first*/, std::uintptr_t /*second*/)
    {
        return 0;
    }
    /// True means the owner moved the box's contents itself.
    virtual bool ScrollVertically(CTreeBox* /*box*/, int /*pos*/, int /*delta*/,
                                  const CRect& /*client*/, bool /*ended*/)
    {
        return false;
    }
    /// A click on the text of a row in a single-selection box; textRect in client coordinates.
    virtual void OnTextClick(CTreeBox* /*box*/, const CRect& /*textRect*/, CPoint /*point*/) {}
    /// The text of a row (column -1) or of one cell. With measure set, the owner may put the
    /// text's size on dc into *size; left at -1, the box measures the text in its own font.
    virtual std::string GetItemText(CTreeBox* /*box*/, CTreeBoxNode* /*node*/,
                                    std::uintptr_t /*data*/, int /*column*/, bool /*measure*/,
                                    CDC* /*dc*/, CSize* /*size*/)
    {
        return {};
    }
    /// Grid trees: draws the focus mark of the focus row.
    virtual void DrawGridFocus(CTreeBox* /*box*/, CDC* /*dc*/, CTreeBoxNode* /*focus*/,
                               bool /*selected*/)
    {
    }
    /// Draws a row's (column -1) or cell's text when the owner draws texts; rect is in window
    /// coordinates.
    virtual void DrawItemText(CTreeBox* /*box*/, CTreeBoxNode* /*node*/, int /*column*/,
                              bool /*selected*/, CDC* /*dc*/, const CRect& /*rect*/,
                              const std::string& /*text*/)
    {
    }
    /// Grid trees: draws a whole row; false stops painting.
    virtual bool DrawGridRow(CTreeBox* /*box*/, TreeBoxRowPaint& /*paint*/) { return false; }
    virtual void OnSetFocus(CTreeBox* /*box*/) {}
    virtual void OnKillFocus(CTreeBox* /*box*/) {}
};
