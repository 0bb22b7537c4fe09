// database/nodes/data_control_access.h: how a field node reads and writes the value shown in its
// data control without knowing any window: the window layer installs the implementation.
#pragma once

#include <string>
#include <string_view>

class CDataCtl;
class CDataNode;

/// The value side of a data control. The window layer implements it over the real controls (a
/// file or multi-line control through its inner edit, a drop-down through its selection); tests
/// install a recording fake. Every operation takes the control the node was shown in.
class IDataControlAccess {
public:
    virtual ~IDataControlAccess() = default;
    /// The text the control shows; false when it cannot be read.
    virtual bool GetText(CDataCtl& control, std::string& text) = 0;
    virtual void SetText(CDataCtl& control, std::string_view text) = 0;
    /// Selects the characters from start to end (-1: to the end of the text) of the control's
    /// edit and scrolls the caret into view; start = end = 0 puts the caret at the start.
    virtual void SelectText(CDataCtl& control, int start, int end) = 0;
    /// Clears the edit's modified flag.
    virtual void ClearModified(CDataCtl& control) = 0;
    /// Shows the control, paints it at once and gives it the focus.
    virtual void ShowAndFocus(CDataCtl& control) = 0;
    virtual void SetFocus(CDataCtl& control) = 0;
    /// The selected position of a drop-down list (-1 when nothing is selected); false when the
    /// control cannot tell.
    virtual bool GetCurSel(CDataCtl& control, int& position) = 0;
    /// Selects a position of the list; -1 clears the selection.
    virtual void SetCurSel(CDataCtl& control, int position) = 0;
    /// The number of items of the list.
    virtual int GetCount(CDataCtl& control) = 0;
    /// Tells the user, in an OK box, why the value edited in the control is refused.
    virtual void RefuseValue(CDataCtl& control, const std::string& message) = 0;
};

/// The installed access; null until the window layer (or a test) installs one. Without one a
/// node can neither show nor read a value, and UpdateFromControl answers false.
void SetDataControlAccess(IDataControlAccess* access);
IDataControlAccess* GetDataControlAccess();

/// Where the selection goes in a control just made for a node: all its text, the caret at the
/// start, or left as the control has it.
enum class ControlSelection { All, Start, Unchanged };

/// Loads node's value into a control just made for it, sets the selection and shows it with the
/// focus; answers the control. A null control, or no installed access, is answered as it is.
CDataCtl* PresentControl(CDataNode& node, CDataCtl* control, bool notify,
                         ControlSelection selection);
