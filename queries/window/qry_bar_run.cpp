// queries/window/qry_bar_run.cpp: running the window's query on the worker thread while the
// interface keeps painting and only the query toolbar takes the mouse; a fault of the worker is
// thrown on here, on the interface thread.
#include "queries/window/qry_bar.h"

#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message_pump.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/query_run.h"
#include "queries/window/sub_view_query.h"

namespace {

constexpr UINT kMouseFirst = 0x0200, kMouseLast = 0x0209, kNcMouseMove = 0x00A0, kKeyFirst = 0x0100,
               kKeyLast = 0x0108, kLButtonDown = 0x0201;

bool IsInside(const CWnd* outer, const CWnd* wnd)
{
    for (; wnd; wnd = wnd->GetParent())
        if (wnd == outer)
            return true;
    return false;
}

} // namespace

void CQryBar::ShowPrompt(const std::string& text)
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (frame)
        frame->SetMessageText(text);
}

void CQryBar::OnCancelQuery()
{
    CQueryDef* running = GetRunningQuery();
    if (running && !running->CancelledFlag().load())
        m_run->Cancel();
}

void CQryBar::WaitForQuery(const CQueryRun& run)
{
    CWnd* mainWindow = AfxGetMainWnd();
    RunModalWait([&run] { return run.IsFinished(); },
                 [this, mainWindow](const MSG& msg) {
                     if (msg.message >= kKeyFirst && msg.message <= kKeyLast)
                         return false;
                     const bool mouse = (msg.message >= kMouseFirst && msg.message <= kMouseLast) ||
                                        msg.message == kNcMouseMove;
                     if (!mouse)
                         return true;
                     if (msg.message == kLButtonDown && mainWindow)
                         mainWindow->SetFocus();
                     return IsInside(&m_toolBar, static_cast<const CWnd*>(msg.hwnd));
                 });
}

void CQryBar::RunQuery(bool askParameters, bool invert)
{
    if (m_run)
        return;
    std::shared_ptr<CQueryDef> query = m_window.GetQueryPtr();
    if (!query || !m_window.CommitActivePage())
        return;
    const auto resetFlags = [&query] {
        query->CancelledFlag().store(false);
        query->ErrorFlag().store(false);
        query->SetInverted(false);
    };
    if (askParameters) {
        if (!AskQueryParameters(*query, false, invert, nullptr)) {
            resetFlags();
            return;
        }
    } else {
        query->SetInverted(invert);
    }
    CQueryRun run;
    if (!run.Start(query, [] { WakeUiThread(); })) {
        MessageBox("An error has occurred - cannot run query");
        return;
    }
    m_combo->EnableWindow(FALSE);
    m_toolBar.BeginBusy();
    m_run = &run;
    // The bar holds the focus meanwhile, so no caret blinks in an edit that takes no typing.
    CWnd* focus = GetFocus();
    SetFocus();
    ShowPrompt("To cancel query, click the cancel button on the query toolbar");
    std::exception_ptr kept;
    try {
        WaitForQuery(run);
    } catch (...) {
        // The run still ends below and the bar leaves its running state first.
        kept = std::current_exception();
    }
    // A fault of the worker comes out of Wait; it goes on to the event loop once the bar has
    // left its running state, as a fault of this thread does.
    QueryRunOutcome outcome = QRO_FAILED;
    std::exception_ptr fault;
    try {
        outcome = run.Wait();
    } catch (...) {
        fault = std::current_exception();
    }
    m_run = nullptr;
    m_toolBar.EndBusy();
    m_combo->EnableWindow(TRUE);
    // No window closes during the run, so the one that had the focus is still there.
    if (focus && focus != this && GetFocus() == this)
        focus->SetFocus();
    ShowPrompt("For Help, press F1");
    if (kept)
        EndAbandonedOperation(kept);
    if (fault) {
        resetFlags();
        query->MutableResult().Clear();
        std::rethrow_exception(fault);
    }
    if (outcome == QRO_CANCELLED) {
        MessageBox("Query cancelled");
    } else if (outcome == QRO_FAILED) {
        MessageBox("An error occurred during execution of query.  Query has been cancelled.");
    } else {
        m_window.SetQuery(query, true);
        // A run that found nothing still shows the columns it would have filled.
        if (!m_window.GetResultGrid().IsFilled())
            m_window.GetResultGrid().Fill(*query);
        m_window.SelectTab(ID_QUERY_TAB_RESULTS);
        m_window.GetResultGrid().SetFocus();
    }
    resetFlags();
    query->MutableResult().Clear();
}
