// controls/digits_edit.h: an edit that takes only the digits 0 to 9, and hands Enter, Tab and
// Escape to a listener.
#pragma once

#include "platform/ui/dialogs/edit.h"

class CDigitsEdit;

class CDigitsEditListener {
public:
    virtual ~CDigitsEditListener() = default;
    /// Enter, Tab or Escape typed in the edit.
    virtual void OnEditChar(CDigitsEdit* edit, UINT character) = 0;
};

/// Digits and Backspace type; Enter, Tab and Escape go to the listener (to the edit when there
/// is none); every other character, punctuation included, is dropped.
class CDigitsEdit : public CEdit {
public:
    explicit CDigitsEdit(CDigitsEditListener* listener = nullptr) : m_listener(listener) {}

    /// Lets Ctrl+C, Ctrl+V, Ctrl+X and their Insert and Delete forms reach the clipboard.
    void SetClipboardKeys(bool on) { m_clipboardKeys = on; }
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;

private:
    CDigitsEditListener* m_listener;
    bool m_clipboardKeys = false;
};

/// The window class that dialog templates name for a digits edit.
inline constexpr const char* kDigitsEditClass = "Av_DigitsEdit";
/// Lets templates make digits edits of kDigitsEditClass; once is enough.
void RegisterDigitsEditClass();
