// records/dialogs/record_links_dlg.h: the Record Links dialog (template 198): the records that
// link to a record, narrowed to one record type, and the one to go to.
#pragma once

#include "controls/dlg_layout.h"
#include "platform/ui/dialogs/dialog.h"
#include "records/grid/tag_grid.h"

inline constexpr unsigned kRecordLinksTemplate = 198;
inline constexpr int IDC_LINKS_HEADING = 1104, IDC_LINKS_GRID_FRAME = 1105, IDC_LINKS_TYPES = 1106,
                     IDC_LINKS_GO_TO = 1107, IDC_LINKS_TYPES_LABEL = 1347, IDC_LINKS_GRID = 107;

/// The opener sets m_record; after IDOK m_goTo is the record to show. Without a record the
/// opening is abandoned (ThrowAbort).
class CRecordLinksDlg final : public CDialog, private ITagGridOwner {
public:
    explicit CRecordLinksDlg(CWnd* parent = nullptr);

    CRecordNode* m_record = nullptr;
    CRecordNode* m_goTo = nullptr;

    CTagGrid& GetGrid() { return m_grid; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void OnGridSelChanged(CTagGrid* grid) override;
    void FillGrid();
    void UpdateGoTo();
    void AnchorControls();

    CTagGrid m_grid;
    CDlgLayout m_layout;
};
