// controls/digits_edit.cpp: the digits filter and the clipboard keys.
#include "controls/digits_edit.h"

#include "controls/edit_utils.h"
#include "platform/ui/dialogs/control_factory.h"

#include <memory>

BOOL CDigitsEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == this && TranslateClipboardKeys(*this, m_clipboardKeys, *msg))
        return TRUE;
    return CEdit::PreTranslateMessage(msg);
}

void CDigitsEdit::OnChar(UINT character, UINT /*repeatCount*/, UINT /*flags*/)
{
    const bool passesOn = character == VK_RETURN || character == VK_TAB || character == VK_ESCAPE;
    if (passesOn && m_listener) {
        m_listener->OnEditChar(this, character);
        return;
    }
    if (passesOn || (character >= '0' && character <= '9') || character == VK_BACK)
        Default();
}

void RegisterDigitsEditClass()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterControlClass(
        kDigitsEditClass,
        [](const DialogItemTemplate& item, const CRect& rect,
           CWnd& parent) -> std::unique_ptr<CWnd> {
            auto edit = std::make_unique<CDigitsEdit>();
            if (!edit->Create(item.style | WS_BORDER, rect, &parent, UINT(item.id)))
                return nullptr;
            return edit;
        });
}
