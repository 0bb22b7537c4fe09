// platform/ui/detail/modal_cursor.h: the normal pointer over a modal window while the wait
// cursor is up.
#pragma once

#include <QCursor>
#include <QGuiApplication>

#include <vector>

namespace ui_detail {

/// While it lives, the cursors set over the application (the wait cursor) are taken down, so a
/// message box, picker or pop-up shows the normal pointer; they are put back afterwards.
class ModalCursorPause {
public:
    ModalCursorPause()
    {
        while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            m_saved.push_back(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~ModalCursorPause()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            QGuiApplication::setOverrideCursor(*it);
    }
    ModalCursorPause(const ModalCursorPause&) = delete;
    ModalCursorPause& operator=(const ModalCursorPause&) = delete;

private:
    std::vector<QCursor> m_saved;
};

} // namespace ui_detail
