// records/dialogs/select_record_dlg.h: the dialogs that pick one record: of a type, for a link
// about to be made (checked against the link's rules), or from a list with a "New..." button.
#pragma once

#include "controls/dlg_layout.h"
#include "platform/ui/dialogs/dialog.h"
#include "records/grid/tag_grid.h"

#include <string>
#include <vector>

class CDataNode;
class CRecordNode;

inline constexpr UINT kSelectRecordTemplate = 175, kSelectRecordListTemplate = 199;
inline constexpr int IDC_SELECT_PLACEHOLDER = 1038, IDC_SELECT_MATCHING = 1500,
                     IDC_SELECT_FILTER = 1039, IDC_SELECT_LIST_PLACEHOLDER = 1105,
                     IDC_SELECT_NEW = 1512;
inline constexpr UINT kSelectRecordGridId = 107, kSelectRecordListGridId = 109;

/// The record grid of the select-record dialog: a record list grid whose owner, the dialog,
/// answers its selection and double clicks.
using CSelectRecordGrid = CTagGrid;

/// The caller sets the members and runs DoModal; after IDOK m_selected is the record chosen.
/// Without a record-type root the dialog ends at once with IDCANCEL.
class CSelectRecordDlg final : public CDialog, public ITagGridOwner {
public:
    explicit CSelectRecordDlg(CWnd* parent = nullptr);

    CRecordNode* m_selected = nullptr;
    /// The records offered are its children.
    CDataNode* m_root = nullptr;
    /// The record from which the link will be made.
    const CDataNode* m_context = nullptr;
    /// The link being made (FIELD_HUSB, FIELD_WIFE, FIELD_CHIL, FIELD_FAMS, FIELD_FAMC), or 0.
    int m_linkFieldId = 0;
    /// A choice the link rules only question is taken without asking.
    bool m_acceptWithoutAsking = false;
    /// A record that may not be chosen.
    const CRecordNode* m_excluded = nullptr;
    /// Empty: "Select " + the type's label + " Record".
    std::string m_title;
    /// With a link field id: the link's own filter is offered and chosen.
    bool m_offerLinkFilter = false;

    CSelectRecordGrid& GetGrid() { return m_grid; }

    // The grid's owner.
    void OnGridSelChanged(CTagGrid* grid) override;
    bool OnGridDoubleClick(CTagGrid* grid, CTreeBoxNode* row, int flag) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void FillList();
    void UpdateOk();

    CSelectRecordGrid m_grid;
    CDlgLayout m_layout;
};

/// The caller sets the title and either a record set or its own rows, optionally the record
/// type "New..." creates, and runs DoModal; after IDOK m_selected is the record chosen.
class CSelectRecordListDlg final : public CDialog, public ITagGridOwner {
public:
    explicit CSelectRecordListDlg(CWnd* parent = nullptr);

    std::string m_title;
    CRecordNode* m_selected = nullptr;
    /// A record-type root whose records are listed, or null for m_rows.
    CDataNode* m_recordSet = nullptr;
    std::vector<CRecordNode*> m_rows;
    /// The list index of the records "New..." creates (sources, repositories, notes); -1 for
    /// no "New..." button.
    int m_newType = -1;

    CTagGrid& GetGrid() { return m_grid; }
    void OnGridSelChanged(CTagGrid* grid) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// The record OK would answer; null when OK is not possible.
    CRecordNode* Choice();
    void OnNew();

    CTagGrid m_grid;
    CDlgLayout m_layout;
};

/// The record-list dialog titled title over the records of a list index (RECORD_LIST_SOUR ...),
/// with "New..." making one when offerNew; the record chosen, null when cancelled or when the
/// choice is not of that list.
CRecordNode* SelectRecordOfList(CWnd* parent, const std::string& title, int listIndex,
                                bool offerNew);

/// Puts the grid where the template's placeholder static stands, hiding the static, with the
/// find bar of the record type of list index listIndex above its rows (none for -1); false when
/// it cannot be made.
bool CreateGridInPlace(CDialog& dialog, CTagGrid& grid, int placeholderId, UINT gridId,
                       ITagGridOwner* owner, int listIndex);
