// platform/ui/dialogs/data_exchange.h: data exchange between a dialog's controls and its members,
// with the checks that refuse a value and keep the dialog open.
#pragma once

#include "platform/base/types.h"

#include <string>

class CDialog;
class CWnd;

/// One exchange, in one direction: m_bSaveAndValidate reads the controls into the members and
/// checks them; otherwise the members are shown in the controls. A failed check shows its
/// message, puts the focus in the control at fault and ends the exchange (UpdateData answers
/// FALSE). The calls name a control by id; a missing control is skipped. A text is set only when
/// it differs from the one shown, so showing unchanged members notifies nobody.
class CDataExchange {
public:
    /// What a failed check throws to end the exchange; UpdateData catches it.
    struct Failure {};

    CDataExchange(CDialog* dialog, BOOL saveAndValidate);

    /// An edit's (or any window's) text.
    void Text(int id, std::string& value);
    /// Whole numbers: a text that, trimmed, is not one fails with "Enter a whole number."; an
    /// unsigned one takes no minus sign.
    void Text(int id, int& value);
    void Text(int id, UINT& value);
    /// A number; a text that is none fails with "Enter a number.".
    void Text(int id, double& value);
    /// A check box's BST_ state.
    void Check(int id, BOOL& value);
    /// The index of the checked radio button of the group that begins at firstId, counting the
    /// group's radio buttons in template order; -1 when none is checked (and, when showing,
    /// every one is cleared).
    void Radio(int firstId, int& value);
    /// A combo box's selected index (-1: none).
    void ComboIndex(int id, int& value);
    /// A combo box's text: its edit's, or the selected item's in a drop-down list. Showing
    /// selects the first item that begins with the text, without regard to case; with an edit
    /// and no such item, the text goes into the edit.
    void ComboText(int id, std::string& value);
    /// When saving, the value last exchanged must lie from min to max, or the exchange fails
    /// with "Enter a whole number from %d to %d." and the focus goes to that control.
    void Range(int value, int min, int max);
    void Range(UINT value, UINT min, UINT max);

    /// Makes id the control that a failure puts the focus in, and returns it.
    CWnd* PrepareCtrl(int id);
    /// Ends the exchange as failed, with the focus in the prepared control (all of an edit's
    /// text selected). The caller has shown its message.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

private:
    /// Shows value in control id, or reads it back within low to high (failing with "Enter a
    /// whole number." otherwise); true when value was read.
    bool ExchangeWhole(int id, long& value, long low, long high);
    /// Shows the message with an exclamation icon, then fails.
    [[noreturn]] void FailWith(const std::string& message);

    int m_lastId = 0;
};
