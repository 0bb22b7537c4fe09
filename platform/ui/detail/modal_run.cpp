// platform/ui/detail/modal_run.cpp: the nested loop of a modal dialog, and its test driver.
#include "platform/ui/detail/modal_run.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>

namespace ui_detail {

int ModalRun::Run(QDialog& dialog, const std::function<bool()>& drive, const std::string& what)
{
    if (m_ended)
        return m_result;
    ::NotifyModalStart();
    const QPointer<QDialog> guard(&dialog);
    const ModalActivationReturn activationReturn(dialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (TestHooks::IsEnabled()) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        const bool driven = drive();
        if (!m_ended) {
            if (driven)
                hooks::ReportFailure(what + " was still open when its test driver returned");
            End(IDCANCEL);
        }
        return m_result;
    }
    const ModalCursorPause cursorPause;
    QEventLoop loop;
    m_loop = &loop;
    QObject::connect(&dialog, &QObject::destroyed, &loop, [this] { End(IDCANCEL); });
    dialog.show();
    loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->hide();
    return m_result;
}

void ModalRun::End(int result)
{
    if (m_ended)
        return;
    m_ended = true;
    m_result = result;
    if (m_loop)
        m_loop->exit();
}

} // namespace ui_detail
