// reports/window/rpt_save_to_file_dlg.h: the file dialog a report is saved in, with the options
// below the picker: the page width of a text file and viewing the new file afterwards.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/file_dialog.h"

inline constexpr UINT IDD_RPT_SAVE_PANEL = 358;
inline constexpr int IDC_RPT_COPY_PICTURES = 1770, IDC_RPT_VIEW_FILE = 1771,
                     IDC_RPT_PAGE_WIDTH = 1772, IDC_RPT_PAGE_WIDTH_LABEL = 1773;

/// The characters of a text file's line unless the user gives another width.
inline constexpr int kRptTextPageWidth = 80;

/// The panel (template 358): each click stores its box's state, each edit of "Page Width:" its
/// number (text without a number greater than 0 keeps the default), which counts for text files
/// only.
class CRptSaveToFilePanel final : public CDialog {
public:
    bool m_copyPictures = false;
    bool m_viewAfterSaving = false;
    bool m_textFile = false;
    int m_pageWidth = kRptTextPageWidth;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CRptSaveToFileDlg final : public CFileDialog {
public:
    CRptSaveToFileDlg(const char* defaultExt, const char* fileName, const char* filter,
                      CWnd* parent);
    bool ViewAfterSaving() const { return m_panel.m_viewAfterSaving; }
    /// A text file's line width in characters; 0 for the other kinds.
    int GetPageWidth() const { return m_panel.m_textFile ? m_panel.m_pageWidth : 0; }
    void SetTextFile(bool on) { m_panel.m_textFile = on; }

private:
    CRptSaveToFilePanel m_panel;
};
