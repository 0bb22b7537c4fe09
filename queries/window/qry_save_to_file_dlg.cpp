// queries/window/qry_save_to_file_dlg.cpp: the result-set file dialog and its options panel.
#include "queries/window/qry_save_to_file_dlg.h"

CQrySaveToFileDlg::CQrySaveToFileDlg(const char* defaultExt, const char* fileName, DWORD flags,
                                     const char* filter, CWnd* parent)
    : CFileDialog(FALSE, defaultExt, fileName, flags | OFN_HIDEREADONLY, filter, parent)
{
}
