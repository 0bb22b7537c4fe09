// platform/ui/detail/hook_answers.h: what the layer's modal pieces ask of the test hooks: the
// answers a test queued for pickers, printer and font dialogs and pop-up menus, the script that
// answers message boxes, and the failure report for a question nobody answered.
#pragma once

#include "platform/base/log_font.h"
#include "platform/base/prompt_script.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CFileDialog;
class CWnd;

namespace ui_detail::hooks {

/// The script that answers message boxes under the hooks; it stays the same after another
/// prompt is installed.
CPromptScript& Script();
/// Tells the running test that something went wrong (a question nobody answered, an answer the
/// question cannot take).
void ReportFailure(const std::string& failure);

/// How a test answers a print dialog: OK or Cancel, the PDF file, the pages (0, 0: all).
struct PrintJobAnswer {
    bool ok = false;
    std::string pdfPath;
    UINT fromPage = 0;
    UINT toPage = 0;
};
/// How a test answers a print-setup dialog: OK or Cancel, and the orientation (0: kept).
struct PrintSetupAnswer {
    bool ok = false;
    int orientation = 0;
};

/// The names, and what to do to the picker's panel first.
struct FileAnswer {
    std::vector<std::string> paths;
    std::function<void(CFileDialog&)> panelDriver;
};
void QueueFileAnswer(FileAnswer answer);
void QueueFolderAnswer(std::string path);
void QueuePopupAnswer(UINT commandId);
void QueuePrintJobAnswer(PrintJobAnswer answer);
void QueuePrintSetupAnswer(PrintSetupAnswer answer);
/// A font, or nothing for Cancel.
void QueueFontAnswer(std::optional<LOGFONT> font);
/// The next queued answer, or nothing (the failure is reported) when none is queued.
std::optional<FileAnswer> TakeFileAnswer();
std::optional<std::string> TakeFolderAnswer();
std::optional<UINT> TakePopupAnswer();
std::optional<PrintJobAnswer> TakePrintJobAnswer();
std::optional<PrintSetupAnswer> TakePrintSetupAnswer();
std::optional<std::optional<LOGFONT>> TakeFontAnswer();

/// The next count fonts made fail; TakeFontFailure answers whether this one does.
void FailFontCreations(int count);
bool TakeFontFailure();

/// The window the last message box stood over for the desktop (StandOverOwner), or null.
void SetMessageBoxOwner(CWnd* owner);
CWnd* MessageBoxOwner();

/// The items of the pop-up shown last, as PopupMenuItems gives them.
void SetPopupItems(std::vector<std::string> items);
const std::vector<std::string>& PopupItems();

} // namespace ui_detail::hooks
