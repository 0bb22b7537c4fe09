// platform/ui/detail/dialog_drivers.cpp: the queues of dialog and sheet drivers.
#include "platform/ui/detail/dialog_drivers.h"

#include "platform/base/text.h"
#include "platform/ui/detail/hook_answers.h"

#include <deque>
#include <utility>

namespace ui_detail::hooks {
namespace {

struct QueuedDialog {
    UINT templateId;
    DialogDriver driver;
};

std::deque<QueuedDialog> g_dialogDrivers;
std::deque<SheetDriver> g_sheetDrivers;

} // namespace

void QueueDialogDriver(UINT templateId, DialogDriver driver)
{
    g_dialogDrivers.push_back({templateId, std::move(driver)});
}

void QueueSheetDriver(SheetDriver driver)
{
    g_sheetDrivers.push_back(std::move(driver));
}

DialogDriver TakeDialogDriver(UINT templateId)
{
    if (g_dialogDrivers.empty()) {
        ReportFailure(text::Format("Dialog %u was shown with no driver queued", templateId));
        return {};
    }
    QueuedDialog next = std::move(g_dialogDrivers.front());
    g_dialogDrivers.pop_front();
    if (next.templateId != 0 && next.templateId != templateId) {
        ReportFailure(text::Format("Dialog %u was shown while the next driver was for dialog %u",
                                   templateId, next.templateId));
        return {};
    }
    return std::move(next.driver);
}

SheetDriver TakeSheetDriver()
{
    if (g_sheetDrivers.empty()) {
        ReportFailure("A property sheet was shown with no driver queued");
        return {};
    }
    SheetDriver next = std::move(g_sheetDrivers.front());
    g_sheetDrivers.pop_front();
    return next;
}

} // namespace ui_detail::hooks
