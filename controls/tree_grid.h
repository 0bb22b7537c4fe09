// controls/tree_grid.h: a tree box under a column header, kept scrolled together, with two
// small buttons at the header's right end and a find bar above everything.
#pragma once

#include "controls/column_header.h"
#include "controls/tree_box.h"
#include "controls/u_button.h"

#include <string>

class CGridFindBar;

/// The grid is its box's owner and keeps the default answers except for the F3 key (which goes
/// to the find bar) and horizontal scrolling (which moves the header with the box). Hosts derive
/// from it to answer the owner operations and the find operations they need.
class CTreeGrid : public CWnd,
                  public CTreeBoxOwner,
                  public CColumnHeaderOwner,
                  public CUButtonListener {
public:
    static constexpr UINT kHeaderId = 3245, kBoxId = 3244, kFirstButtonId = 3247,
                          kSecondButtonId = 3246;
    /// The find bar's edits: the name or text, the record id and the second text.
    static constexpr int kFindTextId = 1535, kFindIdId = 1179, kFindText2Id = 1180;

    CTreeGrid();
    ~CTreeGrid() override;

    /// withButtons bit 0 adds the two header-row buttons; the scroll-bar bits of style go to the
    /// box; findBarTemplate 0 makes no find bar. False without a parent or when a part fails.
    BOOL CreateGrid(DWORD withButtons, DWORD bodyExStyle, DWORD style, DWORD boxFlags,
                    const RECT& rect, CWnd* parent, UINT id, int imageWidth, int imageHeight,
                    UINT findBarTemplate);
    /// titles holds the titles separated by TAB and edges the count right edges (mode 0:
    /// pixels kept in units; 1: quarter average-character widths; others: pixels).
    bool SetColumns(const char* titles, int mode, int count, const int* edges);

    CTreeBox& GetBox() { return m_box; }
    CColumnHeader& GetHeader() { return m_header; }
    CUButton& GetButton(int index) { return m_buttons[index]; }
    CGridFindBar* GetFindBar() const { return m_findBar; }
    int GetDraggedColumn() const { return m_draggedColumn; }

    // What the find bar reports; each does nothing here.
    virtual void OnFindTextChanged(const std::string& /*text*/) {}
    virtual void OnFindIdChanged(const std::string& /*text*/) {}
    virtual void OnFindText2Changed(const std::string& /*text*/) {}
    /// F3 in the find bar or in the box, with the text of the edit to search by.
    virtual void OnFindNext(const std::string& /*text*/, int /*editId*/) {}
    /// One of the find bar's edits gained the focus: the user is about to search with it.
    virtual void OnFindEditFocus(int /*editId*/) {}

    // The box's owner.
    bool OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    int ScrollHorizontally(CTreeBox* box, int pos, int delta, const CRect& client,
                           bool ended) override;
    // The header's owner.
    void OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns, int column, int x,
                        int scroll, int repaintStrip, int state) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnEnable(BOOL enable) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    friend class CGridFindBar;

    void Layout(int width, int height);
    /// The find bar's window ended; the bar deletes itself.
    void FindBarGone(CGridFindBar* bar);

    CColumnHeader m_header;
    CTreeBox m_box;
    CUButton m_buttons[2];
    int m_draggedColumn = -1;
    int m_findBarHeight = 0;
    /// Owned through its window: it deletes itself when its window ends.
    CGridFindBar* m_findBar = nullptr;
    /// Fills the grid below the find bar; the header, the buttons and the box live in it.
    CWnd m_body;
};
