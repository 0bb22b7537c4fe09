// app/shell/av_doc.cpp: the framework document over the document's data side.
#include "app/shell/av_doc.h"

#include "app/shell/autosave.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_app.h"

#include "common/sentence_text.h"
#include "database/document/merge_dialog.h"
#include "database/gedcom/buffered_file.h"
#include "database/gedcom/gedcom_line_reader.h"
#include "platform/base/flag_guard.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

#include <cstdio>

namespace {

/// What went wrong with the file, then why, as whole sentences: the system's reason ("No such
/// file or directory") gets the full stop it lacks.
std::string FileFailureText(const char* what, const std::string& path, std::string reason)
{
    EnsureFinalStop(reason);
    return what + path + ".  " + reason;
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

bool CAvDoc::LoadRecoveryCopy(const std::string& name)
{
    bool loaded = false;
    {
        const CFlagGuard loading(m_loadingRecoveryCopy);
        loaded = m_data.OpenDocument(RecoveryPathFor(name));
    }
    if (!loaded)
        TakePathAndTitle();
    return loaded;
}

BOOL CAvDoc::OpenUntitledRecoveryCopy()
{
    if (!LoadRecoveryCopy(UntitledRecoveryName()))
        return FALSE;
    m_data.ForgetPathName();
    m_data.SetModifiedFlag(true);
    m_changedSinceAutosave = false;
    m_fromUntitledCopy = true;
    RefreshMainFrameTitle();
    return TRUE;
}

void CAvDoc::ForgetUntitledCopy()
{
    if (m_fromUntitledCopy)
        RemoveRecoveryCopy(UntitledRecoveryName());
    m_fromUntitledCopy = false;
}

BOOL CAvDoc::OpenRecoveryCopy(const std::string& path)
{
    if (!LoadRecoveryCopy(path))
        return FALSE;
    m_data.SetPathName(path);
    m_data.SetModifiedFlag(true);
    m_changedSinceAutosave = false;
    TakePathAndTitle();
    RefreshMainFrameTitle();
    return TRUE;
}

BOOL CAvDoc::OnSaveDocument(const char* path)
{
    std::string error;
    if (!m_data.SaveDocument(path, error)) {
        MessageBox(FileFailureText("Error saving file ", path, error), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_changedSinceAutosave = false;
    if (!GetPathName().empty())
        RemoveRecoveryCopy(GetPathName());
    ForgetUntitledCopy();
    return TRUE;
}

void CAvDoc::DiscardChanges()
{
    if (IsModified() && !GetPathName().empty())
        RemoveRecoveryCopy(GetPathName());
    if (IsModified())
        ForgetUntitledCopy();
    SetModifiedFlag(FALSE);
}

CAvDoc::OpenCheck CAvDoc::CheckOpen(const std::string& path)
{
    if (HasNewerRecoveryCopy(path))
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
    if (!GetPathName().empty())
        return Autosave(false);
    return !IsModified() || WriteCopy(UntitledRecoveryName(), false);
}

bool CAvDoc::Autosave(bool askingAllowed)
{
    if (!m_changedSinceAutosave || !IsModified() || GetPathName().empty())
        return true;
    return WriteCopy(GetPathName(), askingAllowed);
}

bool CAvDoc::WriteCopy(const std::string& name, bool askingAllowed)
{
    std::string error;
    if (!WriteRecoveryCopy(name, error)) {
        const std::string message = FileFailureText("Unable to autosave file ", name, error);
        if (askingAllowed)
            MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        else
            std::fprintf(stderr, "%s\n", message.c_str());
        return false;
    }
    m_changedSinceAutosave = false;
    return true;
}

void CAvDoc::TakePathAndTitle()
{
    if (m_data.GetPathName().empty())
        ClearPathName();
    else
        CDocument::SetPathName(m_data.GetPathName(), FALSE);
    SetTitle(m_data.GetTitle());
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

namespace {

CAvDoc::MergeDialogMaker& MergeDialogMakerSlot()
{
    static CAvDoc::MergeDialogMaker maker;
    return maker;
}

} // namespace

void CAvDoc::SetMergeDialogMaker(MergeDialogMaker maker)
{
    MergeDialogMakerSlot() = std::move(maker);
}

std::unique_ptr<IMergeDialog> CAvDoc::CreateMergeDialog()
{
    const MergeDialogMaker& maker = MergeDialogMakerSlot();
    return maker ? maker() : nullptr;
}
