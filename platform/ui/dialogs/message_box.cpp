// platform/ui/dialogs/message_box.cpp: message boxes over QMessageBox, the beep, and opening
// through QDesktopServices; under the test hooks the hooks' script answers and records instead.
#include "platform/ui/dialogs/message_box.h"

#include "platform/base/abandon.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include <cctype>
#include <vector>

namespace {

struct ButtonKind {
    int id;
    QMessageBox::StandardButton button;
};

/// The buttons of a box style, in the order they stand.
std::vector<ButtonKind> ButtonsOf(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, QMessageBox::Ok}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, QMessageBox::Abort},
                {IDRETRY, QMessageBox::Retry},
                {IDIGNORE, QMessageBox::Ignore}};
    case MB_YESNOCANCEL:
        return {
            {IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}, {IDCANCEL, QMessageBox::Cancel}};
    case MB_YESNO:
        return {{IDYES, QMessageBox::Yes}, {IDNO, QMessageBox::No}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, QMessageBox::Retry}, {IDCANCEL, QMessageBox::Cancel}};
    default:
        return {{IDOK, QMessageBox::Ok}};
    }
}

QMessageBox::Icon IconOf(UINT style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

/// The button the box ends with when it is closed without a choice: Cancel, else No, else the
/// only button.
int EscapeAnswer(const std::vector<ButtonKind>& buttons)
{
    for (const int id : {IDCANCEL, IDNO, IDABORT})
        for (const ButtonKind& kind : buttons)
            if (kind.id == id)
                return id;
    return buttons.front().id;
}

std::string CaptionOr(const std::string& caption)
{
    if (!caption.empty())
        return caption;
    const CWinApp* app = AfxGetApp();
    if (app && !app->GetAppName().empty())
        return app->GetAppName();
    return QCoreApplication::applicationName().toStdString();
}

/// The box with its text, caption, icon and buttons; the default button is the one
/// MB_DEFBUTTON names, the first when it names none there is.
void Build(QMessageBox& box, const std::string& text, UINT style, const std::string& caption,
           const std::vector<ButtonKind>& buttons)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    box.setIcon(IconOf(style));
    for (const ButtonKind& kind : buttons)
        box.addButton(kind.button);
    const std::size_t index = (style & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons[index < buttons.size() ? index : 0].button);
    const int escape = EscapeAnswer(buttons);
    for (const ButtonKind& kind : buttons)
        if (kind.id == escape)
            box.setEscapeButton(box.button(kind.button));
}

int AnswerOf(const QMessageBox& box, const std::vector<ButtonKind>& buttons)
{
    const QAbstractButton* clicked = box.clickedButton();
    for (const ButtonKind& kind : buttons)
        if (clicked && clicked == box.button(kind.button))
            return kind.id;
    return EscapeAnswer(buttons);
}

/// Presses the button of the scripted answer; an answer the box has no button for is a fault
/// of the test, and the box ends as Cancel would.
int AnswerFromScript(QMessageBox& box, const std::string& text, UINT style,
                     const std::string& caption, const std::vector<ButtonKind>& buttons)
{
    const int answer = ui_detail::hooks::Script().MessageBox(text, style, caption);
    for (const ButtonKind& kind : buttons) {
        if (kind.id == answer) {
            box.button(kind.button)->click();
            return AnswerOf(box, buttons);
        }
    }
    ui_detail::hooks::ReportFailure(
        text::Format("The answer %d is not a button of the box \"%s\"", answer, text));
    return EscapeAnswer(buttons);
}

/// A web or mail address: a scheme of two or more letters before ":" (a drive letter is one).
bool IsAddress(const std::string& target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!std::isalpha(static_cast<unsigned char>(target[i])))
            return false;
    return true;
}

} // namespace

void InstallOutOfMemoryReport()
{
    SetOutOfMemoryReport(
        [](const std::string& message) { MessageBox(message, MB_OK | MB_ICONSTOP); });
}

int CMessageBox::MessageBox(const std::string& text, UINT style, const std::string& caption)
{
    const std::vector<ButtonKind> buttons = ButtonsOf(style);
    const std::string shownCaption = CaptionOr(caption);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowFlags(ui_detail::DialogWindowFlags() | Qt::MSWindowsFixedSizeDialogHint);
    QWidget* owner = box.parentWidget() ? box.parentWidget()->window() : nullptr;
    if (!owner)
        owner = ui_detail::StandOverOwner(box);
    Build(box, text, style, shownCaption, buttons);
    if (TestHooks::IsEnabled()) {
        ui_detail::hooks::SetMessageBoxOwner(ui_detail::NearestWnd(owner));
        return AnswerFromScript(box, text, style, shownCaption, buttons);
    }
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(box);
    box.exec();
    return AnswerOf(box, buttons);
}

void CMessageBox::MessageBeep(UINT type)
{
    if (TestHooks::IsEnabled())
        ui_detail::hooks::Script().MessageBeep(type);
    else
        QApplication::beep();
}

int CMessageBox::ShellOpen(const std::string& target, const std::string& verb)
{
    QUrl url;
    if (IsAddress(target)) {
        url = QUrl(QString::fromStdString(target));
        if (url.isLocalFile() && !paths::Exists(url.toLocalFile().toStdString()))
            return 2;
    } else {
        const std::string path = paths::ToNative(target);
        if (!paths::Exists(path))
            return 2;
        url = QUrl::fromLocalFile(QString::fromStdString(path));
    }
    if (TestHooks::IsEnabled())
        return ui_detail::hooks::Script().ShellOpen(target, verb);
    return QDesktopServices::openUrl(url) ? 42 : 31;
}
