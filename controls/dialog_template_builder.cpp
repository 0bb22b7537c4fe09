// controls/dialog_template_builder.cpp: measuring a template's units and making its controls.
#include "controls/dialog_template_builder.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/resources/resources.h"

#include <array>
#include <exception>

namespace {

LOGFONT MeasuringFont(const CDialogTemplate& dialog)
{
    LOGFONT font = dialog.GetFont();
    font.lfWeight = FW_BOLD;
    return font;
}

} // namespace

CDlgTemplateBuilder::CDlgTemplateBuilder(UINT templateId, const LOGFONT* font)
    : m_template(AppResources().FindDialog(templateId))
{
    if (!m_template)
        return;
    m_baseUnits = GetDialogBaseUnits(font ? *font : MeasuringFont(*m_template));
}

void CDlgTemplateBuilder::GetTemplateRect(RECT& rect) const
{
    rect = m_template ? RECT(m_template->Rect()) : RECT(CRect());
    MapDialogRect(m_baseUnits, rect);
}

void CDlgTemplateBuilder::GetItemRect(int index, RECT& rect) const
{
    const bool exists =
        m_template && index >= 0 && index < static_cast<int>(m_template->m_items.size());
    rect = exists ? RECT(m_template->m_items[static_cast<size_t>(index)].Rect()) : RECT(CRect());
    MapDialogRect(m_baseUnits, rect);
}

DWORD CDlgTemplateBuilder::ExStyleForClass(const std::string& className)
{
    static const std::array<const char*, 5> kBordered = {"Edit", "ListBox", "ScrollBar", "ComboBox",
                                                         "SysListView32"};
    for (const char* name : kBordered) {
        if (text::EqualsNoCase(className, name))
            return WS_EX_CLIENTEDGE;
    }
    return 0;
}

bool CDlgTemplateBuilder::CreateControls(CWnd& parent,
                                         std::vector<std::unique_ptr<CWnd>>& controls) const
{
    if (!m_template)
        return false;
    CDialogTemplate dialog = *m_template;
    for (DialogItemTemplate& item : dialog.m_items)
        item.exStyle = ExStyleForClass(item.className);
    try {
        return ::CreateControls(dialog, m_baseUnits, parent, controls);
    } catch (const std::exception&) {
        return false;
    }
}
