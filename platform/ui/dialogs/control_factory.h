// platform/ui/dialogs/control_factory.h: makes the controls of a dialog template: the built-in
// window classes and the classes the program registers.
#pragma once

#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/windows/wnd.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

/// Makes the window of a registered class for one template item: a new window object, created
/// as a child of parent at rect (pixels) with the item's text, style and id; null when it could
/// not be created.
using ControlMaker = std::function<std::unique_ptr<CWnd>(const DialogItemTemplate& item,
                                                         const CRect& rect, CWnd& parent)>;

/// Lets templates name a class of the program's own. Names compare without regard to case; a
/// second registration of a name replaces the first.
void RegisterControlClass(const std::string& className, ControlMaker maker);

/// Makes the control of one item at rect (pixels) as a child of parent: a CButton, CEdit,
/// CStatic, CListBox, CScrollBar, CComboBox, CListCtrl (SysListView32), CTabCtrl
/// (SysTabControl32), CSpinButtonCtrl (msctls_updown32), CProgressCtrl (msctls_progress32) or
/// CRichEditCtrl (RichEdit), else the registered class. Null for an unknown class or a failed
/// creation. An edit, list box or list control with WS_EX_CLIENTEDGE gets a border.
std::unique_ptr<CWnd> CreateControl(const DialogItemTemplate& item, const CRect& rect,
                                    CWnd& parent);

/// Makes every control of the template as a child of parent, in template order (which is the
/// Tab order), each at its rectangle converted with baseUnits. Then links what that order
/// decides: radio buttons form a group from a control with WS_GROUP up to the next one; a
/// label's "&" key moves the focus to the next control with WS_TABSTOP after it; an up-down
/// control with UDS_AUTOBUDDY takes the control made just before it as its buddy. Stops at the
/// first control that cannot be made and returns false; the ones made so far stay in controls.
bool CreateControls(const CDialogTemplate& dialog, const CSize& baseUnits, CWnd& parent,
                    std::vector<std::unique_ptr<CWnd>>& controls);
