// merge/window/merge_dialog_runner.cpp: the merge dialog's steps as the document runs them.
#include "merge/window/merge_dialog_runner.h"

#include "merge/window/mrg_dlg.h"
#include "merge/window/mrg_results_dlg.h"

#include "app/shell/av_doc.h"
#include "database/gedcom/gedcom_loader.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"

CMergeDialogRunner::~CMergeDialogRunner()
{
    // The engine clears its flags on both data sets, so it goes first.
    m_engine.reset();
    m_second.reset();
}

bool CMergeDialogRunner::LoadSecondFile(const std::string& path, IProgress* progress,
                                        bool& otherLocation)
{
    m_progress = progress;
    m_second = std::make_unique<CMergeDataSet>();
    return LoadGedcomFileForMerge(path, *m_second, progress, &otherLocation);
}

void CMergeDialogRunner::SetFiles(const std::string& path, const DataSetRoots& currentRoots)
{
    if (!m_second)
        return;
    m_engine = m_makeEngine ? m_makeEngine(currentRoots, m_second->Roots())
                            : std::make_unique<CMergeEngine>(currentRoots, m_second->Roots());
    m_engine->SetPath(path);
    if (m_engine->IsValid())
        m_engine->InitCompareMaps(m_progress);
}

bool CMergeDialogRunner::Run()
{
    if (!m_engine || !m_engine->IsValid())
        return false;
    CMrgDlg dialog(*m_engine, m_parent ? m_parent : AfxGetMainWnd());
    const bool merged = dialog.DoModal() == IDOK;
    if (merged)
        m_counts = m_engine->Counts();
    return merged;
}

void CMergeDialogRunner::FreeSecondDataSet(bool)
{
    m_engine.reset();
    if (m_second)
        m_second->FreeRecords();
    m_second.reset();
}

void CMergeDialogRunner::ShowResults()
{
    CMrgResultsDlg(m_counts, m_parent ? m_parent : AfxGetMainWnd()).DoModal();
}

void InstallMergeDialog()
{
    CAvDoc::SetMergeDialogMaker([] { return std::make_unique<CMergeDialogRunner>(); });
}
