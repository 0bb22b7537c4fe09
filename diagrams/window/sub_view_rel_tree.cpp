// diagrams/window/sub_view_rel_tree.cpp: the Diagram window's state and lifecycle: statics, title,
// selection as the shell reads it, change notices, building and clearing, the text scheme.
//
// The shell reads two selected spouses as their family. More than six changed boxes, or a changed
// box size, lay the diagram out again; a root that went empties the window, which stays open.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_builder.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_family_elem.h"
#include "diagrams/diag_resync.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diag_update.h"
#include "diagrams/scheme_template_check.h"
#include "diagrams/window/box_painter_dc.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

bool g_staticsReady = false;

/// Box types of a scheme: default, ancestor, descendant, spouse, duplicate, proxy.
enum SchemeBoxType : int {
    kDefaultType = 0,
    kAncestorType,
    kDescendantType,
    kSpouseType,
    kDuplicateType,
    kProxyType
};

/// The scheme box type that each box kind takes, by diagram type.
int SchemeTypeFor(int diagramType, int boxKind)
{
    if (diagramType == kAncestorsDiagram)
        return kAncestorType;
    static constexpr int kTypes[kDiagramBoxKindCount] = {kAncestorType, kDescendantType,
                                                         kSpouseType, kDuplicateType, kProxyType};
    const int type = kTypes[boxKind];
    return diagramType == kDescendantsDiagram && type == kAncestorType ? kDescendantType : type;
}

} // namespace

CSubViewRelTree::CSubViewRelTree()
{
    m_settings.CopySettings(DefaultDiagramSettings(), kSectionAll);
    m_refWidth = std::max(1, GetSystemMetrics(SM_CXFULLSCREEN) - GetSystemMetrics(SM_CXVSCROLL));
    m_refHeight = std::max(1, GetSystemMetrics(SM_CYFULLSCREEN) - GetSystemMetrics(SM_CYHSCROLL));
    MapCommands();
}

CSubViewRelTree::~CSubViewRelTree()
{
    m_clearing = true;
    m_selection.clear();
    m_rowSets.clear();
}

const CRuntimeClass* CSubViewRelTree::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewRelTree>();
}

void CSubViewRelTree::InitStatics()
{
    if (CWinApp* app = AfxGetApp())
        DefaultDiagramSettings().LoadSettingsFromProfile(app->GetProfile());
    if (TextSchemes().Size() == 0)
        InitProgramTextSchemes();
    g_staticsReady = true;
}

void CSubViewRelTree::FreeStatics()
{
    TextSchemes().ClearSchemeList();
    g_staticsReady = false;
}

bool CSubViewRelTree::StaticsReady()
{
    return g_staticsReady;
}

BOOL CSubViewRelTree::Create(const RECT& rect, CAvView* parentView, UINT id, DWORD)
{
    if (!CWnd::Create("AvSubView", "Av SubViewRelTree", WS_CHILD | WS_HSCROLL | WS_VSCROLL, rect,
                      parentView, id))
        return FALSE;
    NotifyOwner(269);
    return TRUE;
}

CObject* CSubViewRelTree::GetSelection(const CRuntimeClass* cls, int* count) const
{
    if (count)
        *count = int(m_selection.size());
    if (m_selection.empty())
        return nullptr;
    const bool familyAsked =
        !cls || cls == RuntimeClassOf<CFamRec>() || cls == RuntimeClassOf<CRecordNode>();
    if (m_selection.size() == 2 && familyAsked) {
        CIndRec* first = m_selection[0]->GetIndividual();
        CIndRec* second = m_selection[1]->GetIndividual();
        CFamRec* family = first && second ? first->FindFamilyWithSpouse(second, nullptr) : nullptr;
        if (count)
            *count = family ? 1 : 2;
        return family;
    }
    if (m_selection.size() != 1)
        return nullptr;
    CRecordNode* record = m_selection[0]->GetIndividual();
    if (!record)
        record = m_selection[0]->GetFamily();
    return record && (!cls || record->IsKindOf(cls)) ? record : nullptr;
}

void CSubViewRelTree::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    for (auto it = m_selection.rbegin(); it != m_selection.rend(); ++it)
        if (CIndRec* person = (*it)->GetIndividual())
            if (std::find(records.begin(), records.end(), person) == records.end())
                records.push_back(person);
}

void CSubViewRelTree::GetTitle(std::string& title) const
{
    if (!HasTree()) {
        title = "Diagram Window";
    } else {
        title.clear();
        if (!m_customName.empty())
            title = "\"" + m_customName + "\" - ";
        static constexpr const char* kTypes[] = {"Ancestors of ", "Descendants of ",
                                                 "Ancestors and Descendants of ", "Relatives of "};
        title += kTypes[std::clamp(m_settings.m_diagramType, 0, 3)];
        // A root without a name shows as such; "<none>" stands for a missing record.
        std::string root = "<none>";
        if (m_rootKind == 1 && m_rootFamily) {
            root.clear();
            m_rootFamily->GetCoupleText(root);
        } else if (m_rootKind == 0 && m_rootPerson) {
            char buffer[301] = {};
            m_rootPerson->CopyNameText(buffer, int(sizeof buffer));
            root = buffer;
        }
        title += root;
    }
    if (const CAvView* view = GetOwner(); view && !view->IsReusable())
        title += " (LOCKED)";
}

void CSubViewRelTree::OnActivate(BOOL activate, CView*, CView*)
{
    if (!activate)
        return;
    // The diagram's own status bar, with the page grid's position and size.
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) {
        frame->ShowStatusBar(diagram_cmd::kTreeStatusBar);
        frame->RebuildMenus(GetSubViewType());
    }
}

HICON CSubViewRelTree::LoadViewIcon(BOOL, BOOL big) const
{
    return LoadViewIconResource(IDI_DIAGRAM_VIEW, big);
}

CRecordNode* CSubViewRelTree::RootRecord() const
{
    if (m_rootKind == 1)
        return m_rootFamily;
    return m_rootPerson;
}

bool CSubViewRelTree::RootStillThere() const
{
    const CRecordNode* root = RootRecord();
    if (!root || root->IsPendingDeletion())
        return false;
    if (m_rootKind == 1) {
        const CIndRec* husband = m_rootFamily->GetHusband();
        const CIndRec* wife = m_rootFamily->GetWife();
        const auto alive = [](const CIndRec* p) { return p && !p->IsPendingDeletion(); };
        return alive(husband) || alive(wife);
    }
    return true;
}

void CSubViewRelTree::OnUpdate(CView*, LPARAM hint, CObject*)
{
    if (m_updating)
        return;
    m_updating = true;
    switch (hint) {
    case kHintDataSetClearing:
        ClearDiagram();
        m_updating = false;
        // Closing the frame deletes this window: nothing of it may be touched afterwards.
        if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
            frame->DestroyWindow();
        return;
    case kHintFileLoaded:
        ClearDiagram();
        break;
    case kHintPrinterChanged:
        // The page size is read from the printer when needed; the pages follow it.
        ComputePageAvoidance();
        if ((m_pageMode || m_avoidPages) && GetSafeHwnd())
            Invalidate();
        break;
    case kHintDiagramTextApplied:
        if (GetSafeHwnd())
            Invalidate();
        break;
    case kHintTextSchemesReplaced:
        LoadTextScheme(RootRecord(), false);
        if (HasTree())
            Relayout();
        break;
    default:
        if (!HasTree())
            break;
        if (!RootStillThere()) {
            ClearDiagram();
            if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
                frame->OnUpdateFrameTitle(TRUE);
            break;
        }
        {
            bool relayout = false;
            for (auto& rowSet : m_rowSets) {
                CDiagRefreshList refresh;
                CDiagRepaint repaint;
                auto measurer = CreateMeasurer();
                if (!DiagRebuildRows(*rowSet, refresh, repaint, measurer.get())) {
                    ClearDiagram();
                    break;
                }
                // Past six changed boxes the window lays out again without measuring.
                if (refresh.count > CDiagRefreshList::kEntries)
                    relayout = true;
            }
            if (HasTree() && (relayout || BoxSizesChanged()))
                Relayout();
            else
                ComputePageAvoidance();
            // Selected boxes that went with the update are already out of the selection.
            m_scrollBarsStale = true;
            if (GetSafeHwnd())
                Invalidate();
            if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
                frame->OnUpdateFrameTitle(TRUE);
        }
        break;
    }
    m_updating = false;
}

bool CSubViewRelTree::BoxSizesChanged()
{
    auto measurer = CreateMeasurer();
    if (!measurer)
        return false;
    bool changed = false;
    for (auto& rowSet : m_rowSets)
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                if (changed || !box.IsVisible())
                    return;
                // A box changes size with its widest line or its number of lines.
                const int contentBefore = box.Rect().top - box.GetContentBottom();
                CRect size;
                box.Measure(measurer.get(), false, &size);
                changed = size.Width() != box.Rect().Width() ||
                          box.Rect().top - box.GetContentBottom() != contentBefore;
            });
    return changed;
}

void CSubViewRelTree::Relayout()
{
    auto measurer = CreateMeasurer();
    for (auto& rowSet : m_rowSets) {
        CDiagRepaint repaint;
        DiagRemeasureTexts(*rowSet, measurer.get(), repaint);
    }
    ComputePageAvoidance();
    m_scrollBarsStale = true;
    if (GetSafeHwnd())
        Invalidate();
}

void CSubViewRelTree::Refresh()
{
    ClearDiagram();
}

// ---------------------------------------------------------------------------------------------
// Building.

bool CSubViewRelTree::BuildTree(CIndRec* person, bool selectRoot, int type, bool showProperties,
                                const std::string& customName)
{
    return Build(person, nullptr, selectRoot, type, showProperties, customName);
}

bool CSubViewRelTree::RebuildTree(CFamRec* family, bool selectRoot, int type, bool showProperties,
                                  const std::string& customName)
{
    return Build(nullptr, family, selectRoot, type, showProperties, customName);
}

bool CSubViewRelTree::OpenCustomDiagram(const std::string& path, CIndRec* person,
                                        const std::string& name)
{
    const auto openOnDefaults = [&](const std::string& why) {
        MessageBox(why + "  The diagram opens with the default settings instead.",
                   MB_OK | MB_ICONEXCLAMATION);
        m_settings.CopySettings(DefaultDiagramSettings(), kSectionAll);
        return Build(person, nullptr, true, m_settings.m_diagramType, false, name);
    };
    if (!m_settings.LoadSettingsFromFile(path))
        return openOnDefaults("The custom diagram file \"" + path +
                              "\" is damaged or is not a custom diagram.");
    if (Build(person, nullptr, true, m_settings.m_diagramType, false, name, false))
        return true;
    return openOnDefaults("The diagram that the custom diagram \"" + name +
                          "\" describes cannot be shown; it may be too large.");
}

bool CSubViewRelTree::Build(CIndRec* person, CFamRec* family, bool selectRoot, int type,
                            bool showProperties, const std::string& customName, bool tellFailure)
{
    ClearDiagram();
    bool reset = false;
    if (customName.empty() && !m_customName.empty()) {
        m_customName.clear();
        reset = true;
    } else if (!customName.empty()) {
        m_customName = customName;
    }
    m_rootKind = family ? 1 : 0;
    m_rootPerson = person;
    m_rootFamily = family;
    if (reset)
        m_settings.CopySettings(DefaultDiagramSettings(), kSectionAll);
    m_settings.SetDiagramType(type);
    if (type == kAllRelativesDiagram && m_settings.m_spouseOption == 0)
        m_settings.m_spouseOption = 1;
    LoadTextScheme(person, true);
    SetScale(m_divisor);

    auto rowSet = std::make_unique<CDiagRowSet>(*this);
    rowSet->m_ancestorGenerations = m_settings.m_ancestorGenerations;
    rowSet->m_descendantGenerations = m_settings.m_descendantGenerations;
    // The row set must be the window's while it builds: its boxes ask the window for the root.
    m_rowSets.push_back(std::move(rowSet));
    int built = 0;
    {
        auto measurer = CreateMeasurer();
        if (!measurer && !GetSafeHwnd()) {
            m_rowSets.clear();
            return false;
        }
        built = family ? DiagBuildFromRootParents(*m_rowSets.back(), family, measurer.get())
                       : DiagBuildFromRoot(*m_rowSets.back(), person, measurer.get());
    }
    CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr;
    if (!built) {
        const std::string why = DiagBuildFailureText(*m_rowSets.back());
        ClearDiagram();
        if (frame)
            frame->OnUpdateFrameTitle(TRUE);
        if (tellFailure)
            MessageBox(why.c_str(), MB_OK);
        return false;
    }
    ComputePageAvoidance();
    PlaceRelationshipColumns(false);
    if (frame)
        frame->OnUpdateFrameTitle(TRUE);
    if (selectRoot) {
        if (family) {
            CDiagTree* tree = RowSet()->MainTree();
            CDiagElem* husband = nullptr;
            CDiagElem* wife = nullptr;
            if (tree) {
                if (CIndRec* h = family->GetHusband())
                    husband = tree->FindIndividual(h, nullptr);
                if (CIndRec* w = family->GetWife())
                    wife = tree->FindIndividual(w, nullptr);
            }
            if (husband)
                SelectBox(husband, true, false);
            if (wife)
                SelectBox(wife, !husband, false);
        } else if (const CDiagElem* root = RootElement()) {
            SelectBox(const_cast<CDiagElem*>(root), true, false);
        }
    }
    CentreOnRoot();
    // The properties box opens beside the first selected box.
    if (showProperties && !m_selection.empty()) {
        if (GetSafeHwnd()) {
            CRect box = m_selection.front()->Rect();
            CClientDC dc(this);
            PrepareScreenDC(dc);
            dc.LPtoDP(&box);
            box.NormalizeRect();
            CPoint beside(box.right, box.top);
            ClientToScreen(&beside);
            OpenProperties(&beside);
        } else {
            OpenProperties(nullptr);
        }
    }
    return true;
}

void CSubViewRelTree::ClearDiagram()
{
    m_selection.clear();
    m_scroll = CPoint(0, 0);
    m_hRange = Range();
    const int divide = -(m_settings.m_boxToBoxVertGap - m_settings.m_sibLineToBoxVertGap) / 2;
    m_vRange = Range{divide, divide, divide, divide};
    m_scrollBarsStale = true;
    m_clearing = true;
    m_rowSets.clear();
    m_clearing = false;
    m_relColumns.Reset();
    m_rootKind = 0;
    m_rootPerson = nullptr;
    m_rootFamily = nullptr;
    if (GetSafeHwnd())
        Invalidate();
}

void CSubViewRelTree::LoadTextScheme(CRecordNode* root, bool resetName)
{
    for (auto& compiled : m_compiled)
        compiled.FreeTemplate();
    m_hasCompiled.fill(false);
    const CTextSchemeList& list = TextSchemes();
    const CTextScheme* scheme = list.FindScheme(m_settings.m_textScheme);
    if (!scheme) {
        if (resetName)
            m_settings.m_textScheme.clear();
        scheme = list.GetDefaultScheme();
        if (scheme)
            m_settings.m_textScheme = scheme->Name();
    }
    m_scheme = scheme ? *scheme : CTextScheme();
    for (int type = 0; type < 6; ++type) {
        const std::string* text = m_scheme.GetSchemeTemplate(type, false);
        if (!text)
            continue;
        std::string message;
        if (m_compiled[std::size_t(type)].CompileTemplate(*text, message)) {
            m_hasCompiled[std::size_t(type)] = true;
            if (root)
                m_compiled[std::size_t(type)].BindRootRecord(root);
        }
    }
    SelectTextTemplates();
}

void CSubViewRelTree::SelectTextTemplates()
{
    const auto pick = [this](int type) -> const CTextTemplate* {
        if (m_hasCompiled[std::size_t(type)])
            return &m_compiled[std::size_t(type)];
        return m_hasCompiled[kDefaultType] ? &m_compiled[kDefaultType] : nullptr;
    };
    for (int kind = 0; kind < kDiagramBoxKindCount; ++kind)
        m_boxTemplates[std::size_t(kind)] = pick(SchemeTypeFor(m_settings.m_diagramType, kind));
    // The flag reads the template the diagram's duplicate boxes take (in an Ancestors diagram
    // the ancestor template), falling back to the default one as they do.
    const int type = SchemeTypeFor(m_settings.m_diagramType, kDuplicateBox);
    const std::string* duplicate = nullptr;
    if (m_boxTemplates[kDuplicateBox])
        duplicate = m_scheme.GetSchemeTemplate(
            m_hasCompiled[std::size_t(type)] ? type : kDefaultType, false);
    m_instance = duplicate && text::EqualsNoCase(*duplicate, "instance");
}

// ---------------------------------------------------------------------------------------------
// What the elements ask of the window.

const CTextTemplate* CSubViewRelTree::BoxTemplate(int boxKind) const
{
    if (boxKind < 0 || boxKind >= kDiagramBoxKindCount)
        return nullptr;
    return m_boxTemplates[std::size_t(boxKind)];
}

COLORREF CSubViewRelTree::ProxyTextColour() const
{
    return BuiltInDiagramColour(kBoxMarkedRow).colour;
}

int CSubViewRelTree::BoxHeight() const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && rowSet->m_boxHeight > 0 ? rowSet->m_boxHeight : m_settings.m_defaultBoxHeight;
}

std::unique_ptr<IBoxPainter> CSubViewRelTree::CreateMeasurer()
{
    CWnd* window = GetSafeHwnd() ? this : nullptr;
    return CBoxMeasurer::Create(m_settings, window,
                                [this](CDC& dc, bool printer) { PrepareMeasuringDC(dc, printer); });
}

void CSubViewRelTree::ElementDestroyed(CDiagElem& element)
{
    if (m_dragBox == &element)
        m_dragBox = nullptr;
    m_selection.erase(std::remove(m_selection.begin(), m_selection.end(), &element),
                      m_selection.end());
}

void CSubViewRelTree::FamilyBoxDestroyed(CDiagElem& box, CDiagElem*)
{
    ElementDestroyed(box);
}

const CDiagElem* CSubViewRelTree::RootElement() const
{
    const CDiagRowSet* rowSet = RowSet();
    const CDiagTree* tree = rowSet ? rowSet->MainTree() : nullptr;
    return tree ? tree->m_rootElement : nullptr;
}

const CDiagFamilyLink* CSubViewRelTree::RootFamilyLink() const
{
    const CDiagRowSet* rowSet = RowSet();
    const CDiagTree* tree = rowSet ? rowSet->MainTree() : nullptr;
    if (!tree)
        return nullptr;
    for (const auto& link : tree->m_rootLinks)
        if (link->Child() == tree->m_rootIndividual)
            return &link->m_person;
    return nullptr;
}

bool CSubViewRelTree::IsLastAncestorGeneration(int generation) const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && generation == rowSet->m_ancestorGenerations;
}

bool CSubViewRelTree::IsAtDescendantLimit(int generation) const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && generation <= 1 - rowSet->m_descendantGenerations;
}
