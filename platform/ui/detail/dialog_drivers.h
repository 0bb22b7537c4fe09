// platform/ui/detail/dialog_drivers.h: the drivers tests queue for the next modal dialogs and
// property sheets.
#pragma once

#include "platform/base/types.h"

#include <functional>

class CDialog;
class CPropertySheet;

namespace ui_detail::hooks {

using DialogDriver = std::function<void(CDialog&)>;
using SheetDriver = std::function<void(CPropertySheet&)>;

/// templateId 0 drives whichever dialog comes next.
void QueueDialogDriver(UINT templateId, DialogDriver driver);
void QueueSheetDriver(SheetDriver driver);
/// The next driver, taken from the queue; empty, with the failure reported, when none is queued
/// or the next one is for another template.
DialogDriver TakeDialogDriver(UINT templateId);
SheetDriver TakeSheetDriver();

} // namespace ui_detail::hooks
