// database/document/document_data.cpp: clearing, creating, opening and saving the document's file.
#include "database/document/document_data.h"

#include "database/document/document_windows.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/gedcom/gedcom_writer.h"
#include "database/multimedia/linked_file_location.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_model.h"
#include "database/nodes/data_observer.h"
#include "platform/base/wait_cursor.h"

namespace {

/// The records window's tabs: the first one, or the one it showed last.
constexpr int kFirstTab = 0;
constexpr int kLastTab = -1;

} // namespace

std::string TitleFromPath(const std::string& path)
{
    std::size_t start = path.find_last_of("\\/");
    if (start == std::string::npos)
        start = path.find_last_of(':');
    return start == std::string::npos ? path : path.substr(start + 1);
}

CDocumentData::CDocumentData(IDocumentWindows* windows) : m_windows(windows)
{
    ForgetPathName();
}

void CDocumentData::SetPathName(const std::string& path)
{
    m_pathName = path;
    m_title = TitleFromPath(path);
    SetLinkedFileFolder(path);
    if (m_windows)
        m_windows->AddToRecentFileList(path);
}

void CDocumentData::ForgetPathName()
{
    m_pathName.clear();
    m_title = "Untitled";
    SetLinkedFileFolder({});
}

void CDocumentData::Broadcast(ChangeHint hint) const
{
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, hint, nullptr, false);
}

void CDocumentData::DeleteContents()
{
    Broadcast(kHintDataSetClearing);
    DeleteAllRecords();
    Broadcast(kHintDataSetCleared);
    m_modified = false;
}

void CDocumentData::NewDocument()
{
    const CWaitCursor wait;
    DeleteContents();
    ForgetPathName();
    m_format = GedcomFileFormat();
    if (m_windows) {
        m_windows->RefreshMainFrameTitle();
        m_windows->ShowRecordsWindow(kLastTab);
    }
}

bool CDocumentData::OpenDocument(const std::string& path)
{
    const CWaitCursor wait;
    if (m_windows)
        m_windows->RepaintMainFrame();
    DeleteContents();
    // The file links checked while loading, and the pictures the windows show once the file is
    // loaded, are found beside the file being opened.
    SetLinkedFileFolder(path);
    bool linksChanged = false;
    if (!LoadGedcomFile(path, m_windows ? m_windows->GetProgress() : nullptr, &linksChanged)) {
        ForgetPathName();
        m_format = GedcomFileFormat();
        return false;
    }
    m_format = GetLoadedFileFormat();
    m_modified = linksChanged;
    Broadcast(kHintFileLoaded);
    SetPathName(path);
    if (m_windows) {
        m_windows->RefreshMainFrameTitle();
        m_windows->ShowRecordsWindow(kFirstTab);
    }
    return true;
}

bool CDocumentData::SaveDocument(const std::string& path, std::string& error)
{
    const CWaitCursor wait;
    GedcomFileFormat format = m_format;
    if (!SaveGedcomFile(path, format, error))
        return false;
    m_format = format;
    m_modified = false;
    return true;
}
