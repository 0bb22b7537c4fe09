// platform/ui/dialogs/progress_ctrl.cpp: the progress bar over QProgressBar.
#include "platform/ui/dialogs/progress_ctrl.h"

#include "platform/ui/detail/widget_windows.h"

#include <QProgressBar>

#include <algorithm>

namespace {

QProgressBar* BarOf(const CWnd* wnd)
{
    return qobject_cast<QProgressBar*>(ui_detail::WidgetOf(wnd));
}

} // namespace

CProgressCtrl::CProgressCtrl() = default;
CProgressCtrl::~CProgressCtrl() = default;

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* bar = new QProgressBar(parentWidget);
    bar->setTextVisible(false);
    bar->setOrientation((style & PBS_VERTICAL) ? Qt::Vertical : Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setValue(0);
    ui_detail::CreateArgs args;
    args.style = style | WS_CHILD;
    args.parent = parent;
    args.id = id;
    args.rect = &rect;
    return ui_detail::CreateOver(*this, bar, args);
}

void CProgressCtrl::SetRange32(int lower, int upper)
{
    QProgressBar* bar = BarOf(this);
    if (!bar)
        return;
    const int pos = bar->value();
    bar->setRange(lower, upper);
    // Qt resets a bar whose value leaves the range; the position is held at the range's ends.
    bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    if (const QProgressBar* bar = BarOf(this)) {
        lower = bar->minimum();
        upper = bar->maximum();
    }
}

int CProgressCtrl::SetPos(int pos)
{
    QProgressBar* bar = BarOf(this);
    if (!bar)
        return 0;
    const int old = bar->value();
    bar->setValue(std::clamp(pos, bar->minimum(), bar->maximum()));
    bar->repaint();
    return old;
}

int CProgressCtrl::GetPos() const
{
    const QProgressBar* bar = BarOf(this);
    return bar ? bar->value() : 0;
}
