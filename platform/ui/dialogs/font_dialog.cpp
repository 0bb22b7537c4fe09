// platform/ui/dialogs/font_dialog.cpp: the font dialog over Qt's font dialog, or the test hooks'
// answer.
#include "platform/ui/dialogs/font_dialog.h"

#include "platform/base/prompt.h"
#include "platform/ui/detail/font_mapper.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/modal_cursor.h"
#include "platform/ui/detail/owner_activation.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/windows/test_hooks.h"

#include <QApplication>
#include <QFontDialog>

#include <cmath>
#include <cstring>

namespace {

/// Screen pixels per inch, as the program's font heights count them.
constexpr int kScreenDotsPerInch = 96;

/// The size a height shows as, in whole points, in tenths.
int SizeOfHeight(LONG height)
{
    return MulDiv(std::abs(int(height)), 72, kScreenDotsPerInch) * 10;
}

void SetFace(LOGFONT& font, const std::string& face)
{
    std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
    std::strncpy(font.lfFaceName, face.c_str(), sizeof(font.lfFaceName) - 1);
}

} // namespace

CFontDialog::CFontDialog(const LOGFONT* initial, DWORD flags, CDC* /*printerDC*/, CWnd* parent)
    : m_lf(initial ? *initial : LOGFONT()), m_flags(flags), m_parent(parent)
{
    m_size = SizeOfHeight(m_lf.lfHeight);
}

int CFontDialog::DoModal()
{
    if (!TestHooks::IsEnabled())
        return RunOnDesktop();
    const auto answer = ui_detail::hooks::TakeFontAnswer();
    if (!answer || !*answer)
        return IDCANCEL;
    Accept(**answer, SizeOfHeight((*answer)->lfHeight));
    return IDOK;
}

void CFontDialog::GetCurrentFont(LOGFONT* font) const
{
    if (font)
        *font = m_lf;
}

void CFontDialog::Accept(const LOGFONT& chosen, int sizeTenths)
{
    const LOGFONT before = m_lf;
    m_lf = chosen;
    if (!(m_flags & CF_EFFECTS)) {
        m_lf.lfUnderline = before.lfUnderline;
        m_lf.lfStrikeOut = before.lfStrikeOut;
    }
    m_size = sizeTenths;
}

int CFontDialog::RunOnDesktop()
{
    const bool initialise = m_flags & CF_INITTOLOGFONTSTRUCT;
    QFont start = ui_detail::FontFromLogFont(initialise ? m_lf : LOGFONT());
    const int startTenths = SizeOfHeight(initialise ? m_lf.lfHeight : 0);
    if (startTenths > 0)
        start.setPointSize(startTenths / 10);
    QWidget* parent = m_parent ? ui_detail::WidgetOf(m_parent) : QApplication::activeWindow();
    QFontDialog dialog(start, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    const ui_detail::ModalCursorPause cursorPause;
    const ui_detail::ModalActivationReturn activationReturn(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    const QFont font = dialog.selectedFont();
    LOGFONT chosen = m_lf;
    const std::string family = font.family().toStdString();
    // A face that stands in for the one asked for keeps the name asked for.
    if (ui_detail::SubstituteFace(m_lf.lfFaceName) != font.family())
        SetFace(chosen, family);
    chosen.lfWeight = font.weight();
    chosen.lfItalic = font.italic();
    chosen.lfUnderline = font.underline();
    chosen.lfStrikeOut = font.strikeOut();
    const int tenths = int(std::lround(font.pointSizeF() * 10));
    if (tenths != startTenths || !initialise)
        chosen.lfHeight = -MulDiv(tenths, kScreenDotsPerInch, 720);
    Accept(chosen, tenths);
    return IDOK;
}
