// controls/value_inputs.h: the inputs that the date and record value editors place over their
// placeholder, each kind made by a factory that a library above installs (the date data control
// with its assistant button, the drop-down record chooser); without one the editor keeps a plain
// control of its own.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>

class CDataNode;
class CDataPath;
class CDateValue;
class CRecordNode;

/// Makes an input as a child of parent at rect with the id; null when it cannot be made.
template <class Input>
using InputFactory = std::unique_ptr<Input> (*)(CWnd& parent, const RECT& rect, UINT id);

/// The factory installed for a kind of input: null until one is installed, and again after.
template <class Input> InputFactory<Input>& InstalledInputFactory()
{
    static InputFactory<Input> factory = nullptr;
    return factory;
}

/// One date typed in any form the date grammar reads. In this use ranges, periods and phrases
/// are no dates: text that is not one date stays as typed.
class IDateInput {
public:
    virtual ~IDateInput() = default;
    /// The input's window (a child of the editor).
    virtual CWnd& GetInputWnd() = 0;
    /// Shows the date, or nothing for null.
    virtual void SetDateValue(const CDateValue* value) = 0;
    virtual bool IsInputEmpty() = 0;
    /// Reads the input; when it is a date, shows it again in standard form. True, with the
    /// first date value in single (when given), when it is one date.
    virtual bool ReformatDate(CDateValue* single) = 0;
};

/// One record chosen from the records of one type.
class IRecordInput {
public:
    virtual ~IRecordInput() = default;
    virtual CWnd& GetInputWnd() = 0;
    /// Offers the records under root (a record type's root node) in a list rows tall, with
    /// current (may be null) chosen; path names the record type.
    virtual void SetRecordChoice(const CDataPath& path, CDataNode* root, int rows,
                                 CRecordNode* current) = 0;
    /// The record chosen; null when none is.
    virtual CRecordNode* GetChosenRecord() = 0;
};
