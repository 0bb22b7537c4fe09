// controls/edit_utils.cpp: clipboard keys and the case-blind list search.
#include "controls/edit_utils.h"

#include "platform/base/text.h"

bool TranslateClipboardKeys(CEdit& edit, bool clipboardKeys, const MSG& msg)
{
    if (!clipboardKeys || msg.message != WM_KEYDOWN)
        return false;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const UINT key = UINT(msg.wParam);
    if (control && (key == 'C' || key == VK_INSERT)) {
        edit.Copy();
        return true;
    }
    if ((control && key == 'V') || (shift && key == VK_INSERT)) {
        edit.Paste();
        return true;
    }
    if ((control && key == 'X') || (shift && key == VK_DELETE)) {
        edit.Cut();
        return true;
    }
    return false;
}

const std::string* FindStringNoCase(const std::vector<std::string>& list, std::string_view text)
{
    if (text.empty())
        return nullptr;
    for (const std::string& entry : list) {
        if (text::EqualsNoCase(entry, text))
            return &entry;
    }
    return nullptr;
}
