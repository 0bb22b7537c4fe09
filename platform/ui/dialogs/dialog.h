// platform/ui/dialogs/dialog.h: a dialog built from a template: modal or modeless, its controls
// found by id, the default button and the focus, and data exchange between controls and members.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CDataExchange;
namespace ui_detail {
class ModalRun;
}

/// Sent once the dialog's controls exist; OnInitDialog handles it.
inline constexpr UINT WM_INITDIALOG = 0x0110;
/// The high word of GetDefID's answer.
inline constexpr WORD DC_HASDEFID = 0x534B;

/// The window is made from the DIALOG template of the program's resources: its caption and font,
/// its size in dialog units turned into pixels with that font, and one control per item in
/// template order. The user may resize a top-level dialog only when its template has
/// WS_THICKFRAME. WM_CREATE comes before the controls exist, WM_INITDIALOG after; when
/// OnInitDialog answers TRUE the focus goes to the first control with WS_TABSTOP.
///
/// Enter presses the default button (the one SetDefID named, else the template's
/// DEFPUSHBUTTON, else IDOK) unless it is disabled; Escape and the close box press IDCANCEL.
/// IDOK and IDCANCEL call OnOK and OnCancel when no handler of the program's takes them.
class CDialog : public CWnd {
public:
    /// The id of a template's plain Help button; the program's own Help buttons use ID_HELP.
    static constexpr UINT kHelpButton = 9;

    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    /// Makes the dialog, runs it until EndDialog and destroys it; answers EndDialog's result, or
    /// -1 when the template is missing or the window could not be made. Under the test hooks no
    /// loop runs: the driver queued with TestHooks::OnNextDialog runs after OnInitDialog, and a
    /// dialog it leaves open (or that has no driver) fails the test and ends as IDCANCEL.
    virtual int DoModal();
    /// Makes the modeless dialog of the template, shown when the template has WS_VISIBLE. A
    /// template with WS_CHILD makes a dialog inside parent, placed where the template says.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    /// Ends a modal dialog, whose DoModal answers result; hides a modeless one.
    void EndDialog(int result);
    UINT GetTemplateId() const { return m_templateId; }
    /// The controls made from the template, in its order; one whose window was destroyed stays
    /// listed with a null GetSafeHwnd.
    std::size_t GetTemplateItemCount() const { return m_controls.size(); }
    CWnd* GetTemplateItem(std::size_t index) const
    {
        return index < m_controls.size() ? m_controls[index].get() : nullptr;
    }

    /// saveAndValidate TRUE: controls to members, with their checks; FALSE: members to controls.
    /// FALSE when the exchange failed: its message was shown and the control at fault has the
    /// focus.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The default button and the focus.
    void SetDefID(UINT id);
    /// The default button's id in the low word, DC_HASDEFID in the high word.
    DWORD GetDefID() const;
    /// Gives the control the focus; an edit gets all its text selected.
    void GotoDlgCtrl(CWnd* control);
    /// Moves the focus to the next (previous) control that the Tab key reaches.
    void NextDlgCtrl();
    void PrevDlgCtrl();

    // Controls by id.
    void SetDlgItemText(int id, const std::string& text);
    /// Returns the text's length; 0 with an empty text when there is no such control.
    int GetDlgItemText(int id, std::string& text) const;
    /// The control's text read as a whole number (trimmed); translated tells whether it was one.
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    /// Checks checkId and clears every other button whose id lies from firstId to lastId.
    void CheckRadioButton(int firstId, int lastId, int checkId);
    /// The first checked button whose id lies from firstId to lastId; 0 when none is checked.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    /// The radio button after button in the template's order while it belongs to the same
    /// group (no WS_GROUP in between); null at the end of the group.
    CWnd* GetNextRadioInGroup(CWnd* button) const;

    /// Dialog units to pixels with the dialog's font.
    void MapDialogRect(RECT* rect) const;

protected:
    virtual BOOL OnInitDialog();
    /// Exchanges data, and ends the dialog with IDOK when the exchange succeeded.
    virtual void OnOK();
    virtual void OnCancel();
    /// A Help button (ID_HELP, or kHelpButton) that the dialog does not handle itself runs the
    /// main window's Help command: help belongs to the program, not to one dialog.
    virtual void OnHelp();
    /// Moves data between controls and members with the CDataExchange calls; the base does none.
    virtual void DoDataExchange(CDataExchange& dx);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    /// Makes the dialog's window from its template inside parent, hidden; a property sheet
    /// makes its pages so.
    BOOL CreateInside(CWnd* parent);
    /// Enter, Escape or F1 that no control took: presses the default or the Cancel button, or
    /// asks for the dialog's help.
    void PressKeyButton(UINT vk);
    /// Gives the focus to the first control with WS_TABSTOP that is shown and enabled.
    void SetInitialFocus();
    /// From now on the user cannot make the resizable dialog smaller than it is now; called
    /// from OnInitDialog, it keeps the size at opening.
    void KeepOpeningSizeAsMinimum();

private:
    /// Makes the window, its controls, and runs WM_INITDIALOG. inside: as a child of parent.
    BOOL CreateFromTemplate(CWnd* parent, bool inside);
    CWnd* FindDefaultButton() const;

    UINT m_templateId;
    CWnd* m_parent;
    CSize m_baseUnits;
    UINT m_defId = 0;
    /// The controls of the template, in its order.
    std::vector<std::unique_ptr<CWnd>> m_controls;
    std::unique_ptr<ui_detail::ModalRun> m_modal;
};
