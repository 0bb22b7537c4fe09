// records/grid/tag_grid.h: the record list grid: the records of a type, or one record's fields,
// in a tree grid whose link rows open into the linked records, sorted on request and kept in
// step with every change notice.
#pragma once

#include "controls/tree_grid.h"
#include "database/paths/data_ref.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class CDataNode;
class CObject;
class CRecordNode;
class CTagGrid;
class CView;

/// The host of a grid; every operation may be a no-op.
class ITagGridOwner {
public:
    virtual ~ITagGridOwner() = default;
    virtual void OnGridSelChanged(CTagGrid* grid) {}
    virtual void OnGridRowClicked(CTagGrid* grid) {}
    /// Whether the grid goes on with its own action.
    virtual bool OnGridDoubleClick(CTagGrid* grid, CTreeBoxNode* row, int flag) { return true; }
    virtual void OnGridFocus(CTagGrid* grid) {}
    virtual bool MayDelete(CTagGrid* grid) { return true; }
    virtual bool BeforeMove(CTagGrid* grid, int direction) { return true; }
    /// Whether the owner decided; the answer goes to result.
    virtual bool CanMove(CTagGrid* grid, int direction, bool& result) { return false; }
    virtual void OnGridColumnClicked(CTagGrid* grid, int column) {}
};

/// Row flags, kept in a row's second data word.
inline constexpr std::uintptr_t kRowExpanded = 1, kRowLinkMode = 2, kRowRecursive = 4;

/// Rows carry the node they show (a record or a field) in their data word. Top-level rows are
/// found through a map, never by a walk; a refill looks at the changed records and the open
/// rows only, so its cost does not grow with the number of records.
class CTagGrid : public CTreeGrid {
public:
    enum Mode : int { kModeNone = 0, kModeRecord = 1, kModeRecordSet = 2, kModeFreeList = 3 };
    enum SortKey : int {
        kSortNone = 0,
        kSortAlphabetical = 1,
        kSortLastUpdate = 2,
        kSortCreation = 3,
        kSortRefAscending = 4,
        kSortRefDescending = 5,
    };
    static constexpr int kMaxExtraColumns = 6;

    CTagGrid();
    ~CTagGrid() override;

    /// The grid with its two columns ("Records", "Values"); false, with nothing left, when a
    /// part cannot be made. findBarTemplate 0 makes no find bar.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, ITagGridOwner* owner,
                UINT findBarTemplate);

    /// One record with its fields (mode 1); null shows nothing.
    void SetRecord(CRecordNode* record);
    /// The records of the type whose root is given (mode 2), with the type's columns unless the
    /// grid keeps its own; fill shows them, sort then sorts them alphabetically.
    void SetRecordSet(CDataNode* root, bool fill, bool sort);
    void RefreshList();
    void ResetList();
    void ClearRecordSet();
    /// A top-level row for record: first or last, not in sorted place. A record that has a row
    /// gets no second one unless allowDuplicate. Null when no row was added.
    CTreeBoxNode* AddRecordRow(CRecordNode* record, bool last, bool allowDuplicate, bool select,
                               bool freeList);
    CTreeBoxNode* FindRowByRecord(const CDataNode* record) const;
    /// Makes the row the caret row, selected or not, in link mode or not.
    void SelectRow(CTreeBoxNode* row, bool linkMode, bool select);
    /// The record of the one selected row (a link-mode row's target when followLinks); null
    /// when none or several are selected.
    CRecordNode* GetSelectedRecord(bool followLinks = true) const;

    /// A change notice: rows follow the data (see the README).
    void Refill(CView* sender, long hint, CObject* object);
    /// Expands or collapses a row.
    void OnNodeExpand(CTreeBoxNode* row);

    // Sorts, once: rows added later go where their adding puts them.
    void OnSortAlphabetical();
    void OnSortCreationOrder();
    void OnSortLastUpdateOrder();
    void SortByDataRef(const CDataRef& reference, bool ascending);

    // Texts and colours of a row.
    std::string GetRelationLabel(const CTreeBoxNode* row) const;
    std::string GetValueText(const CTreeBoxNode* row) const;
    /// The text of extra column k for a top-level record row, at most 400 characters.
    std::string GetExtraText(const CTreeBoxNode* row, int k) const;
    /// The label and value colours of a row.
    void GetRowColours(const CTreeBoxNode* row, COLORREF& label, COLORREF& value) const;
    /// Whether child is listed under the row (null: at top level); recursive tells whether it
    /// points back to the record it is listed under.
    bool CheckLinkAllowed(const CTreeBoxNode* row, const CDataNode* child, bool& recursive) const;

    Mode GetMode() const { return m_mode; }
    CDataNode* GetShownObject() const { return m_shown; }
    int GetExtraColumnCount() const { return int(m_extra.size()); }
    void SetEditable(bool editable) { m_editable = editable; }
    void SetKeepOwnColumns(bool keep) { m_keepOwnColumns = keep; }
    static CDataNode* NodeOf(const CTreeBoxNode* row)
    {
        return row ? reinterpret_cast<CDataNode*>(row->m_data) : nullptr;
    }

    // The find bar.
    void OnFindTextChanged(const std::string& text) override;
    void OnFindIdChanged(const std::string& text) override;
    void OnFindText2Changed(const std::string& text) override;
    void OnFindNext(const std::string& text, int editId) override;

    // The box's owner.
    int Compare(CTreeBox* box, std::uintptr_t first, std::uintptr_t second) override;
    bool OnExpanding(CTreeBox* box, CTreeBoxNode* node, bool expand) override;
    void OnItemFreed(CTreeBox* box, CTreeBoxNode* node) override;
    bool OnDoubleClick(CTreeBox* box, CTreeBoxNode* node, int part) override;
    void OnSelChanged(CTreeBox* box) override;
    bool DrawGridRow(CTreeBox* box, TreeBoxRowPaint& paint) override;
    void OnSetFocus(CTreeBox* box) override;
    // The header's owner.
    void OnColumnClick(CColumnHeader* header, int column) override;

private:
    struct ExtraColumn {
        std::string title;
        std::string sample;
        CDataRef reference;
        bool ascending = true;
    };

    /// Adds the type's heading, empty text and extra columns; a column whose reference does
    /// not read drops every extra column.
    void AddRecordTypeHeadings(int listIndex);
    void ApplyColumns();
    void AddAllRecordRows();
    /// A top-level row after after (null: last); bulk leaves the rows' links for RedrawAll.
    CTreeBoxNode* AddTopRow(CDataNode* record, CTreeBoxNode* after, bool bulk);
    /// The rows of a row's shown children, after the rows it has.
    void AddChildRows(CTreeBoxNode* row);
    /// The children listed under row, with the recursive flag of each.
    std::vector<std::pair<CDataNode*, bool>> ShownChildren(const CTreeBoxNode* row) const;
    /// The node whose children a row opens into: a link's target, else the node.
    static CDataNode* ExpansionSource(const CDataNode* node);
    bool HasShownChildren(const CDataNode* node) const;
    /// Brings the rows under an expanded row in step with the data, keeping what is open.
    void SyncChildRows(CTreeBoxNode* row, int depth);
    void UpdateRecordSetRows();
    void UpdateFreeListRows();
    /// Drops rows of records pending deletion only (the safe form, which adds nothing).
    void RemoveDeletedRows();
    void Sort(SortKey key);
    /// Sort keys computed once per row before a sort.
    void PrepareSortKeys(SortKey key);
    void SelectMatch(const std::function<bool(const CDataNode*)>& matches, CTreeBoxNode* from);
    void DrawCell(CDC& dc, const CRect& cell, const std::string& text, COLORREF colour);

    Mode m_mode = kModeNone;
    CDataNode* m_shown = nullptr;
    ITagGridOwner* m_owner = nullptr;
    std::vector<ExtraColumn> m_extra;
    std::string m_heading = "Records";
    std::unordered_map<const CDataNode*, CTreeBoxNode*> m_rows;
    /// Top-level rows that are open, or that were closed with rows left under them.
    std::unordered_set<CTreeBoxNode*> m_openRows;
    SortKey m_sortKey = kSortNone;
    const CDataRef* m_sortRef = nullptr;
    std::unordered_map<const CDataNode*, std::int64_t> m_numericKeys;
    bool m_editable = true;
    bool m_keepOwnColumns = false;
    bool m_sortOnHeaderClick = true;
    bool m_sortAfterReload = true;
    bool m_allowEmptyRows = false;
};
