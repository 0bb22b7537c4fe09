// controls/find_bar_edit.h: the find bar's edit: an edit control that offers each key to a
// listener before it types.
#pragma once

#include "platform/ui/dialogs/edit.h"

class CFindBarEdit;

class CFindBarEditListener {
public:
    virtual ~CFindBarEditListener() = default;
    /// True when the listener took the key, which then does nothing in the edit.
    virtual bool OnEditKeyDown(CFindBarEdit* edit, UINT virtKey) { return false; }
};

class CFindBarEdit : public CEdit {
public:
    explicit CFindBarEdit(CFindBarEditListener* listener) : m_listener(listener) {}

protected:
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;

private:
    CFindBarEditListener* m_listener;
};
