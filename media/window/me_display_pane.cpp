// media/window/me_display_pane.cpp: the display pane's layout and its caption bar.
#include "media/window/me_display_pane.h"

#include "media/window/media_window_ids.h"
#include "media/window/sub_view_media.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/text_value_node.h"
#include "database/multimedia/media_item.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/drawing/pen.h"
#include "platform/ui/windows/sys_metrics.h"

#include <algorithm>

namespace {

/// The multi-line control's compact form: a multi-line edit with a scroll bar.
constexpr UINT kCompactMultiLine = 2;

/// The title as the edit shows it.
std::string TitleOf(const CDataNode* holder)
{
    const CDataNode* field = holder ? holder->FindChild(nullptr, FIELD_TITL) : nullptr;
    if (!field)
        return {};
    if (const auto* text = dynamic_cast<const CTextValueNode*>(field))
        return std::string(text->GetValue());
    std::string out;
    field->GetText(out, 0);
    return out;
}

} // namespace

// ---- The caption bar --------------------------------------------------------------------------

BOOL CMeCaptionBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_fields[0].fieldId = FIELD_OBJE_DATE;
    m_fields[1].fieldId = FIELD_EXT_NOTE;
    m_note.SetLabelText("Note");
    if (!PlaceControl(m_date, kDateId, 0) || !PlaceControl(m_note, kNoteId, kCompactMultiLine))
        return FALSE;
    const auto placeOf = [this](int id) {
        CRect rect;
        if (CWnd* wnd = GetDlgItem(id)) {
            wnd->GetWindowRect(&rect);
            ScreenToClient(&rect);
        }
        return rect;
    };
    m_layout.title = placeOf(kTitleId);
    m_layout.dateLabel = placeOf(kDateLabelId);
    m_layout.date = placeOf(kDateId);
    m_layout.note = placeOf(kNoteId);
    CRect client;
    GetClientRect(&client);
    m_layout.margin = std::max(0, int(client.right - m_layout.note.right));
    Fill(nullptr);
    return FALSE;
}

void CMeCaptionBar::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (!m_layout.note.IsRectEmpty())
        LayOut(cx);
}

void CMeCaptionBar::LayOut(int width)
{
    const Layout& at = m_layout;
    // Never narrower than leaves the title a third of its first width.
    const int least = at.note.right + at.margin - 2 * at.title.Width() / 3;
    const int shift = std::max(width, least) - (at.note.right + at.margin);
    const auto move = [this](int id, CRect rect) {
        if (CWnd* wnd = GetDlgItem(id))
            wnd->MoveWindow(rect);
    };
    move(kTitleId, CRect(at.title.left, at.title.top, at.title.right + shift, at.title.bottom));
    CRect label = at.dateLabel, date = at.date, note = at.note;
    label.OffsetRect(shift, 0);
    date.OffsetRect(shift, 0);
    note.right += shift;
    move(kDateLabelId, label);
    move(kDateId, date);
    move(kNoteId, note);
}

bool CMeCaptionBar::PlaceControl(CDataCtl& control, int id, UINT flags)
{
    CWnd* placeholder = GetDlgItem(id);
    if (!placeholder)
        return false;
    CRect place;
    placeholder->GetWindowRect(&place);
    ScreenToClient(&place);
    placeholder->DestroyWindow();
    return control.CreateCtl(TRUE, place, this, nullptr, UINT(id), this, nullptr, flags) != FALSE;
}

std::string CMeCaptionBar::TextOf(CDataCtl& control)
{
    std::string text;
    control.GetValueText(text);
    return text;
}

void CMeCaptionBar::Fill(CDataNode* holder)
{
    if (!GetSafeHwnd())
        return;
    const bool same = holder == m_holder;
    // What the user typed goes to the object it was typed for, unless that object is going.
    if (!same && m_holder && !m_holder->IsPendingDeletion())
        Commit();
    m_holder = holder;
    // A change notice refreshes the bar without undoing what is being typed.
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTitleId));
        edit && !(same && edit->GetModify())) {
        edit->SetWindowText(TitleOf(holder));
        edit->SetModify(FALSE);
        edit->EnableWindow(holder != nullptr);
    }
    for (DataField& field : m_fields) {
        if (!field.control->GetWnd().GetSafeHwnd() ||
            (same && TextOf(*field.control) != field.shown))
            continue;
        CDataNode* node = holder ? holder->FindChild(nullptr, field.fieldId) : nullptr;
        if (!node || !node->UpdateFromControl(field.control, false, false))
            field.control->Clear();
        field.control->ClearModified();
        field.shown = TextOf(*field.control);
        field.control->SetReadOnly(holder == nullptr);
    }
}

void CMeCaptionBar::Commit()
{
    if (!m_holder || !GetSafeHwnd())
        return;
    bool changed = false;
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kTitleId)); edit && edit->GetModify()) {
        edit->SetModify(FALSE);
        std::string value;
        edit->GetWindowText(value);
        CDataNode* child = m_holder->FindChild(nullptr, FIELD_TITL);
        if (!child && !value.empty())
            child = m_holder->CreateChildById(FIELD_TITL, {.withChildren = false});
        if (child && dynamic_cast<CTextValueNode*>(child)) {
            SetTextValue(child, value);
            changed = true;
        } else if (child) {
            child->SetText(value);
            MarkChanged(child);
            changed = true;
        }
    }
    for (DataField& field : m_fields) {
        if (!field.control->GetWnd().GetSafeHwnd())
            continue;
        field.control->CommitEdit();
        const std::string text = TextOf(*field.control);
        if (text == field.shown)
            continue;
        field.shown = text;
        CDataNode* node = m_holder->FindChild(nullptr, field.fieldId);
        if (!node && !text.empty())
            node = m_holder->CreateChildById(field.fieldId, {.withChildren = false});
        if (node && node->UpdateFromControl(field.control, true, false))
            changed = true;
    }
    if (changed)
        NotifyChanges();
}

void CMeCaptionBar::OnCtlKillFocus(CDataCtl* control, CWnd*, BOOL)
{
    if (control && !control->IsDestroying())
        Commit();
}

BOOL CMeCaptionBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kTitleId && HIWORD(wParam) == EN_KILLFOCUS) {
        Commit();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMeCaptionBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(client.left, client.bottom - 1);
    dc.LineTo(client.right, client.bottom - 1);
    dc.SelectObject(old);
}

// ---- The display pane -------------------------------------------------------------------------

BOOL CMeDisplayPane::Create(CWnd* parent, UINT id, CSubViewMedia* view)
{
    m_view = view;
    if (!CreateEx(0, nullptr, "MeDisplayPane", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(),
                  parent, id))
        return FALSE;
    if (!m_caption.Create(kCaptionBarTemplate, this) ||
        !m_picture.Create(this, kMediaPictureWndId, view))
        return FALSE;
    m_caption.SetDlgCtrlID(kMediaCaptionBarId);
    m_caption.ShowWindow(SW_SHOW);
    LayOut();
    return TRUE;
}

void CMeDisplayPane::LayOut()
{
    if (!m_picture.GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    int top = 0;
    if (m_captionVisible) {
        CRect bar;
        m_caption.GetWindowRect(&bar);
        m_caption.MoveWindow(0, 0, client.Width(), bar.Height());
        top = bar.Height();
    }
    m_picture.MoveWindow(0, top, client.Width(), std::max(0, client.Height() - top));
}

void CMeDisplayPane::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayOut();
}

BOOL CMeDisplayPane::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CMeDisplayPane::SetDisplayRecord(CMediaItem* object)
{
    m_caption.Fill(object ? object->GetHolderNode() : nullptr);
    m_picture.LoadDisplayPicture(object);
}

void CMeDisplayPane::ClearDisplayPane()
{
    m_caption.Fill(nullptr);
    m_picture.LoadDisplayPicture(nullptr);
}

void CMeDisplayPane::ToggleCaptionBar()
{
    if (m_captionVisible) {
        const CWnd* focus = CWnd::GetFocus();
        const bool inBar = focus && (focus == &m_caption || focus->GetParent() == &m_caption);
        m_caption.Commit();
        m_caption.ShowWindow(SW_HIDE);
        m_captionVisible = false;
        if (inBar)
            m_picture.SetFocus();
    } else {
        m_captionVisible = true;
        m_caption.ShowWindow(SW_SHOW);
        m_caption.Fill(m_caption.GetHolder());
    }
    LayOut();
}
