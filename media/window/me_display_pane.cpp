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

namespace {

struct CaptionField {
    int controlId;
    int fieldId;
};
constexpr CaptionField kCaptionFields[] = {
    {CMeCaptionBar::kTitleId, FIELD_TITL},
    {CMeCaptionBar::kDateId, FIELD_OBJE_DATE},
    {CMeCaptionBar::kNoteId, FIELD_EXT_NOTE},
};

/// The field's value as an edit shows it: a text field's text (line breaks CR LF), else the
/// field's text form.
std::string ValueOf(const CDataNode* field)
{
    if (!field)
        return {};
    if (const auto* text = dynamic_cast<const CTextValueNode*>(field)) {
        std::string out;
        for (char c : text->GetValue()) {
            if (c == '\n')
                out += '\r';
            out += c;
        }
        return out;
    }
    std::string out;
    field->GetText(out, 0);
    return out;
}

} // namespace

// ---- The caption bar --------------------------------------------------------------------------

BOOL CMeCaptionBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    Fill(nullptr);
    return FALSE;
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
    for (const CaptionField& field : kCaptionFields) {
        auto* edit = dynamic_cast<CEdit*>(GetDlgItem(field.controlId));
        // A change notice refreshes the bar without undoing what is being typed.
        if (!edit || (same && edit->GetModify()))
            continue;
        edit->SetWindowText(ValueOf(holder ? holder->FindChild(nullptr, field.fieldId) : nullptr));
        edit->SetModify(FALSE);
        edit->EnableWindow(holder != nullptr);
    }
}

void CMeCaptionBar::Commit()
{
    if (!m_holder || !GetSafeHwnd())
        return;
    bool changed = false;
    for (const CaptionField& field : kCaptionFields) {
        auto* edit = dynamic_cast<CEdit*>(GetDlgItem(field.controlId));
        if (!edit || !edit->GetModify())
            continue;
        edit->SetModify(FALSE);
        std::string value;
        edit->GetWindowText(value);
        std::string plain;
        for (char c : value)
            if (c != '\r')
                plain += c;
        CDataNode* child = m_holder->FindChild(nullptr, field.fieldId);
        if (!child && plain.empty())
            continue;
        if (!child)
            child = m_holder->CreateChildById(field.fieldId, {.withChildren = false});
        if (!child)
            continue;
        if (dynamic_cast<CTextValueNode*>(child)) {
            SetTextValue(child, plain);
        } else {
            child->SetText(plain);
            MarkChanged(child);
        }
        changed = true;
    }
    if (changed)
        NotifyChanges();
}

BOOL CMeCaptionBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == EN_KILLFOCUS) {
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
