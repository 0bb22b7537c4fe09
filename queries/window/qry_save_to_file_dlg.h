// queries/window/qry_save_to_file_dlg.h: the file dialog in which a result set is saved, with its
// two output options: whether the column headings come first, and the column separator.
#pragma once

#include "platform/ui/dialogs/file_dialog.h"

class CQrySaveToFileDlg final : public CFileDialog {
public:
    CQrySaveToFileDlg(const char* defaultExt, const char* fileName, DWORD flags, const char* filter,
                      CWnd* parent);

    bool m_includeHeadings = true;
    int m_separator = 0; // 0 tab, 1 comma
};
