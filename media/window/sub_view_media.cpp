// media/window/sub_view_media.cpp: the Multimedia window's context, title, change notices and
// panes; its commands are in sub_view_media_commands.cpp.
#include "media/window/sub_view_media.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "media/window/me_picture_wnd.h"
#include "media/window/pane_sizes.h"

#include "database/dictionary/field_def.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_hint.h"
#include "database/nodes/change_tracking.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/frames/frame_wnd.h"

#include <algorithm>

namespace {

constexpr int kListShareOfWidth = 2;
constexpr int kListMaxWidth = 250;

/// The record that holds node: the node itself or its first ancestor that is a record.
CRecordNode* HoldingRecord(CDataNode* node)
{
    while (node && !node->IsRecord())
        node = node->GetParent();
    return static_cast<CRecordNode*>(node);
}

} // namespace

CSubViewMedia::CSubViewMedia()
{
    MapHandlers();
}

CSubViewMedia::~CSubViewMedia()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

const CRuntimeClass* CSubViewMedia::GetRuntimeClass() const
{
    return RuntimeClassOf<CSubViewMedia>();
}

BOOL CSubViewMedia::Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request)
{
    return CSubView::Create(rect, parentView, id, request);
}

int CSubViewMedia::GetSubViewType() const
{
    return kSubViewMedia;
}

HICON CSubViewMedia::LoadViewIcon(BOOL, BOOL big) const
{
    return LoadViewIconResource(IDI_MEDIA_VIEW, big);
}

int CSubViewMedia::OnCreate(CREATESTRUCT* createStruct)
{
    if (CSubView::OnCreate(createStruct) == -1)
        return -1;
    if (!m_splitter.Create(this, CUSplitterWnd::kSideBySide, false, this))
        return -1;
    if (!m_list.Create(&m_splitter, kMediaListPaneId, this, &m_display) ||
        !m_display.Create(&m_splitter, kMediaDisplayPaneId, this))
        return -1;
    m_splitter.AddPane(&m_list, CUSplitterWnd::kUnmeasured);
    m_splitter.AddPane(&m_display, CUSplitterWnd::kUnmeasured);
    CRect client;
    GetClientRect(&client);
    PlacePanes(client.Width(), client.Height());
    return 0;
}

void CSubViewMedia::PlacePanes(int cx, int cy)
{
    // A window made before its frame gave it a size is laid out at its first real size.
    if (m_panesPlaced || cx <= 0)
        return;
    m_panesPlaced = true;
    const int dragged = LoadMediaListWidth();
    const int listWidth = std::min(cx / kListShareOfWidth, dragged > 0 ? dragged : kListMaxWidth);
    m_splitter.MoveWindow(0, 0, cx, cy);
    m_list.MoveWindow(0, 0, listWidth, cy);
    m_display.MoveWindow(listWidth, 0, cx - listWidth, cy);
    m_splitter.InitPaneSizes();
    // The list keeps its width exactly; the display pane takes the rest beyond the bar.
    m_list.MoveWindow(0, 0, listWidth, cy);
    m_display.MoveWindow(listWidth + CUSplitterWnd::kBarSize, 0,
                         std::max(0, cx - listWidth - CUSplitterWnd::kBarSize), cy);
    m_splitter.RecordPaneSizes();
}

void CSubViewMedia::OnSplitterDragEnded(CUSplitterWnd*)
{
    if (m_list.GetSafeHwnd() && m_list.IsWindowVisible()) {
        CRect list;
        m_list.GetWindowRect(&list);
        SaveMediaListWidth(list.Width());
    }
}

void CSubViewMedia::OnSize(UINT type, int cx, int cy)
{
    CSubView::OnSize(type, cx, cy);
    if (!m_splitter.GetSafeHwnd())
        return;
    if (m_panesPlaced)
        m_splitter.MoveWindow(0, 0, cx, cy);
    else
        PlacePanes(cx, cy);
}

void CSubViewMedia::OnPaint()
{
    CPaintDC dc(this);
    CRect clip;
    if (m_titleDirty && dc.GetClipBox(&clip) != NULLREGION && !clip.IsRectEmpty())
        RebuildTitle();
}

void CSubViewMedia::OnSetFocus(CWnd* oldWnd)
{
    CSubView::OnSetFocus(oldWnd);
    if (IsContextPaneVisible())
        m_list.SetFocusToActiveList();
}

// ---- Context and title ------------------------------------------------------------------------

void CSubViewMedia::GetTitle(std::string& title) const
{
    switch (m_contextMode) {
    case kModeOneObject:
        if (m_contextRecord) {
            std::string text;
            m_contextRecord->GetText(text, 0);
            title = m_contextRecord->IsRecord() ? "Multimedia Object Record - " + text : text;
        } else {
            title = "Multimedia Window";
        }
        break;
    case kModeRecordLinks:
        if (m_contextRecord) {
            std::string text;
            m_contextRecord->GetText(text, 0);
            const CFieldDef* def = m_contextRecord->GetFieldDef();
            title = text::Format("Multimedia linked to %s Record: %s",
                                 def ? def->GetLabel() : std::string(), text);
        } else {
            title = "Multimedia Window";
        }
        break;
    case kModeLinksAndMore:
    case kModeSelection:
        title = "Selected Multimedia Records";
        break;
    case kModeAll:
        title = "All Multimedia Records";
        break;
    default:
        title = "Multimedia Window";
        break;
    }
    const auto* view = dynamic_cast<const CAvView*>(GetParent());
    if (view && !view->IsReusable())
        title += " (LOCKED)";
}

void CSubViewMedia::RebuildTitle()
{
    m_titleDirty = false;
    if (CFrameWnd* frame = GetSafeHwnd() ? GetParentFrame(this) : nullptr)
        frame->OnUpdateFrameTitle(TRUE);
}

void CSubViewMedia::SetContextRecord(CDataNode* record, int addMode, int argument)
{
    const int oldMode = m_contextMode;
    if (!record) {
        m_contextMode = kModeAll;
        m_contextRecord = nullptr;
    } else if (!addMode) {
        if (CRecordNode* target = record->GetLinkTarget()) {
            if (!dynamic_cast<CObjRec*>(target))
                return;
            m_contextRecord = target;
            m_contextMode = kModeOneObject;
        } else {
            m_contextRecord = record;
            m_contextMode = !record->IsRecord() || dynamic_cast<CObjRec*>(record)
                                ? kModeOneObject
                                : kModeRecordLinks;
        }
    } else if (m_contextMode <= kModeRecordLinks) {
        m_contextMode = kModeSelection;
        m_contextRecord = nullptr;
    }
    if (m_contextMode == kModeSelection || m_contextMode == kModeAll)
        m_contextRecord = nullptr;
    SetToolMode(kToolNone, true);
    m_display.ClearDisplayPane();
    m_list.ShowMediaRecordLinks(m_contextRecord ? m_contextRecord : record, addMode,
                                m_contextMode == kModeOneObject, argument);
    if (oldMode != m_contextMode || m_contextMode == kModeOneObject ||
        m_contextMode == kModeRecordLinks)
        RebuildTitle();
}

void CSubViewMedia::OnRecordChange(CMediaItem* object, int flag)
{
    m_list.AddRecordRowToList(object, flag);
    CDataNode* holder = object ? object->GetHolderNode() : nullptr;
    if (m_contextMode == kModeEmpty || m_contextMode == kModeOneObject) {
        m_contextMode = kModeSelection;
        m_contextRecord = nullptr;
        m_titleDirty = true;
    } else if (m_contextMode == kModeRecordLinks && holder && m_contextRecord) {
        CRecordNode* owner = HoldingRecord(holder);
        const bool inContext = HoldingRecord(holder) == m_contextRecord;
        if (!inContext && !m_contextRecord->LinksTo(owner, true)) {
            m_contextMode = kModeLinksAndMore;
            m_titleDirty = true;
        }
    }
    if (m_titleDirty)
        RebuildTitle();
}

CDataNode* CSubViewMedia::GetLinkedRecord() const
{
    return m_contextMode == kModeRecordLinks || m_contextMode == kModeLinksAndMore ? m_contextRecord
                                                                                   : nullptr;
}

int CSubViewMedia::RefreshDisplay()
{
    GetPictureWnd().OnMediaAction();
    return 1;
}

void CSubViewMedia::ResetWindow()
{
    m_contextRecord = nullptr;
    if (m_contextMode != kModeAll)
        m_contextMode = kModeEmpty;
    m_display.ClearDisplayPane();
    m_list.ResetMediaListPane();
    m_toolMode = kToolNone;
    if (GetSafeHwnd())
        RebuildTitle();
    m_titleDirty = false;
}

void CSubViewMedia::SetToolMode(int mode, bool notify)
{
    if (mode == m_toolMode)
        return;
    const int old = m_toolMode;
    m_toolMode = mode;
    if (notify)
        GetPictureWnd().SetPictureMode(old, mode);
}

void CSubViewMedia::EnsureContextPaneVisible()
{
    if (!m_listVisible) {
        m_listVisible = true;
        m_splitter.ShowPane(0, true);
    }
}

bool CSubViewMedia::IsContextPaneVisible() const
{
    return m_listVisible;
}

// ---- Change notices ---------------------------------------------------------------------------

void CSubViewMedia::OnUpdate(CView* sender, LPARAM hint, CObject* object)
{
    switch (hint) {
    case kHintRecordsEdited: {
        const bool contextGone = m_contextRecord && m_contextRecord->IsPendingDeletion();
        if (m_contextMode == kModeOneObject || m_contextMode == kModeRecordLinks) {
            if (contextGone) {
                ResetWindow();
                return;
            }
            if (m_contextRecord && (m_contextRecord->IsChanged() ||
                                    (m_contextRecord->IsRecord() &&
                                     IsRecordListed(static_cast<CRecordNode*>(m_contextRecord)))))
                m_titleDirty = true;
        } else if (m_contextMode == kModeLinksAndMore && contextGone) {
            m_contextMode = kModeSelection;
            m_contextRecord = nullptr;
            m_titleDirty = true;
        }
        m_list.OnUpdate(sender, hint, object);
        break;
    }
    case kHintDataSetClearing:
        ResetWindow();
        break;
    case kHintFileLoaded:
        ResetWindow();
        m_list.OnUpdate(sender, hint, object);
        // A window of all multimedia records stays one: it lists those of the file loaded.
        if (m_contextMode == kModeAll)
            SetContextRecord(nullptr, 0, 0);
        break;
    case kHintItemChanged:
        GetPictureWnd().OnDocumentUpdate(sender, hint, object);
        break;
    default:
        break;
    }
    if (m_titleDirty)
        RebuildTitle();
}

CObject* CSubViewMedia::GetSelection(const CRuntimeClass* cls, int* count) const
{
    CObject* selected = m_list.GetSelectedItemInFocusedList();
    if (selected && cls && !selected->IsKindOf(cls))
        selected = nullptr;
    if (count)
        *count = selected ? 1 : 0;
    return selected;
}

BOOL CSubViewMedia::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (m_display.GetSafeHwnd() && GetPictureWnd().OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CSubView::OnCmdMsg(id, code, extra, info);
}

bool CSubViewMedia::IsPictureShown() const
{
    const CMediaItem* item = const_cast<CSubViewMedia*>(this)->GetPictureWnd().GetItem();
    return item && item->GetKind() == MEDIA_KIND_PICTURE;
}

CObjRec* CSubViewMedia::CurrentRecord() const
{
    CMediaItem* item = m_list.GetCurrentMediaItem();
    return item ? dynamic_cast<CObjRec*>(item->GetHolderNode()) : nullptr;
}
