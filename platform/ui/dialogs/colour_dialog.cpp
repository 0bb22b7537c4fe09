// platform/ui/dialogs/colour_dialog.cpp: the colour dialog over Qt's colour picker, without its own
// buttons, embedded where the template leaves room for it.
#include "platform/ui/dialogs/colour_dialog.h"

#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/window_widget.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace ui_detail {

/// Qt's picker as a plain child widget. Its own buttons are hidden (the template has the
/// dialog's), and Enter and Escape go on to the dialog around it instead of closing the picker.
class ColourPicker final : public QColorDialog {
public:
    explicit ColourPicker(QWidget* parent) : QColorDialog(parent)
    {
        setWindowFlags(Qt::Widget);
        setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
        for (QPushButton* button : findChildren<QPushButton*>())
            button->hide();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Enter:
        case Qt::Key_Return:
            if (parentWidget())
                QCoreApplication::sendEvent(parentWidget(), event);
            return;
        default:
            QColorDialog::keyPressEvent(event);
        }
    }
};

} // namespace ui_detail

CColorDialog::CColorDialog(UINT templateId, COLORREF initial, CWnd* parent)
    : CDialog(templateId, parent), m_colour(initial)
{
}

CColorDialog::~CColorDialog() = default;

COLORREF CColorDialog::GetColor() const
{
    return m_picker ? ui_detail::FromQRgb(m_picker->currentColor().rgb()) : m_colour;
}

void CColorDialog::SetCurrentColor(COLORREF colour)
{
    m_colour = colour;
    if (m_picker)
        m_picker->setCurrentColor(ui_detail::ToQColor(colour));
}

int CColorDialog::DoModal()
{
    if (m_pCustomColours)
        for (int i = 0; i < int(m_pCustomColours->size()); ++i)
            QColorDialog::setCustomColor(i,
                                         ui_detail::ToQColor((*m_pCustomColours)[std::size_t(i)]));
    const int result = CDialog::DoModal();
    m_picker = nullptr;
    if (m_pCustomColours)
        for (int i = 0; i < int(m_pCustomColours->size()); ++i)
            (*m_pCustomColours)[std::size_t(i)] =
                ui_detail::FromQRgb(QColorDialog::customColor(i).rgb());
    return result;
}

BOOL CColorDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    CWnd* area = GetDlgItem(IDC_COLOUR_PICKER);
    QWidget* areaWidget = ui_detail::WidgetOf(area);
    m_picker = new ui_detail::ColourPicker(ui_detail::WidgetOf(this));
    if (areaWidget) {
        m_picker->setGeometry(areaWidget->geometry());
        area->ShowWindow(SW_HIDE);
    }
    m_picker->setCurrentColor(ui_detail::ToQColor(m_colour));
    m_picker->show();
    return result;
}

BOOL CColorDialog::OnColorOK()
{
    return FALSE;
}

void CColorDialog::OnOK()
{
    m_colour = GetColor();
    if (!OnColorOK())
        CDialog::OnOK();
}

BOOL CColorDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ADD_CUSTOM_COLOUR && HIWORD(wParam) == BN_CLICKED) {
        AddCustomColour();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CColorDialog::AddCustomColour()
{
    if (!m_picker)
        return;
    QColorDialog::setCustomColor(m_nextCustom, m_picker->currentColor());
    m_nextCustom = (m_nextCustom + 1) % QColorDialog::customCount();
    for (QWidget* child : m_picker->findChildren<QWidget*>())
        child->update();
}
