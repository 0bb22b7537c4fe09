// diagrams/window/sub_view_rel_tree.cpp: the Diagram window's state and lifecycle: title,
// selection as the shell reads it, change notices, building and clearing through its document,
// what the window does when the document tells it of a change, the print hooks and page-grid
// toggle it hands on to its CRelTreePages, and Page Setup.
//
// The shell reads two selected spouses as their family. More than six changed boxes, or a changed
// box size, lay the diagram out again; a root that went empties the window, which stays open.
#include "diagrams/window/sub_view_rel_tree.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/printer_setup.h"
#include "app/shell/save_message.h"
#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "database/records/fam_rec.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_resync.h"
#include "diagrams/window/box_painter_dc.h"
#include "diagrams/window/diagram_window_services.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/frame_wnd.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/message.h"

#include <algorithm>

CSubViewRelTree::CSubViewRelTree() : m_doc(DiagramWindowDefaults(), DiagramWindowChanges())
{
    m_doc.SetView(this);
    m_doc.AddObserver(this);
    MapCommands();
}

CSubViewRelTree::~CSubViewRelTree()
{
    m_doc.RemoveObserver(this);
    m_doc.SetView(nullptr);
}

const CRuntimeClass* CSubViewRelTree::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewRelTree>();
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
    const std::vector<CDiagElem*>& selection = m_doc.Selection().Boxes();
    if (count)
        *count = int(selection.size());
    if (selection.empty())
        return nullptr;
    const bool familyAsked =
        !cls || cls == RuntimeClassOf<CFamRec>() || cls == RuntimeClassOf<CRecordNode>();
    if (selection.size() == 2 && familyAsked) {
        CIndRec* first = selection[0]->GetIndividual();
        CIndRec* second = selection[1]->GetIndividual();
        CFamRec* family = first && second ? first->FindFamilyWithSpouse(second, nullptr) : nullptr;
        if (count)
            *count = family ? 1 : 2;
        return family;
    }
    if (selection.size() != 1)
        return nullptr;
    CRecordNode* record = selection[0]->GetIndividual();
    if (!record)
        record = selection[0]->GetFamily();
    return record && (!cls || record->IsKindOf(cls)) ? record : nullptr;
}

void CSubViewRelTree::GetSelectedRecords(std::vector<CRecordNode*>& records) const
{
    records.clear();
    const std::vector<CDiagElem*>& selection = m_doc.Selection().Boxes();
    for (auto it = selection.rbegin(); it != selection.rend(); ++it)
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
        if (!m_doc.CustomName().empty())
            title = "\"" + m_doc.CustomName() + "\" - ";
        static constexpr const char* kTypes[] = {"Ancestors of ", "Descendants of ",
                                                 "Ancestors and Descendants of ", "Relatives of "};
        title += kTypes[std::clamp(m_doc.Settings().m_diagramType, 0, 3)];
        // A root without a name shows as such; "<none>" stands for a missing record.
        std::string root = "<none>";
        if (m_doc.RootKind() == 1 && m_doc.RootFamily()) {
            root.clear();
            m_doc.RootFamily()->GetCoupleText(root);
        } else if (m_doc.RootKind() == 0 && m_doc.RootPerson()) {
            char buffer[301] = {};
            m_doc.RootPerson()->CopyNameText(buffer, int(sizeof buffer));
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

void CSubViewRelTree::OnUpdate(CView*, LPARAM hint, CObject*)
{
    // The document follows the data itself and tells the window what changed; the window answers
    // only the notices that concern it alone.
    if (m_updating)
        return;
    m_updating = true;
    switch (hint) {
    case kHintDataSetClearing:
        m_updating = false;
        // Closing the frame deletes this window: nothing of it may be touched afterwards.
        if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
            frame->DestroyWindow();
        return;
    case kHintPrinterChanged:
        // The page size is read from the printer when needed; the pages follow it.
        ComputePageAvoidance();
        if ((m_pages.Shown() || m_doc.AvoidsPageBoundaries()) && GetSafeHwnd())
            Invalidate();
        break;
    case kHintDiagramTextApplied:
        if (GetSafeHwnd())
            Invalidate();
        break;
    default:
        break;
    }
    m_updating = false;
}

void CSubViewRelTree::DiagramResynced(DiagramResync outcome)
{
    // The boxes were repainted as the document told of them; selected boxes that went with the
    // update are found again by their records. The root's name may have changed.
    if (outcome == DiagramResync::kNoTree)
        return;
    if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
        frame->OnUpdateFrameTitle(TRUE);
}

void CSubViewRelTree::DiagramLayoutChanged()
{
    m_viewport.ExtentChanged();
    if (GetSafeHwnd())
        Invalidate();
}

void CSubViewRelTree::DiagramBoxesChanged(const CDiagRepaint&)
{
    // The page avoidance may move boxes anywhere: the whole window is repainted.
    DiagramLayoutChanged();
}

void CSubViewRelTree::DiagramSettingsChanged()
{
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
    return Build(person, nullptr, selectRoot, type, showProperties, customName, true);
}

bool CSubViewRelTree::RebuildTree(CFamRec* family, bool selectRoot, int type, bool showProperties,
                                  const std::string& customName)
{
    return Build(nullptr, family, selectRoot, type, showProperties, customName, true);
}

bool CSubViewRelTree::Build(CIndRec* person, CFamRec* family, bool selectRoot, int type,
                            bool showProperties, const std::string& customName, bool tellFailure)
{
    const bool built = m_doc.Build(person, family, type, customName, !GetSafeHwnd());
    m_viewport.ExtentChanged();
    CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr;
    if (!built) {
        // Without a context to measure on the build never started: nothing to tell.
        if (m_doc.BuildFailureText().empty())
            return false;
        if (frame)
            frame->OnUpdateFrameTitle(TRUE);
        if (tellFailure)
            MessageBox(m_doc.BuildFailureText().c_str(), MB_OK);
        return false;
    }
    m_painter.PlaceRelationshipColumns(false);
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
        } else if (const CDiagElem* root = m_doc.RootElement()) {
            SelectBox(const_cast<CDiagElem*>(root), true, false);
        }
    }
    m_viewport.CentreOnRoot();
    // The properties box opens beside the first selected box.
    if (showProperties && !m_doc.Selection().Empty())
        m_properties.OpenBesideSelection();
    return true;
}

void CSubViewRelTree::ClearDiagram()
{
    m_doc.Clear();
}

void CSubViewRelTree::DiagramCleared()
{
    m_doc.Selection().Clear();
    m_viewport.Reset();
    m_painter.ResetRelationshipColumns();
    if (GetSafeHwnd())
        Invalidate();
}

// ---------------------------------------------------------------------------------------------
// What the document asks of the window.

std::unique_ptr<IBoxPainter> CSubViewRelTree::CreateMeasurer()
{
    CWnd* window = GetSafeHwnd() ? this : nullptr;
    return CBoxMeasurer::Create(m_doc.Settings(), window,
                                [this](CDC& dc, bool printer) { PrepareMeasuringDC(dc, printer); });
}

void CSubViewRelTree::ShowPageBoundaries()
{
    if (!m_pages.PrinterOrConsent())
        return;
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    const CPoint centre = client.CenterPoint();
    const CPoint kept = GetSafeHwnd() ? ToDiagram(centre) : CPoint();
    m_pages.ToggleShown();
    // Ancestors and Descendants diagrams change their mapping: keep what lies at the centre.
    const int type = m_doc.Settings().m_diagramType;
    if (GetSafeHwnd() && (type == kAncestorsDiagram || type == kDescendantsDiagram))
        m_viewport.ScrollToPoint(kept.x, kept.y, centre.x, centre.y, false);
    m_viewport.ExtentChanged();
    Invalidate();
}

LRESULT CSubViewRelTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A change of the printer's settings measures every box again.
    if (message == WM_DEVMODECHANGE) {
        m_doc.RemeasureForPrinter();
        return 0;
    }
    return CSubView::WindowProc(message, wParam, lParam);
}

BOOL CSubViewRelTree::CanPrint(BOOL preview)
{
    if (preview)
        return CSubView::CanPrint(TRUE);
    return TRUE;
}

BOOL CSubViewRelTree::PreparePrinting(CPrintInfo* info)
{
    return info && m_pages.PreparePrinting(*info);
}

void CSubViewRelTree::OnBeginPrinting(CDC*, CPrintInfo*)
{
    BeginWaitCursor();
}

void CSubViewRelTree::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (dc && info)
        m_pages.Print(*dc);
}

void CSubViewRelTree::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_pages.EndPrinting();
    EndWaitCursor();
}

void CSubViewRelTree::OnFilePrintSetup()
{
    if (!HasTree()) {
        MessageBox("No diagram to print", MB_OK);
        return;
    }
    bool landscape = m_doc.Settings().m_printLandscape;
    if (!WindowPrintSetup(this, landscape))
        return;
    SetPrintOrientation(landscape);
    if (IDataObserver* observer = GetDataObserver())
        observer->OnDataChanged(nullptr, kHintPrinterChanged, nullptr, false);
}

void CSubViewRelTree::PageSetup()
{
    if (m_options.SheetOpen())
        return;
    const int result = m_options.OpenSheet("Page Setup", CTreeOptsDlg::kPrintPage, true, true);
    CWinApp* app = AfxGetApp();
    if (result == IDOK)
        CheckSaved(m_doc.SaveAsDefaults(kSectionPrinting, app ? &app->GetProfile() : nullptr));
    ComputePageAvoidance();
    Invalidate();
}
