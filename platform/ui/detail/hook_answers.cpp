// platform/ui/detail/hook_answers.cpp: the queues of answers for pickers, printer and font
// dialogs and pop-up menus.
#include "platform/ui/detail/hook_answers.h"

#include "platform/base/text.h"

#include <deque>
#include <utility>

namespace ui_detail::hooks {
namespace {

std::deque<FileAnswer> g_fileAnswers;
std::deque<std::string> g_folderAnswers;
std::deque<UINT> g_popupAnswers;
std::deque<PrintJobAnswer> g_printJobAnswers;
std::deque<PrintSetupAnswer> g_printSetupAnswers;
std::deque<std::optional<LOGFONT>> g_fontAnswers;
std::vector<std::string> g_popupItems;
CWnd* g_messageBoxOwner = nullptr;
int g_fontFailures = 0;

template <class T> std::optional<T> TakeFrom(std::deque<T>& queue, const char* what)
{
    if (queue.empty()) {
        ReportFailure(text::Format("%s was shown with no answer queued", what));
        return std::nullopt;
    }
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

} // namespace

void QueueFileAnswer(FileAnswer answer)
{
    g_fileAnswers.push_back(std::move(answer));
}

void QueueFolderAnswer(std::string path)
{
    g_folderAnswers.push_back(std::move(path));
}

void QueuePopupAnswer(UINT commandId)
{
    g_popupAnswers.push_back(commandId);
}

void QueuePrintJobAnswer(PrintJobAnswer answer)
{
    g_printJobAnswers.push_back(std::move(answer));
}

void QueuePrintSetupAnswer(PrintSetupAnswer answer)
{
    g_printSetupAnswers.push_back(answer);
}

void QueueFontAnswer(std::optional<LOGFONT> font)
{
    g_fontAnswers.push_back(font);
}

void FailFontCreations(int count)
{
    g_fontFailures = count;
}

bool TakeFontFailure()
{
    if (g_fontFailures <= 0)
        return false;
    --g_fontFailures;
    return true;
}

std::optional<PrintJobAnswer> TakePrintJobAnswer()
{
    return TakeFrom(g_printJobAnswers, "A print dialog");
}

std::optional<PrintSetupAnswer> TakePrintSetupAnswer()
{
    return TakeFrom(g_printSetupAnswers, "A print-setup dialog");
}

std::optional<std::optional<LOGFONT>> TakeFontAnswer()
{
    return TakeFrom(g_fontAnswers, "A font dialog");
}

std::optional<FileAnswer> TakeFileAnswer()
{
    return TakeFrom(g_fileAnswers, "A file picker");
}

std::optional<std::string> TakeFolderAnswer()
{
    return TakeFrom(g_folderAnswers, "A folder picker");
}

std::optional<UINT> TakePopupAnswer()
{
    return TakeFrom(g_popupAnswers, "A pop-up menu");
}

void SetMessageBoxOwner(CWnd* owner)
{
    g_messageBoxOwner = owner;
}

CWnd* MessageBoxOwner()
{
    return g_messageBoxOwner;
}

void SetPopupItems(std::vector<std::string> items)
{
    g_popupItems = std::move(items);
}

const std::vector<std::string>& PopupItems()
{
    return g_popupItems;
}

} // namespace ui_detail::hooks
