// reports/window/rpt_save_to_file_dlg.h: the file dialog a report is saved in, with the option
// below the picker of viewing the new file afterwards.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/file_dialog.h"

inline constexpr UINT IDD_RPT_SAVE_PANEL = 358;
inline constexpr int IDC_RPT_COPY_PICTURES = 1770, IDC_RPT_VIEW_FILE = 1771;

/// The panel (template 358): each click stores its box's state.
class CRptSaveToFilePanel final : public CDialog {
public:
    bool m_copyPictures = false;
    bool m_viewAfterSaving = false;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CRptSaveToFileDlg final : public CFileDialog {
public:
    CRptSaveToFileDlg(const char* defaultExt, const char* fileName, const char* filter,
                      CWnd* parent);
    bool ViewAfterSaving() const { return m_panel.m_viewAfterSaving; }

private:
    CRptSaveToFilePanel m_panel;
};
