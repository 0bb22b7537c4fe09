// platform/ui/dialogs/property_page.cpp: the page's part in activation, OK, Apply and the wizard.
#include "platform/ui/dialogs/property_page.h"

#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/resources/resources.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
    : CDialog(templateId, nullptr), m_captionId(captionId)
{
}

CPropertyPage::~CPropertyPage()
{
    if (m_sheet)
        m_sheet->ForgetPage(this);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_firstActive)
        m_firstActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::SetModified(BOOL changed)
{
    m_modified = changed != FALSE;
    if (m_sheet)
        m_sheet->ShowApplyState();
}

void CPropertyPage::CancelToClose()
{
    if (m_sheet)
        m_sheet->CancelToClose();
}

std::string CPropertyPage::GetCaption() const
{
    std::string caption;
    if (m_captionId && AppResources().LoadString(m_captionId, caption))
        return caption;
    const CDialogTemplate* dialog = AppResources().FindDialog(GetTemplateId());
    return dialog ? dialog->m_caption : std::string();
}
