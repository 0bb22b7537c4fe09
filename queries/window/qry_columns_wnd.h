// queries/window/qry_columns_wnd.h: the query window's Columns tab: a tree of the record type's
// fields and the query's ordered result columns, each edited as heading, expression, sort and
// hidden mark.
#pragma once

#include "controls/col_box.h"
#include "controls/type_tree.h"
#include "platform/ui/frames/tool_bar.h"
#include "queries/window/qry_pane.h"

#include <string>

struct CQueryColumn;

// The Columns pane's commands.
inline constexpr UINT ID_ADD_FIELD_AS_COLUMN = 32876, ID_FIELD_TREE_MENU = 32877,
                      ID_SHOW_LINKED_RECORDS = 59417, ID_SHOW_QUALIFIERS = 59418,
                      ID_MOVE_COLUMN_UP = 32833, ID_MOVE_COLUMN_DOWN = 32834,
                      ID_DELETE_COLUMN = 32801;

/// The text of a column's row: heading (trimmed, "<no heading>" when blank), expression, "A" or
/// "D" for the sort and "Y" when hidden, separated by tabs.
std::string FormatColumnRow(const CQueryColumn& column);

/// Made from template 203. Only a custom query that is not read-only can be changed; another is
/// shown with its edit controls disabled, while the field tree's switches still work. The
/// column list's row i is the query's column i.
class CQryColsWnd final : public CQryPane, private CTypeTreeListener, private CColBoxOwner {
public:
    static constexpr int kFieldTree = 99, kColumnList = 5000, kTip = 1132, kHeading = 1025,
                         kExpression = 1130, kSort = 1193, kHidden = 1192, kAdd = 1137,
                         kUpdate = 1136;

    explicit CQryColsWnd(CSubViewQuery& window);
    ~CQryColsWnd() override;

    /// The size of template 203 in pixels.
    const CRect& GetTemplateRect() const { return m_templateRect; }

    /// Lists the query's columns and fills the field tree with its record type.
    void LoadFromQuery();
    /// Asks what to do with edits not yet added or applied; false when the user cancelled or the
    /// edits did not pass their checks.
    bool CheckUnsaved();
    /// The query's column at index; null at or past the end.
    CQueryColumn* GetQueryColumn(int index) const;
    /// The number of rows of the column list.
    int GetColumnCount() const;
    /// The index of the column shown in the edit fields; negative for none.
    int GetCurrentColumn() const { return m_current; }
    bool IsEdited() const { return m_edited; }
    CTypeTree& GetFieldTree() { return m_tree; }
    CColBox& GetColumnList() { return m_list; }

    // Commands, public for the window and its tests.
    /// Add (update false) or Update (update true) from the edit fields; false when the fields
    /// did not pass their checks.
    bool ApplyFields(bool update);
    void OnAddFieldAsColumn();
    void OnFieldTreeMenu();
    void OnMoveColumn(bool up);
    void OnDeleteColumn();

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // CTypeTreeListener.
    void OnTypeTreeSelChanged(CTypeTree* tree) override;
    void OnTypeTreeItemActivated(CTypeTree* tree, CTreeBoxNode* item) override;
    // CColBoxOwner.
    bool OnButtonDown(CColBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int part) override;
    bool OnKeyDown(CColBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnSelChanged(CColBox* box) override;
    bool OnColumnClick(CColBox* /*box*/, int /*column*/) override { return false; }

    void MapHandlers();
    bool CreateParts();
    void SetAnchors(const CRect& design);
    /// Heading and Expression share what Sort and Hidden leave of the list's width, in the
    /// proportion they had.
    void ShareColumnWidths();
    bool IsEditable() const;
    /// The list's selected row; -1 for none.
    int SelectedRow() const;
    void AddRow(const CQueryColumn& column);
    /// Shows the selected row's column in the edit fields and enables them.
    void LoadFields();
    void OnFieldEdited();
    CTreeBoxNode* SelectedTreeItem() const;

    CRect m_templateRect;
    CTypeTree m_tree;
    CColBox m_list;
    CToolBar m_fieldBar;
    CToolBar m_columnBar;
    bool m_showLinked = true;
    bool m_showQualifiers = true;
    int m_current = -1;
    bool m_edited = false;
    bool m_loading = false;
};
