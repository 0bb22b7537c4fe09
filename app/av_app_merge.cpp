// app/av_app_merge.cpp: the application object's part in merging: the Merge/Compare command, which
// merges another file into the open one, or compares the two, and conducts the whole of it.
#include "app/av_app.h"

#include "app/shell/av_doc.h"
#include "app/shell/main_frame.h"
#include "merge/merge_session.h"
#include "merge/window/mrg_dlg.h"
#include "merge/window/mrg_results_dlg.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/abandon.h"
#include "platform/base/progress.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/windows/cmd_ui.h"

#include <array>
#include <exception>

namespace {

constexpr UINT ID_MERGE_COMPARE = 32851;

constexpr const char* kUnupdatedLinksWarning =
    "The file you have selected to merge/compare with the current file contains multimedia, "
    "and has not been saved since it was moved or copied from its previous location.  When a "
    "file is moved or copied, any links it contains to external multimedia files are "
    "automatically updated (where appropriate) when the file is first opened and saved in its "
    "new location.  If Ardenvel compares this file now, before these links have been updated, "
    "it may fail to match multimedia (e.g. pictures) that should be matched.  If you do not "
    "care about this, you should press 'OK' to proceed with the merge/compare.  If you wish to "
    "be sure that multimedia are matched correctly, press 'Cancel' now and open and save the "
    "file, before repeating the merge/compare.";
constexpr const char* kMergeFailed =
    "An error has occurred.  This may be due to insufficient memory.";

/// The progress bar of the second file's load and compare, ended however they end.
class CMergeLoadProgress final {
public:
    explicit CMergeLoadProgress(IProgress* progress) : m_progress(progress)
    {
        if (m_progress)
            m_progress->BeginProgress(0, "Loading file...");
    }
    ~CMergeLoadProgress()
    {
        if (m_progress)
            m_progress->EndProgress();
    }
    CMergeLoadProgress(const CMergeLoadProgress&) = delete;
    CMergeLoadProgress& operator=(const CMergeLoadProgress&) = delete;

private:
    IProgress* m_progress;
};

/// Loads the second file and compares it with the open one, under the wait cursor and the
/// progress bar.
SecondFileLoad LoadAndCompare(CMergeSession& session, const std::string& path, IProgress* progress)
{
    const CWaitCursor wait;
    const CMergeLoadProgress bar(progress);
    const SecondFileLoad load = session.Load(path, progress);
    if (load != SecondFileLoad::NotRead)
        session.Compare(path, progress);
    return load;
}

/// Merges the file at path into the open one, or compares the two: the file is loaded and
/// compared, the user is warned when its links to external files were never updated, the Merge
/// File dialog shows the comparison (its OK merges), the second file is freed, whatever
/// happened, and the results are shown. A failure is told once the second file is freed.
void MergeOrCompare(CAvDoc& document, const std::string& path)
{
    CWnd* parent = AfxGetMainWnd();
    CMergeSession session;
    bool merged = false;
    std::array<MergeCounts, RECORD_TYPE_COUNT> counts{};
    std::exception_ptr failure;
    try {
        const SecondFileLoad load =
            LoadAndCompare(session, path, dynamic_cast<CMainFrame*>(parent));
        const bool shown = load == SecondFileLoad::Read ||
                           (load == SecondFileLoad::ReadLinksNotUpdated &&
                            MessageBox(kUnupdatedLinksWarning, MB_OKCANCEL) == IDOK);
        if (CMergeEngine* engine = shown ? session.GetEngine() : nullptr) {
            CMrgDlg dialog(*engine, parent);
            merged = dialog.DoModal() == IDOK;
            if (merged)
                counts = engine->Counts();
        }
        if (merged)
            document.TakeMergedFile();
    } catch (...) {
        failure = std::current_exception();
    }
    session.Free();
    NotifyChanges();
    if (failure) {
        CauseOfAbandon(failure); // the message names memory already
        MessageBox(kMergeFailed, MB_OK);
        return;
    }
    if (merged)
        CMrgResultsDlg(counts, parent).DoModal();
}

} // namespace

void CAvApp::MapMergeCommands()
{
    MapCommand(ID_MERGE_COMPARE, [this] {
        if (!m_document || !m_template)
            return;
        std::string filterName;
        std::string extension;
        m_template->GetDocString(filterName, CDocTemplate::filterName);
        m_template->GetDocString(extension, CDocTemplate::filterExt);
        const std::string filter = filterName + "|*" + extension + "|All Files (*.*)|*.*||";
        CFileDialog dialog(TRUE, extension.substr(extension.starts_with('.') ? 1 : 0).c_str(),
                           nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter.c_str(),
                           m_pMainWnd);
        dialog.SetTitle("Merge/Compare");
        if (dialog.DoModal() == IDOK)
            MergeOrCompare(*m_document, dialog.GetPathName());
    });
    // There is nothing to merge into while the data set holds only its header.
    MapUpdate(ID_MERGE_COMPARE, [](CCmdUI* state) { state->Enable(!HasOnlyHeader()); });
}
