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

#include <cstdint>
#include <filesystem>
#include <system_error>

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

void CDocumentData::TakeMergedFile()
{
    Broadcast(kHintDataSetClearing);
    Broadcast(kHintFileLoaded);
    m_modified = true;
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
    SetLoadedIdentity(std::nullopt);
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
    // Taken before the load, so that a change made while it reads counts as one; the digest is
    // worked out beside the load, on another processor.
    TakeIdentity(path);
    bool linksChanged = false;
    if (!LoadGedcomFile(path, m_windows ? m_windows->GetProgress() : nullptr, &linksChanged)) {
        ForgetPathName();
        m_format = GedcomFileFormat();
        SetLoadedIdentity(std::nullopt);
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
    TakeIdentity(path);
    return true;
}

void CDocumentData::TakeIdentity(const std::string& path)
{
    SettleIdentity();
    // A small file's digest costs little; a large one's is worked out on another processor,
    // beside the load or after the save.
    constexpr std::int64_t kDigestAtOnce = 8 << 20;
    const FileIdentity identity = FileIdentity::StatOf(path);
    m_identity = identity.exists ? std::optional(identity) : std::nullopt;
    if (!m_identity)
        return;
    const auto digest = [path, identity]() -> std::optional<std::uint64_t> {
        const std::optional<std::uint64_t> value = FileIdentity::DigestOf(path);
        // A file written while it was read has no digest of this version.
        return value && identity.SameStat(FileIdentity::StatOf(path)) ? value : std::nullopt;
    };
    m_digest =
        std::async(identity.size <= kDigestAtOnce ? std::launch::deferred
                                                  : std::launch::async | std::launch::deferred,
                   digest);
    if (identity.size <= kDigestAtOnce)
        SettleIdentity();
}

void CDocumentData::SettleIdentity() const
{
    if (!m_digest.valid())
        return;
    const std::optional<std::uint64_t> digest = m_digest.get();
    if (m_identity && digest) {
        m_identity->digest = *digest;
        m_identity->hasDigest = true;
    }
}

const std::optional<FileIdentity>& CDocumentData::GetLoadedIdentity() const
{
    SettleIdentity();
    return m_identity;
}

void CDocumentData::SetLoadedIdentity(const std::optional<FileIdentity>& identity)
{
    SettleIdentity();
    m_identity = identity;
}

bool CDocumentData::IsChangedOnDisk() const
{
    // A file that is gone is overwritten by nothing.
    std::error_code missing;
    const std::optional<FileIdentity>& identity = GetLoadedIdentity();
    return !m_pathName.empty() && identity && std::filesystem::exists(m_pathName, missing) &&
           !identity->Matches(m_pathName);
}
