// platform/ui/dialogs/property_page.h: one page of a property sheet, a child dialog made from its
// template the first time the sheet shows it.
#pragma once

#include "platform/ui/dialogs/dialog.h"

class CPropertySheet;

/// The sheet calls the page: OnSetActive when it becomes the page shown, OnKillActive before it
/// stops being shown and before OK or Apply (the base exchanges data from the controls, and a
/// FALSE answer keeps the page), OnApply on every page made so far when OK or Apply is pressed,
/// OnCancel on Cancel, and the wizard calls in wizard mode. Notifications of its controls reach
/// the page's own handlers.
class CPropertyPage : public CDialog {
public:
    /// The tab shows the caption of the template, or the string captionId when not 0.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    ~CPropertyPage() override;

    /// The base shows the members in the controls again, each time after the first (when
    /// OnInitDialog did).
    virtual BOOL OnSetActive();
    /// The base answers UpdateData(TRUE).
    virtual BOOL OnKillActive();
    /// The base calls OnOK and answers TRUE; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    /// The base does nothing; a page stores what it edits here.
    void OnOK() override;
    /// The base does nothing.
    void OnCancel() override;
    /// 0 goes to the previous (next) page, -1 stays, a template id goes to the page made from
    /// that template.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    /// FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();

    /// Marks the page changed, which enables the sheet's Apply button, or unchanged.
    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return m_modified; }
    /// After a change that Cancel cannot undo: OK reads "Close" and Cancel is disabled.
    void CancelToClose();
    /// The sheet the page was added to, or null.
    CPropertySheet* GetSheet() const { return m_sheet; }
    /// The text of the page's tab.
    std::string GetCaption() const;

private:
    friend class CPropertySheet;

    UINT m_captionId;
    CPropertySheet* m_sheet = nullptr;
    bool m_modified = false;
    bool m_firstActive = true;
};
