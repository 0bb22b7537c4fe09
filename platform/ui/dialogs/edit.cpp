// platform/ui/dialogs/edit.cpp: the edit control over QLineEdit, or QPlainTextEdit when multi-line.
#include "platform/ui/dialogs/edit.h"

#include "platform/ui/detail/control_widgets.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>

namespace {

using ui_detail::MultiLineEditWidget;

/// Inserts text in place of a single-line edit's selection, cut to the room its limit leaves
/// (a character pair is not split). Qt's line edit copies a text longer than that room once for
/// every character it keeps, so a paste of a few megabytes froze the program for hours.
void InsertWithinLimit(QLineEdit& line, QString text)
{
    const qsizetype kept = line.text().size() - line.selectedText().size();
    const qsizetype room = std::max<qsizetype>(line.maxLength() - kept, 0);
    if (text.size() > room) {
        text.truncate(room);
        if (!text.isEmpty() && text.back().isHighSurrogate())
            text.chop(1);
    }
    line.insert(text);
}

/// Pastes the clipboard's text into a single-line edit as Qt's paste does, within its room.
void PasteWithinLimit(QLineEdit& line)
{
    if (line.isReadOnly() || !QGuiApplication::instance())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty() || line.hasSelectedText())
        InsertWithinLimit(line, text);
}

/// The single-line edit. Its pastes, from the keyboard and from its context menu, go through
/// PasteWithinLimit.
class LineEditWidget final : public ui_detail::ControlWidget<QLineEdit> {
public:
    explicit LineEditWidget(QWidget* parent) : ControlWidget<QLineEdit>(parent) {}

    bool TypeText(const QString& text) override
    {
        if (isReadOnly())
            return false;
        selectAll();
        InsertWithinLimit(*this, text);
        return true;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!event->matches(QKeySequence::Paste)) {
            ControlWidget<QLineEdit>::keyPressEvent(event);
            return;
        }
        PasteWithinLimit(*this);
        event->accept();
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        QMenu* menu = createStandardContextMenu();
        // The menu's Paste is the action connected to QLineEdit::paste (by signature in Qt 6.4).
        for (QAction* action : menu->actions()) {
            const bool paste =
                QObject::disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));
            if (paste)
                QObject::connect(action, &QAction::triggered, this,
                                 [this] { PasteWithinLimit(*this); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
        event->accept();
    }
};

QLineEdit* LineOf(const CWnd* wnd)
{
    return dynamic_cast<QLineEdit*>(ui_detail::WidgetOf(wnd));
}

MultiLineEditWidget* TextOf(const CWnd* wnd)
{
    return dynamic_cast<MultiLineEditWidget*>(ui_detail::WidgetOf(wnd));
}

/// The UTF-8 bytes a character of the edit's text takes across the API; a line break in a
/// multi-line edit is CR LF.
int ApiLength(const QString& text, int i, bool multiLine, int& step)
{
    const QChar c = text[i];
    step = 1;
    if (c == QLatin1Char('\n') && multiLine)
        return 2;
    if (c.isHighSurrogate() && i + 1 < text.size()) {
        step = 2;
        return 4;
    }
    return c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : 3;
}

/// The Qt position of an API position, moved on to the next character boundary; -1 or a
/// position past the end is the end.
int QtPosition(const QString& text, int apiPos, bool multiLine)
{
    if (apiPos < 0)
        return int(text.size());
    int bytes = 0;
    for (int i = 0, step = 1; i < text.size(); i += step) {
        if (bytes >= apiPos)
            return i;
        bytes += ApiLength(text, i, multiLine, step);
    }
    return int(text.size());
}

int ApiPosition(const QString& text, int qtPos, bool multiLine)
{
    int bytes = 0;
    for (int i = 0, step = 1; i < qtPos && i < text.size(); i += step)
        bytes += ApiLength(text, i, multiLine, step);
    return bytes;
}

QString Utf8(const char* text)
{
    return QString::fromUtf8(text ? text : "");
}

} // namespace

CEdit::CEdit() = default;

CEdit::~CEdit()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    const bool framed = (style & WS_BORDER) != 0;
    QWidget* widget = nullptr;
    if (style & ES_MULTILINE) {
        auto* edit = new MultiLineEditWidget(parentWidget, (style & ES_WANTRETURN) != 0);
        edit->setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
        edit->setReadOnly((style & ES_READONLY) != 0);
        const bool wraps = !(style & (WS_HSCROLL | ES_AUTOHSCROLL));
        edit->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn
                                                              : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit] {
            ui_detail::WithWnd<CEdit>(edit, [](CEdit& wnd) { wnd.Notify(EN_CHANGE); });
        });
        widget = edit;
    } else {
        auto* edit = new LineEditWidget(parentWidget);
        edit->setFrame(framed);
        edit->setReadOnly((style & ES_READONLY) != 0);
        if (style & ES_PASSWORD)
            edit->setEchoMode(QLineEdit::Password);
        const Qt::Alignment across = (style & ES_RIGHT)    ? Qt::AlignRight
                                     : (style & ES_CENTER) ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
        edit->setAlignment(across | Qt::AlignVCenter);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
            ui_detail::WithWnd<CEdit>(edit, [](CEdit& wnd) { wnd.Notify(EN_CHANGE); });
        });
        widget = edit;
    }
    widget->setFocusPolicy(Qt::StrongFocus);
    return ui_detail::CreateOver(*this, widget, ui_detail::ChildArgs(style, rect, parent, id));
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    if (QLineEdit* line = LineOf(this)) {
        const QString text = line->text();
        if (start < 0) {
            line->deselect();
            return;
        }
        const int from = QtPosition(text, start, false);
        line->setSelection(from, QtPosition(text, end, false) - from);
        return;
    }
    if (MultiLineEditWidget* edit = TextOf(this)) {
        const QString text = edit->toPlainText();
        QTextCursor cursor = edit->textCursor();
        if (start < 0) {
            cursor.clearSelection();
        } else {
            cursor.setPosition(QtPosition(text, start, true));
            cursor.setPosition(QtPosition(text, end, true), QTextCursor::KeepAnchor);
        }
        const int vertical = edit->verticalScrollBar()->value();
        const int horizontal = edit->horizontalScrollBar()->value();
        edit->setTextCursor(cursor);
        if (noScroll) {
            edit->verticalScrollBar()->setValue(vertical);
            edit->horizontalScrollBar()->setValue(horizontal);
        }
    }
}

void CEdit::GetSel(int& start, int& end) const
{
    start = end = 0;
    if (const QLineEdit* line = LineOf(this)) {
        const QString text = line->text();
        const int from = line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
        const int to = line->hasSelectedText() ? line->selectionEnd() : line->cursorPosition();
        start = ApiPosition(text, from, false);
        end = ApiPosition(text, to, false);
    } else if (const MultiLineEditWidget* edit = TextOf(this)) {
        const QString text = edit->toPlainText();
        const QTextCursor cursor = edit->textCursor();
        start = ApiPosition(text, cursor.selectionStart(), true);
        end = ApiPosition(text, cursor.selectionEnd(), true);
    }
}

DWORD CEdit::GetSel() const
{
    int start = 0, end = 0;
    GetSel(start, end);
    return DWORD(start & 0xFFFF) | (DWORD(end & 0xFFFF) << 16);
}

void CEdit::ReplaceSel(const char* text, BOOL)
{
    if (QLineEdit* line = LineOf(this)) {
        InsertWithinLimit(*line, Utf8(text));
    } else if (MultiLineEditWidget* edit = TextOf(this)) {
        QString plain = Utf8(text);
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        edit->InsertText(plain);
    }
}

void CEdit::LimitText(int maxChars)
{
    if (QLineEdit* line = LineOf(this))
        line->setMaxLength(maxChars > 0 ? maxChars : 32767);
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->m_limit = std::max(maxChars, 0);
}

UINT CEdit::GetLimitText() const
{
    if (const QLineEdit* line = LineOf(this))
        return UINT(line->maxLength());
    const MultiLineEditWidget* edit = TextOf(this);
    return edit && edit->m_limit > 0 ? UINT(edit->m_limit) : 32767;
}

BOOL CEdit::GetModify() const
{
    if (const QLineEdit* line = LineOf(this))
        return line->isModified();
    const MultiLineEditWidget* edit = TextOf(this);
    return edit && edit->document()->isModified();
}

void CEdit::SetModify(BOOL modified)
{
    if (QLineEdit* line = LineOf(this))
        line->setModified(modified != FALSE);
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->document()->setModified(modified != FALSE);
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    if (QLineEdit* line = LineOf(this))
        line->setReadOnly(readOnly != FALSE);
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->setReadOnly(readOnly != FALSE);
    else
        return FALSE;
    return TRUE;
}

void CEdit::ScrollCaret()
{
    if (QLineEdit* line = LineOf(this))
        line->setCursorPosition(line->cursorPosition()); // scrolls the caret into view
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->ensureCursorVisible();
}

void CEdit::Cut()
{
    if (QLineEdit* line = LineOf(this))
        line->cut();
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->cut();
}

void CEdit::Copy()
{
    if (QLineEdit* line = LineOf(this))
        line->copy();
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->copy();
}

void CEdit::Paste()
{
    if (QLineEdit* line = LineOf(this))
        PasteWithinLimit(*line);
    else if (MultiLineEditWidget* edit = TextOf(this))
        edit->paste();
}

void CEdit::Clear()
{
    if (QLineEdit* line = LineOf(this)) {
        if (line->hasSelectedText())
            line->del();
    } else if (MultiLineEditWidget* edit = TextOf(this))
        edit->textCursor().removeSelectedText();
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
    if (message == WM_SETFOCUS)
        Notify(EN_SETFOCUS);
    else if (message == WM_KILLFOCUS)
        Notify(EN_KILLFOCUS);
    return result;
}

void CEdit::Notify(UINT code)
{
    ui_detail::NotifyCommand(*this, code);
}
