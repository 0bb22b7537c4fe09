// diagrams/window/rel_tree_titles.cpp: CRelTreeTitles, the Diagram window's title blocks: their
// texts, drawing, selection, handles and Title Options (rel_tree_titles.h).
#include "diagrams/window/rel_tree_titles.h"

#include "app/shell/save_message.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "diagrams/diagram_document.h"
#include "diagrams/window/diag_title_opts_dlg.h"
#include "diagrams/window/rel_tree_pages.h"
#include "diagrams/window/title_block.h"
#include "diagrams/window/title_look.h"
#include "platform/base/prompt.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"
#include "platform/ui/windows/wnd.h"

#include <string>
#include <vector>

CRelTreeTitles::CRelTreeTitles(IRelTreeTitlesView& view, CDiagramDocument& doc,
                               const CRelTreePages& pages)
    : m_view(view), m_doc(doc), m_pages(pages)
{
}

std::string CRelTreeTitles::Text(int index) const
{
    const CDiagramSettings& settings = m_doc.Settings();
    if (index < 0 || index >= kDiagramTitleCount)
        return {};
    const std::string& text = settings.m_titles[std::size_t(index)].text;
    CTextTemplate compiled;
    std::string message;
    if (!compiled.CompileTemplate(text, message))
        return text;
    CRecordNode* root = m_doc.RootRecord();
    if (root && !root->IsPendingDeletion())
        compiled.BindRootRecord(root);
    // The root person, or the couple's family and its first partner.
    std::vector<CRecordNode*> records;
    CIndRec* person = m_doc.RootPerson();
    if (m_doc.RootKind() == 1 && m_doc.RootFamily()) {
        person = m_doc.RootFamily()->GetHusband() ? m_doc.RootFamily()->GetHusband()
                                                  : m_doc.RootFamily()->GetWife();
        records.push_back(m_doc.RootFamily());
    }
    if (person)
        records.insert(records.begin(), person);
    std::erase_if(records, [](const CRecordNode* record) { return record->IsPendingDeletion(); });
    const CTemplateOptions options = CTemplateOptions::FromSpouseOption(
        settings.m_spouseOption, settings.m_duplicatesWithSpouses);
    CTemplateContext context;
    context.m_records = records;
    context.m_options = &options;
    std::string rendered;
    compiled.RenderTemplate(rendered, context);
    return rendered;
}

void CRelTreeTitles::Draw(CDC& dc)
{
    for (int t = 0; t < kDiagramTitleCount; ++t) {
        const CDiagramTitle& title = m_doc.Settings().m_titles[std::size_t(t)];
        if (!title.visible)
            continue;
        TitleBlockLook look = LookOfTitle(title);
        look.text = Text(t);
        CTitleView view(look, &m_view.Window());
        view.SetSelected(!m_pages.Printing() && m_doc.Selection().IsTitleSelected(t));
        view.Draw(dc);
    }
}

int CRelTreeTitles::Selected() const
{
    int found = -1;
    for (int t = 0; t < kDiagramTitleCount; ++t) {
        if (!m_doc.Selection().IsTitleSelected(t) ||
            !m_doc.Settings().m_titles[std::size_t(t)].visible)
            continue;
        if (found >= 0)
            return -1;
        found = t;
    }
    return found;
}

bool CRelTreeTitles::IsSelected(int index) const
{
    return m_doc.Selection().IsTitleSelected(index);
}

void CRelTreeTitles::Select(int index, bool clearOthers)
{
    if (clearOthers)
        m_doc.Selection().ClearTitles();
    if (index >= 0 && index < kDiagramTitleCount)
        m_doc.Selection().SetTitleSelected(index, true);
    if (m_view.Window().GetSafeHwnd())
        m_view.Window().Invalidate();
}

bool CRelTreeTitles::HandleAt(CPoint device, int* title, int* handle)
{
    if (!m_view.Window().GetSafeHwnd())
        return false;
    CClientDC dc(&m_view.Window());
    m_view.PrepareScreenDC(dc);
    for (int t = kDiagramTitleCount - 1; t >= 0; --t) {
        const CDiagramTitle& slot = m_doc.Settings().m_titles[std::size_t(t)];
        if (!slot.visible || !m_doc.Selection().IsTitleSelected(t))
            continue;
        TitleBlockLook look = LookOfTitle(slot);
        CTitleView view(look, &m_view.Window());
        view.SetSelected(true);
        int found = -1;
        if (view.HandleAt(dc, device, &found)) {
            if (title)
                *title = t;
            if (handle)
                *handle = found;
            return true;
        }
    }
    return false;
}

void CRelTreeTitles::OpenOptions()
{
    const int index = Selected();
    if (index < 0 || !m_doc.Selection().Empty())
        return;
    CDiagramTitle edited = m_doc.Settings().m_titles[std::size_t(index)];
    CTitleOptsDlg dialog(edited, m_doc.Settings(), &m_view.Window());
    if (dialog.DoModal() != IDOK)
        return;
    // Titles set in their options become the defaults, a custom diagram's too.
    CWinApp* app = AfxGetApp();
    CheckSaved(m_doc.SetTitle(index, edited, app ? &app->GetProfile() : nullptr));
}

void CRelTreeTitles::FlipSelection(int index)
{
    m_doc.Selection().SetTitleSelected(index, !m_doc.Selection().IsTitleSelected(index));
    m_view.Window().Invalidate();
}
