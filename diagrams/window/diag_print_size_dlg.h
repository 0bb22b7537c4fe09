// diagrams/window/diag_print_size_dlg.h: the question of how many diagram rows a printed page
// holds, and whether rows are aligned with the pages.
#pragma once

#include "platform/ui/dialogs/dialog.h"

/// Template 259. The caller sets both members, runs DoModal and, after IDOK, reads them back:
/// the rows per page then lie in 1 to 200.
class CDiagPrintSizeDlg final : public CDialog {
public:
    static constexpr UINT kTemplate = 259;
    static constexpr int kRowsId = 1275, kAlignId = 1277;

    explicit CDiagPrintSizeDlg(CWnd* parent = nullptr);

    BOOL m_alignRows = FALSE;
    UINT m_rowsPerPage = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
