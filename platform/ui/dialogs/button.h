// platform/ui/dialogs/button.h: the button control: push button, check box, three-state box, radio
// button and group box.
#pragma once

#include "platform/ui/windows/wnd.h"

// Button styles: the type in the low bits, then options.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000, BS_DEFPUSHBUTTON = 0x0001, BS_CHECKBOX = 0x0002,
                       BS_AUTOCHECKBOX = 0x0003, BS_RADIOBUTTON = 0x0004, BS_3STATE = 0x0005,
                       BS_AUTO3STATE = 0x0006, BS_GROUPBOX = 0x0007, BS_AUTORADIOBUTTON = 0x0009,
                       BS_OWNERDRAW = 0x000B, BS_TYPEMASK = 0x000F, BS_LEFTTEXT = 0x0020,
                       BS_PUSHLIKE = 0x1000;
// Check states.
inline constexpr int BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2;

/// A click notifies the parent with BN_CLICKED after the state has changed: an automatic box
/// toggles (a three-state one goes unchecked, checked, indeterminate), an automatic radio button
/// checks itself and clears the automatic radio buttons of its group; the other kinds leave
/// the state to the program. SetCheck never notifies. A group of radio buttons runs from a
/// control with WS_GROUP to the next one, in the order of the dialog template.
class CButton : public CWnd {
public:
    CButton();
    ~CButton() override;

    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCheck() const;
    void SetCheck(int check);
    /// The BS_ type and options the button was made with, BS_DEFPUSHBUTTON as SetButtonStyle left
    /// it.
    UINT GetButtonStyle() const;
    /// Switches a push button between BS_PUSHBUTTON and BS_DEFPUSHBUTTON; the default button is
    /// drawn with a heavier frame.
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);

private:
    /// What a click does to the state, before BN_CLICKED.
    void ClickState();
};
