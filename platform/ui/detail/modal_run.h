// platform/ui/detail/modal_run.h: the modal run of a dialog or property sheet: a nested loop on
// the desktop, or the test's driver under the hooks.
#pragma once

#include <QPointer>

#include <functional>
#include <string>

class QDialog;
class QEventLoop;

namespace ui_detail {

class ModalRun {
public:
    /// Shows the dialog and waits until End, returning End's result at once when End came
    /// before. Under the test hooks no loop runs: the dialog shows, drive runs (it answers false
    /// when no driver was queued; the failure is reported then), and a dialog still open after
    /// it ends as IDCANCEL, reported as a failure when a driver ran. what names the dialog in
    /// the report.
    int Run(QDialog& dialog, const std::function<bool()>& drive, const std::string& what);
    /// Records the result and leaves the loop.
    void End(int result);
    bool Ended() const { return m_ended; }

private:
    bool m_ended = false;
    int m_result = -1;
    QPointer<QEventLoop> m_loop;
};

} // namespace ui_detail
