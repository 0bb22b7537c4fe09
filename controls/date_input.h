// controls/date_input.h: the date input that a date value editor places over its placeholder,
// made by a factory that a library above installs (the real date data control with its
// assistant button); without one the editor keeps a plain edit.
#pragma once

#include "platform/ui/windows/wnd.h"

#include <memory>

class CDateValue;

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

/// Makes the input as a child of parent at rect with the id; null when it cannot be made.
using DateInputFactory = std::unique_ptr<IDateInput> (*)(CWnd& parent, const RECT& rect, UINT id);

void SetDateInputFactory(DateInputFactory factory);
DateInputFactory GetDateInputFactory();
