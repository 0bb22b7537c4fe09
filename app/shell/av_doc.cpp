// app/shell/av_doc.cpp: the framework document over the document's data side.
#include "app/shell/av_doc.h"

#include "app/shell/autosave.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_app.h"

#include "common/sentence_text.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "platform/base/flag_guard.h"
#include "platform/base/paths.h"
#include "platform/base/prompt.h"
#include "platform/ui/frames/doc_template.h"
#include "platform/ui/windows/app.h"

#include <cstdio>
#include <filesystem>
#include <utility>

namespace {

/// What went wrong with the file, then why, as whole sentences: the system's reason ("No such
/// file or directory") gets the full stop it lacks.
std::string FileFailureText(const char* what, const std::string& path, std::string reason)
{
    EnsureFinalStop(reason);
    return what + path + ".  " + reason;
}

/// The name proposed for saving path under another name: path with " (2)" before its
/// extension, or the first higher number that names no file.
std::string OtherNameFor(const std::string& path)
{
    const std::filesystem::path file(path);
    const std::string start = (file.parent_path() / file.stem()).string() + " (";
    for (int number = 2;; ++number) {
        std::string name = start + std::to_string(number) + ")" + file.extension().string();
        if (!paths::Exists(name))
            return name;
    }
}

} // namespace

CAvDoc::CAvDoc() : m_data(this) {}

CAvDoc::~CAvDoc()
{
    if (IShellApp* app = GetShellApp())
        app->ForgetDocument(this);
}

const CRuntimeClass* CAvDoc::GetRuntimeClass() const
{
    return RuntimeClassOf<CAvDoc>();
}

BOOL CAvDoc::IsModified()
{
    return m_data.IsModified();
}

void CAvDoc::SetModifiedFlag(BOOL modified)
{
    m_data.SetModifiedFlag(modified != FALSE);
    if (modified)
        m_changedSinceAutosave = true;
}

void CAvDoc::DeleteContents()
{
    m_data.DeleteContents();
    m_changedSinceAutosave = false;
    ForgetAutosaveFailure();
}

BOOL CAvDoc::OnNewDocument()
{
    m_data.NewDocument();
    m_changedSinceAutosave = false;
    TakePathAndTitle();
    return TRUE;
}

BOOL CAvDoc::OnOpenDocument(const char* path)
{
    const bool loaded = m_data.OpenDocument(path);
    m_changedSinceAutosave = false;
    TakePathAndTitle();
    return loaded;
}

void CAvDoc::SetPathName(const std::string& path, BOOL /*addToRecentList*/)
{
    m_data.SetPathName(path);
    RefreshMainFrameTitle();
}

bool CAvDoc::LoadRecoveryCopy(const std::string& copy)
{
    bool loaded = false;
    {
        const CFlagGuard loading(m_loadingRecoveryCopy);
        loaded = m_data.OpenDocument(copy);
    }
    if (!loaded)
        TakePathAndTitle();
    return loaded;
}

BOOL CAvDoc::OpenUntitledRecoveryCopy(const RecoveryCopy& copy)
{
    if (!LoadRecoveryCopy(copy.copy))
        return FALSE;
    m_data.ForgetPathName();
    m_data.SetLoadedIdentity(std::nullopt);
    m_data.SetModifiedFlag(true);
    m_changedSinceAutosave = false;
    m_recoveredCopy = copy.copy;
    // The copy is this run's now: its mark replaces the one the run that wrote it left.
    m_untitledMark.Take(UntitledRecoveryName());
    RefreshMainFrameTitle();
    return TRUE;
}

void CAvDoc::RemoveOwnCopies()
{
    if (!m_writtenCopy.empty())
        RemoveRecoveryCopyFile(m_writtenCopy);
    if (!m_recoveredCopy.empty())
        RemoveRecoveryCopyFile(m_recoveredCopy);
    m_writtenCopy.clear();
    m_recoveredCopy.clear();
}

BOOL CAvDoc::OpenRecoveryCopy(const std::string& path, const RecoveryCopy& copy)
{
    if (!LoadRecoveryCopy(copy.copy))
        return FALSE;
    m_data.SetPathName(path);
    // A copy that records nothing of its source was made from the file as it is now.
    std::optional<FileIdentity> source = copy.source;
    if (!source)
        source = FileIdentity::Of(path);
    m_data.SetLoadedIdentity(source);
    m_data.SetModifiedFlag(true);
    m_changedSinceAutosave = false;
    m_recoveredCopy = copy.copy;
    TakePathAndTitle();
    RefreshMainFrameTitle();
    return TRUE;
}

std::string CAvDoc::ChangedOnDiskQuestion(const std::string& path)
{
    return path + " has been changed by another program since it was opened.  Do you want to "
                  "save your version over it?\n\nIf you answer No, you can save your version "
                  "under another name and the file stays as the other program left it.";
}

BOOL CAvDoc::DoSave(const char* path, BOOL replace)
{
    if (path && *path && GetPathName() == path && m_data.IsChangedOnDisk()) {
        switch (MessageBox(ChangedOnDiskQuestion(path), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            break;
        case IDNO:
            return SaveUnderOtherName(path, replace);
        default:
            return FALSE;
        }
    }
    return CDocument::DoSave(path, replace);
}

BOOL CAvDoc::SaveUnderOtherName(const std::string& path, BOOL replace)
{
    std::string target = OtherNameFor(path);
    CDocTemplate* docTemplate = GetDocTemplate();
    if (!docTemplate || !docTemplate->DoPromptFileName(this, target))
        return FALSE;
    return CDocument::DoSave(target.c_str(), replace);
}

BOOL CAvDoc::OnSaveDocument(const char* path)
{
    std::string error;
    if (!m_data.SaveDocument(path, error)) {
        MessageBox(FileFailureText("Error saving file ", path, error), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_changedSinceAutosave = false;
    RemoveOwnCopies();
    return TRUE;
}

void CAvDoc::DiscardChanges()
{
    if (IsModified())
        RemoveOwnCopies();
    SetModifiedFlag(FALSE);
}

CAvDoc::OpenCheck CAvDoc::CheckOpen(const std::string& path)
{
    if (FindRecoveryCopy(path))
        return OpenCheck::Opens;
    if (!OpenGedcomInput(path, false, false))
        return GetGedcomFileLastError() != 0 ? OpenCheck::Unreadable : OpenCheck::NotGedcom;
    GedcomLine line;
    int lineCounter = 0;
    const bool gedcom = ReadGedcomLine(line, lineCounter) == kGedcomLineReady && line.level == 0;
    CloseGedcomInput();
    return gedcom ? OpenCheck::Opens : OpenCheck::NotGedcom;
}

bool CAvDoc::KeepEditsAtSessionEnd()
{
    return Autosave(false);
}

bool CAvDoc::Autosave(bool askingAllowed)
{
    if (!m_changedSinceAutosave || !IsModified())
        return true;
    return WriteCopy(GetPathName().empty() ? UntitledRecoveryName() : GetPathName(), askingAllowed);
}

bool CAvDoc::WriteCopy(const std::string& name, bool askingAllowed)
{
    const bool untitled = GetPathName().empty();
    if (untitled)
        paths::MakeDirectories(paths::Folder(name), 0700);
    COpenFileLock& mark = untitled ? m_untitledMark : m_mark;
    const std::string copy =
        mark.Take(name) ? RecoveryPathFor(name) : OtherRunRecoveryPathFor(name);
    std::string error;
    if (!WriteRecoveryCopy(copy, m_data.GetFormat(), m_data.GetLoadedIdentity(), error)) {
        const std::string message = FileFailureText("Unable to autosave file ", name, error);
        if (!askingAllowed) {
            std::fprintf(stderr, "%s\n", message.c_str());
            return false;
        }
        if (!std::exchange(m_autosaveFailureTold, true))
            MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        ShowAutosaveFailure(message);
        return false;
    }
    ForgetAutosaveFailure();
    // A copy written under another name before (the file was saved under a new one) goes.
    if (!m_writtenCopy.empty() && m_writtenCopy != copy && m_writtenCopy != m_recoveredCopy)
        RemoveRecoveryCopyFile(m_writtenCopy);
    m_writtenCopy = copy;
    m_changedSinceAutosave = false;
    return true;
}

void CAvDoc::ShowAutosaveFailure(const std::string& message)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->SetIdleMessage(message);
}

void CAvDoc::ForgetAutosaveFailure()
{
    if (std::exchange(m_autosaveFailureTold, false))
        ShowAutosaveFailure({});
}

void CAvDoc::FollowOpenMark()
{
    const std::string& path = m_data.GetPathName();
    if (path.empty()) {
        m_mark.Release();
        return;
    }
    m_untitledMark.Release();
    if (m_mark.HeldPath() != path)
        m_mark.Take(path);
}

void CAvDoc::TakePathAndTitle()
{
    if (m_data.GetPathName().empty())
        ClearPathName();
    else
        CDocument::SetPathName(m_data.GetPathName(), FALSE);
    SetTitle(m_data.GetTitle());
    // A copy being loaded is not the file the document will name.
    if (!m_loadingRecoveryCopy)
        FollowOpenMark();
}

void CAvDoc::RepaintMainFrame()
{
    if (CWnd* frame = AfxGetMainWnd())
        frame->UpdateWindow();
}

void CAvDoc::AddToRecentFileList(const std::string& path)
{
    if (CWinApp* app = AfxGetApp(); app && !m_loadingRecoveryCopy)
        app->AddToRecentFileList(path.c_str());
}

void CAvDoc::RefreshMainFrameTitle()
{
    TakePathAndTitle();
    if (auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        frame->OnUpdateFrameTitle(TRUE);
}

void CAvDoc::ShowRecordsWindow(int tab)
{
    if (IShellApp* app = GetShellApp())
        app->ShowRecordsWindow(tab);
}

IProgress* CAvDoc::GetProgress()
{
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}
