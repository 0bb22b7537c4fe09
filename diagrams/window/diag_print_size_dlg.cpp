// diagrams/window/diag_print_size_dlg.cpp: the printed-size question.
#include "diagrams/window/diag_print_size_dlg.h"

#include "platform/ui/dialogs/data_exchange.h"

CDiagPrintSizeDlg::CDiagPrintSizeDlg(CWnd* parent) : CDialog(kTemplate, parent) {}

void CDiagPrintSizeDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kAlignId, m_alignRows);
    dx.Text(kRowsId, m_rowsPerPage);
    dx.Range(m_rowsPerPage, 1U, 200U);
}
