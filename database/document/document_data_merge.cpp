// database/document/document_data_merge.cpp: loading a second file for the merge dialog, running it
// and freeing the second data set.
#include "common/abort.h"
#include "database/document/document_data.h"

#include "database/document/document_windows.h"
#include "database/document/merge_dialog.h"
#include "database/nodes/change_tracking.h"
#include "platform/base/progress.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"

#include <memory>

namespace {

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

/// The progress bar of the second file's load, ended however the load ends.
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

/// Change tracking off for the life of a scope, then as it was.
class CTrackingOff final {
public:
    CTrackingOff() : m_wasOn(IsChangeTrackingOn()) { SetChangeTracking(false); }
    ~CTrackingOff() { SetChangeTracking(m_wasOn); }
    CTrackingOff(const CTrackingOff&) = delete;
    CTrackingOff& operator=(const CTrackingOff&) = delete;

private:
    bool m_wasOn;
};

DataSetRoots CurrentRoots()
{
    DataSetRoots roots{};
    for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
        roots[std::size_t(code)] = GetRecordTypeTable().RowByCode(code)->m_root;
    return roots;
}

/// Loads the second file under the wait cursor and the progress bar and hands the dialog both
/// data sets; false when the file could not be loaded.
bool LoadSecondFile(IMergeDialog& dialog, const std::string& path, IProgress* progress,
                    bool& otherLocation)
{
    const CWaitCursor wait;
    const CMergeLoadProgress bar(progress);
    if (!dialog.LoadSecondFile(path, progress, otherLocation))
        return false;
    dialog.SetFiles(path, CurrentRoots());
    return true;
}

} // namespace

bool CDocumentData::LoadFileForMerge(const std::string& path)
{
    if (!m_windows)
        return false;
    std::unique_ptr<IMergeDialog> dialog;
    bool loaded = false;
    bool merged = false;
    std::exception_ptr failure;
    try {
        dialog = m_windows->CreateMergeDialog();
        if (!dialog)
            return false;
        bool otherLocation = false;
        loaded = LoadSecondFile(*dialog, path, m_windows->GetProgress(), otherLocation);
        if (loaded && (!otherLocation || MessageBox(kUnupdatedLinksWarning, MB_OKCANCEL) == IDOK))
            merged = dialog->Run();
        if (merged) {
            Broadcast(kHintDataSetClearing);
            Broadcast(kHintFileLoaded);
            m_modified = true;
        }
    } catch (...) {
        failure = std::current_exception();
    }
    if (dialog) {
        const CTrackingOff trackingOff;
        dialog->FreeSecondDataSet(merged);
    }
    NotifyChanges();
    if (failure) {
        CauseOfAbandon(failure); // the message names memory already
        MessageBox(kMergeFailed, MB_OK);
        return false;
    }
    if (merged)
        dialog->ShowResults();
    return loaded;
}
