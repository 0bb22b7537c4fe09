// platform/ui/windows/cmd_ui.h: the state request an update handler answers for one menu item,
// toolbar button or status pane: enabled, checked, radio mark and text.
#pragma once

#include "platform/base/types.h"

#include <optional>
#include <string>

class CCmdTarget;

/// The base records what the handler set; menus, bars and panes derive to apply it as well.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    /// 0 clears the check, 1 checks, 2 shows the indeterminate state.
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(const std::string& text);

    /// Asks target's routing for the item's state. An item that no update handler answers is
    /// enabled when a command handler exists and, when disableIfNoHandler, disabled otherwise.
    /// True when an update handler answered.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    BOOL IsEnabled() const { return m_enabled; }
    int GetCheck() const { return m_check; }
    bool IsRadio() const { return m_radio; }
    /// The text a handler set, or nothing when none did.
    const std::optional<std::string>& GetText() const { return m_text; }

    UINT m_nID = 0;
    /// The item's position in its menu or bar.
    UINT m_nIndex = 0;

private:
    BOOL m_enabled = TRUE;
    int m_check = 0;
    bool m_radio = false;
    std::optional<std::string> m_text;
};
