// queries/window/qry_save_to_file_dlg.h: the file dialog in which a result set is saved, with its
// two output options below the picker: whether the column headings come first, and the column
// separator.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/file_dialog.h"

/// The options panel (template 264): it shows the options when it opens and stores each click.
class CQrySaveToFilePanel final : public CDialog {
public:
    bool m_includeHeadings = true;
    int m_separator = 0; // 0 tab, 1 comma

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CQrySaveToFileDlg final : public CFileDialog {
public:
    CQrySaveToFileDlg(const char* defaultExt, const char* fileName, DWORD flags, const char* filter,
                      CWnd* parent);

    bool IncludeHeadings() const { return m_panel.m_includeHeadings; }
    int GetSeparator() const { return m_panel.m_separator; }

private:
    CQrySaveToFilePanel m_panel;
};
