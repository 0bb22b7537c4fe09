// platform/ui/detail/control_colours.cpp: the colour request of the standard controls, and the
// palette made from the parent's answer.
#include "platform/ui/detail/control_colours.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/widget_windows.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace ui_detail {

namespace {

UINT KindOf(const QWidget& widget)
{
    auto editKind = [](bool readOnly, bool enabled) {
        return readOnly || !enabled ? CTLCOLOR_STATIC : CTLCOLOR_EDIT;
    };
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
        return editKind(edit->isReadOnly(), edit->isEnabled());
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(&widget))
        return editKind(edit->isReadOnly(), edit->isEnabled());
    if (qobject_cast<const QLabel*>(&widget) || qobject_cast<const QCheckBox*>(&widget) ||
        qobject_cast<const QRadioButton*>(&widget) || qobject_cast<const QGroupBox*>(&widget))
        return CTLCOLOR_STATIC;
    if (qobject_cast<const QListWidget*>(&widget))
        return CTLCOLOR_LISTBOX;
    return 0;
}

/// The colour of a solid brush handle.
bool SolidColourOf(HBRUSH handle, COLORREF& colour)
{
    const auto* brush = dynamic_cast<const CBrush*>(static_cast<const CGdiObject*>(handle));
    LOGBRUSH logBrush;
    if (!brush || !brush->GetLogBrush(&logBrush) || logBrush.lbStyle != BS_SOLID)
        return false;
    colour = logBrush.lbColor;
    return true;
}

} // namespace

void AskControlColours(QWidget& widget, const QRect& area)
{
    CWnd* wnd = WndFromWidget(&widget);
    const UINT kind = KindOf(widget);
    CWnd* parent = wnd && kind ? wnd->GetParent() : nullptr;
    if (!parent)
        return;
    const bool edit =
        qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QPlainTextEdit*>(&widget);
    // Edits and lists paint their own background, in the window colour; a read-only or disabled
    // edit asks as a static does, and its parent's default answer is then a static's, the face
    // colour of the dialog.
    const bool field = kind != CTLCOLOR_STATIC || edit;
    const bool onFace = kind == CTLCOLOR_STATIC;
    const COLORREF usualText = GetSysColor(field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SetTextColor(usualText);
    dc.SetBkColor(GetSysColor(onFace ? COLOR_BTNFACE : COLOR_WINDOW));
    const auto brush = reinterpret_cast<HBRUSH>(
        parent->SendMessage(WM_CTLCOLOREDIT - CTLCOLOR_EDIT + kind, WPARAM(&dc), LPARAM(wnd)));
    if (WndFromWidget(&widget) != wnd)
        return; // the answer ended the control

    QPalette palette;
    const COLORREF text = dc.GetTextColor();
    if (text != usualText) {
        for (const auto group : {QPalette::Active, QPalette::Inactive})
            for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
                palette.setColor(group, role, ToQColor(text));
    }
    COLORREF back = 0;
    bool fill = brush && SolidColourOf(brush, back);
    if (edit && !fill && onFace) {
        fill = true;
        back = GetSysColor(COLOR_BTNFACE);
    }
    // The other controls are drawn on their parent's background, so the answer's is laid under
    // them here.
    if (fill && field) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, ToQColor(back));
    }
    widget.setPalette(palette);
    if (fill && !field && !area.isEmpty())
        QPainter(&widget).fillRect(area, ToQColor(back));
}

} // namespace ui_detail
