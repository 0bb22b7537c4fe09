// controls/find_bar_edit.h: the find bar's edit: an edit control that offers each key to a
// listener before it types, hands it Enter, Tab and Escape outside dialogs, and tells it of
// focus changes.
#pragma once

#include "platform/ui/dialogs/edit.h"

class CFindBarEdit;

class CFindBarEditListener {
public:
    virtual ~CFindBarEditListener() = default;
    /// True when the listener took the key, which then does nothing in the edit.
    virtual bool OnEditKeyDown(CFindBarEdit* /*edit*/, UINT /*virtKey*/) { return false; }
    /// Enter, Tab or Escape typed in the edit, which does not type them.
    virtual void OnEditChar(CFindBarEdit* /*edit*/, UINT /*character*/) {}
    virtual void OnEditSetFocus(CFindBarEdit* /*edit*/) {}
    virtual void OnEditKillFocus(CFindBarEdit* /*edit*/) {}
};

class CFindBarEdit : public CEdit {
public:
    explicit CFindBarEdit(CFindBarEditListener* listener) : m_listener(listener) {}

    /// Lets Ctrl+C, Ctrl+V, Ctrl+X and their Insert and Delete forms reach the clipboard.
    void SetClipboardKeys(bool on) { m_clipboardKeys = on; }
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    /// Inside a dialog, arrows and characters are the edit's; Tab, Enter and Escape the
    /// dialog's.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    CFindBarEditListener* m_listener;
    bool m_clipboardKeys = false;
};
