// app/shell/main_frame_progress.cpp: the progress bar that long operations drive, shown in its own
// status bar in place of the current one while a run lasts.
#include "app/shell/main_frame.h"

#include "app/shell/app_ids.h"

namespace {

/// The most a progress bar shows without dividing.
constexpr long kMaxBarRange = 65535;

} // namespace

void CMainFrame::SetProgressRange(long range)
{
    m_divisor = range >= kMaxBarRange ? range / kMaxBarRange + 1 : 1;
    if (range != 0)
        m_progress.SetRange32(0, int(range / m_divisor));
}

void CMainFrame::BeginProgress(long range, const std::string& text)
{
    if (m_progressActive)
        return;
    m_progressActive = true;
    CRect client;
    GetClientRect(&client);
    m_progressBar.SetPaneInfo(0, ID_PANE_PROGRESS_BAR, SBPS_STRETCH, 0);
    m_progressBar.SetPaneInfo(1, ID_PANE_PROGRESS_TEXT, SBPS_NORMAL, client.Width() * 2 / 3);
    if (CStatusBar* current = GetStatusBar(GetCurrentStatusBar()))
        ShowControlBar(current, FALSE, FALSE);
    ShowControlBar(&m_progressBar, TRUE, FALSE);
    RecalcLayout();
    m_progressBar.SetPaneText(0, "");
    m_progressBar.SetPaneText(1, text);
    CRect pane;
    m_progressBar.GetItemRect(0, &pane);
    m_progress.MoveWindow(pane);
    SetProgressRange(range);
    m_progress.SetPos(0);
    m_progressBar.UpdateWindow();
}

void CMainFrame::SetProgressPos(long pos)
{
    if (!m_progressActive)
        return;
    m_progress.SetPos(int(m_divisor > 1 ? pos / m_divisor : pos));
}

void CMainFrame::ResetProgress(long range, const std::string& text)
{
    if (!m_progressActive)
        return;
    SetProgressRange(range);
    m_progress.SetPos(0);
    if (!text.empty())
        m_progressBar.SetPaneText(1, text);
    m_progressBar.UpdateWindow();
}

void CMainFrame::EndProgress()
{
    if (!m_progressActive)
        return;
    m_progressActive = false;
    m_divisor = 1;
    ShowControlBar(&m_progressBar, FALSE, FALSE);
    if (CStatusBar* current = GetStatusBar(GetCurrentStatusBar()))
        ShowControlBar(current, TRUE, FALSE);
    RecalcLayout();
}
