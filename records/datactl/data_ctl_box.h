// records/datactl/data_ctl_box.h: the data controls that are a container window holding an
// inner edit and small bitmap buttons at its right.
#pragma once

#include "controls/u_button.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/edit.h"
#include "records/datactl/data_ctl.h"

// The button images.
inline constexpr UINT kDataCtlMoreBitmap = 154;       // "..." (10 x 10 frames)
inline constexpr UINT kDataCtlClearBitmap = 214;      // a cross (10 x 10 frames)
inline constexpr UINT kDataCtlMoreNarrowBitmap = 325; // dots for the compact form (4 x 10)
/// The width of a side button; the compact form's is half of it.
inline constexpr int kDataCtlButtonWidth = 16;

/// The container passes the focus it is given to its edit, with the whole text selected; the
/// edit's focus gain and loss are reported to the owner unless a dialog of the control is open.
/// While read-only with a read-only brush set, the edit paints on that brush.
/// The container's own window text names its class ("AV_DataCtlDate"). Inside, from the left:
/// the edit, then the buttons, each as wide as the button width.
class CDataCtlBox : public TDataCtlWnd<CWnd>, protected CUButtonListener {
public:
    struct ButtonSpec {
        UINT idOffset = 0;
        UINT bitmap = 0;
        int frameWidth = 10;
    };
    /// What a control class makes: the container with its class text and style (WS_BORDER
    /// frames the edit), the edit (editStyle added to child, visible, clip siblings) at
    /// id + editIdOffset, and up to two buttons of buttonWidth pixels.
    struct BoxSpec {
        const char* className = "";
        DWORD containerStyle = 0;
        UINT editIdOffset = 0;
        DWORD editStyle = 0;
        int buttonCount = 0;
        ButtonSpec buttons[2];
        int buttonWidth = kDataCtlButtonWidth;
    };

    BOOL IsReadOnly() const override { return m_readOnly; }
    BOOL IsEmpty() const override;
    /// The clipboard keys act on the edit, as they would without the container.
    void Cut() override { m_edit.Cut(); }
    void Copy() override { m_edit.Copy(); }
    void Paste() override { m_edit.Paste(); }

    bool GetValueText(std::string& text) override;
    void SetValueText(std::string_view text) override;
    void SelectValueText(int start, int end) override;
    void ClearModified() override;

    CEdit& GetEdit() { return m_edit; }
    /// The button (0 the first), or null.
    CUButton* GetButton(int index);

protected:
    /// Makes the windows of spec and binds the control (CDataCtl::CreateCtl); FALSE, with no
    /// window left, when a window cannot be made.
    BOOL CreateBox(const BoxSpec& spec, BOOL held, const RECT& rect, CWnd* parent, CDataNode* node,
                   UINT id, IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags);
    /// Places the edit and the buttons in the client area.
    void LayOut();
    void SetEditReadOnly(BOOL readOnly);
    /// The edit read-only, and the first button disabled while it is.
    void SetEditAndButtonReadOnly(BOOL readOnly);
    /// While a dialog of the control is open (RunDialog) nothing is reported to the owner.
    bool IsDialogOpen() const { return m_dialogOpen; }
    /// Runs a dialog of the control (its DoModal); true when it was closed with OK and the
    /// control is not going away.
    template <class Dialog> bool RunDialog(Dialog& dialog)
    {
        int answer = IDCANCEL;
        {
            const CFlagGuard open(m_dialogOpen);
            answer = dialog.DoModal();
        }
        return answer == IDOK && !IsDestroying();
    }
    /// After a dialog closed with OK: the edit marked modified when the dialog changed its text,
    /// given the focus, and the value stored.
    void CommitDialogValue(bool changed);
    /// The edit lost the focus to next: the base reports it to the owner.
    virtual void OnEditKillFocus(CWnd* next);
    /// A button was clicked (0 the first).
    virtual void OnButton(int /*index*/) {}

    bool OwnFocusReports() const override { return false; }
    void OnSetFocus(CWnd* oldWnd) override;
    void OnSize(UINT type, int cx, int cy) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnButtonClicked(CUButton* button) override;

    CEdit m_edit;
    CUButton m_buttons[2];

private:
    int m_buttonCount = 0;
    int m_buttonWidth = kDataCtlButtonWidth;
    bool m_readOnly = false;
    bool m_dialogOpen = false;
};
