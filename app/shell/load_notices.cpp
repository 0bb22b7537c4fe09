// app/shell/load_notices.cpp: the load's notices shown in message boxes, the report opened through
// the desktop.
#include "app/shell/load_notices.h"

#include "database/gedcom/gedcom_loader.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"

namespace {

class CLoadNoticeBoxes final : public ILoadNotices {
public:
    void Tell(const LoadNotice& notice) override
    {
        if (!notice.question.empty()) {
            if (MessageBox(notice.question, MB_YESNO) != IDYES)
                return;
        } else {
            MessageBox(notice.message, MB_OK);
        }
        if (!notice.report.empty())
            OpenReport(notice.report);
    }

private:
    /// Opens the report with the desktop's handler of text files, and says so when none opens
    /// it.
    static void OpenReport(const std::string& path)
    {
        if (ShellOpen(path) <= 32)
            MessageBox(text::Format("Unable to open the exception report %s.  It is a text file: "
                                    "open it with a text editor.",
                                    path),
                       MB_ICONEXCLAMATION);
    }
};

} // namespace

void InstallLoadNotices()
{
    static CLoadNoticeBoxes boxes;
    SetLoadNotices(&boxes);
}

void UninstallLoadNotices()
{
    SetLoadNotices(nullptr);
}
