// controls/col_box.h: a multi-column list: a column header over a list-mode tree box, scrolled
// together, whose title clicks sort the list.
#pragma once

#include "controls/column_header.h"
#include "controls/tree_box.h"

#include <string>

class CColBox;

/// What a column box asks of and tells its user; each operation receives the column box in
/// place of the inner tree box. The defaults are what a column box without a user does.
class CColBoxOwner {
public:
    virtual ~CColBoxOwner() = default;
    virtual bool OnButtonDown(CColBox* /*box*/, CTreeBoxNode* /*node*/, UINT /*flags*/, int /*x*/,
                              int /*y*/, int /*part*/)
    {
        return true;
    }
    virtual bool OnDoubleClick(CColBox* /*box*/, CTreeBoxNode* /*node*/, int /*part*/)
    {
        return true;
    }
    /// textRect and point are in the column box's coordinates (below the header).
    virtual void OnTextClick(CColBox* /*box*/, const CRect& /*textRect*/, CPoint /*point*/) {}
    virtual bool OnKeyDown(CColBox* /*box*/, UINT /*virtKey*/, UINT /*repeatCount*/, UINT /*flags*/)
    {
        return true;
    }
    virtual void OnSelChanging(CColBox* /*box*/) {}
    virtual void OnSelChanged(CColBox* /*box*/) {}
    virtual std::string GetItemText(CColBox* /*box*/, CTreeBoxNode* /*node*/,
                                    std::uintptr_t /*data*/, int /*column*/, bool /*measure*/,
                                    CDC* /*dc*/, CSize* /*size*/)
    {
        return {};
    }
    virtual bool ScrollVertically(CColBox* /*box*/, int /*pos*/, int /*delta*/,
                                  const CRect& /*client*/, bool /*ended*/)
    {
        return false;
    }
    virtual void OnSetFocus(CColBox* /*box*/) {}
    virtual void OnKillFocus(CColBox* /*box*/) {}
    virtual void DrawItemText(CColBox* /*box*/, CTreeBoxNode* /*node*/, int /*column*/,
                              bool /*selected*/, CDC* /*dc*/, const CRect& /*rect*/,
                              const std::string& /*text*/)
    {
    }
    /// False keeps the list as it is; otherwise it is sorted by the column through Compare.
    virtual bool OnColumnClick(CColBox* /*box*/, int /*column*/) { return true; }
    virtual int Compare(CColBox* /*box*/, std::uintptr_t /*first*/, std::uintptr_t /*second*/)
    {
        return 0;
    }
};

class CColBox : public CWnd {
public:
    CColBox();
    ~CColBox() override;

    /// The tree box gets boxFlags in list mode, with both scroll bars. owner may be null.
    BOOL Create(DWORD boxFlags, DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                CColBoxOwner* owner, int imageWidth, int imageHeight);
    /// titles holds the titles separated by TAB and edges the count right edges (mode 0:
    /// pixels kept in units; 1: quarter average-character widths; others: pixels). Null titles
    /// remove every column.
    bool SetColumns(const char* titles, int mode, int count, const int* edges);
    /// Makes every row height pixels high.
    void AddItem(int height);
    /// Moves row i below row i + 1.
    void MoveItemDown(int i);
    /// Moves row i above row i - 1.
    void MoveItemUp(int i);
    std::string GetTabField(CTreeBoxNode* node, int column);
    /// The focus row when it is selected, else the first selected row; null when none is
    /// selected or the box is not made.
    CTreeBoxNode* GetSelectedRow();

    CTreeBox& GetBox() { return m_box; }
    CColumnHeader& GetHeader() { return m_header; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnEnable(BOOL enable) override;

private:
    /// Passes the tree box's calls on to the user with the column box in place of the box.
    class BoxAdapter final : public CTreeBoxOwner {
    public:
        explicit BoxAdapter(CColBox& owner) : m_colBox(owner) {}
        bool OnButtonDown(CTreeBox*, CTreeBoxNode* node, UINT flags, int x, int y,
                          int& part) override;
        bool OnDoubleClick(CTreeBox*, CTreeBoxNode* node, int part) override;
        void OnTextClick(CTreeBox*, const CRect& textRect, CPoint point) override;
        bool OnKeyDown(CTreeBox*, UINT virtKey, UINT repeatCount, UINT flags) override;
        void OnSelChanging(CTreeBox*) override;
        void OnSelChanged(CTreeBox*) override;
        std::string GetItemText(CTreeBox*, CTreeBoxNode* node, std::uintptr_t data, int column,
                                bool measure, CDC* dc, CSize* size) override;
        bool ScrollVertically(CTreeBox*, int pos, int delta, const CRect& client,
                              bool ended) override;
        int ScrollHorizontally(CTreeBox*, int pos, int delta, const CRect& client,
                               bool ended) override;
        void OnSetFocus(CTreeBox*) override;
        void OnKillFocus(CTreeBox*) override;
        void DrawItemText(CTreeBox*, CTreeBoxNode* node, int column, bool selected, CDC* dc,
                          const CRect& rect, const std::string& text) override;
        int Compare(CTreeBox*, std::uintptr_t first, std::uintptr_t second) override;

    private:
        CColBox& m_colBox;
    };

    /// Sorts on title clicks and moves the box's contents with a dragged divider.
    class HeaderAdapter final : public CColumnHeaderOwner {
    public:
        explicit HeaderAdapter(CColBox& owner) : m_colBox(owner) {}
        void OnColumnResize(CColumnHeader* header, std::vector<CColumnInfo>& columns, int column,
                            int x, int scroll, int repaintStrip, int state) override;
        void OnColumnClick(CColumnHeader* header, int column) override;

    private:
        CColBox& m_colBox;
    };

    void Layout(int width, int height);

    // The adapters come first so that they outlive the box and header that call them.
    BoxAdapter m_boxAdapter{*this};
    HeaderAdapter m_headerAdapter{*this};
    CTreeBox m_box;
    CColumnHeader m_header;
    CColBoxOwner* m_owner = nullptr;
};
