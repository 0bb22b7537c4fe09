// platform/ui/detail/hook_answers.h: what the layer's modal pieces ask of the test hooks: the
// answers a test queued for pickers and pop-up menus, the script that answers message boxes,
// and the failure report for a question nobody answered.
#pragma once

#include "platform/base/prompt_script.h"

#include <optional>
#include <string>
#include <vector>

namespace ui_detail::hooks {

/// The script that answers message boxes under the hooks; it stays the same after another
/// prompt is installed.
CPromptScript& Script();
/// Tells the running test that something went wrong (a question nobody answered, an answer the
/// question cannot take).
void ReportFailure(const std::string& failure);

void QueueFileAnswer(std::vector<std::string> paths);
void QueueFolderAnswer(std::string path);
void QueuePopupAnswer(UINT commandId);
/// The next queued answer, or nothing (the failure is reported) when none is queued.
std::optional<std::vector<std::string>> TakeFileAnswer();
std::optional<std::string> TakeFolderAnswer();
std::optional<UINT> TakePopupAnswer();

/// The items of the pop-up shown last, as PopupMenuItems gives them.
void SetPopupItems(std::vector<std::string> items);
const std::vector<std::string>& PopupItems();

} // namespace ui_detail::hooks
