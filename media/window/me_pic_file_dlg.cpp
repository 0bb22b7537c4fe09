// media/window/me_pic_file_dlg.cpp: the picture file picker's panel: its options, the refused
// combinations, and the preview.
#include "media/window/me_pic_file_dlg.h"

#include "media/window/media_window_ids.h"

#include "common/fit_rect.h"
#include "database/multimedia/media_type.h"
#include "database/multimedia/picture_format.h"
#include "database/nodes/data_node.h"
#include "media/picture.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr const char* kNotAllowed = "Option combination not allowed";

} // namespace

CRect PreviewPlacement(CSize picture, const RECT& area)
{
    const CRect box(area);
    if (picture.cx <= 0 || picture.cy <= 0 || box.IsRectEmpty())
        return {};
    int width = picture.cx;
    int height = picture.cy;
    if (width > box.Width() || height > box.Height())
        FitRect(width, height, box, false);
    const int left = box.left + (box.Width() - width) / 2;
    const int top = box.top + (box.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

std::string FirstChosenName(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    if (text[start] != '"')
        return text.substr(start);
    const std::size_t end = text.find('"', start + 1);
    return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
}

// ---- The dialog -------------------------------------------------------------------------------

CMePicFileDlg::CMePicFileDlg(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                             DWORD flags, const char* filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExt, fileName, flags | OFN_HIDEREADONLY, filter, parent),
      m_panel(*this)
{
    SetPanel(&m_panel, kPicFileTemplate);
}

int CMePicFileDlg::DoModal()
{
    if (m_otherMedia)
        SetTitle("Insert Other Multimedia (Sounds, Videos, etc)");
    return CFileDialog::DoModal();
}

void CMePicFileDlg::OnFileNameChange(const std::string& current)
{
    const std::string path = FirstChosenName(current);
    if (path == m_path)
        return;
    m_path = path;
    m_panel.RefreshPreview();
}

// ---- The panel --------------------------------------------------------------------------------

CMePicFilePanel::CMePicFilePanel(CMePicFileDlg& owner) : m_owner(owner) {}

BOOL CMePicFilePanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    CMePicFileDlg& d = m_owner;
    d.m_storage = CMePicFileDlg::kStoreLink;
    CheckRadioButton(kStoreLinkId, kEmbedId, kStoreLinkId);
    if (CWnd* area = GetDlgItem(kPreviewAreaId)) {
        area->GetWindowRect(&m_area);
        ScreenToClient(&m_area);
        area->ShowWindow(SW_HIDE);
        if (!d.m_otherMedia)
            m_previewWnd.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, m_area, this,
                                  kPreviewAreaId + 1000);
    }
    if (d.m_pContext) {
        std::string text;
        d.m_pContext->GetText(text, 0);
        SetDlgItemText(kLinkedRecordId, "record, linked to " + text);
        SetDlgItemText(kFieldId, "field, belonging to  " + text);
    } else {
        d.m_insertAs = CMePicFileDlg::kUnlinkedRecord;
        d.m_canLinkRecord = FALSE;
        d.m_canField = FALSE;
    }
    if (!d.m_canLinkRecord) {
        GetDlgItem(kLinkedRecordId)->EnableWindow(FALSE);
        if (d.m_insertAs == CMePicFileDlg::kLinkedRecord)
            d.m_insertAs = CMePicFileDlg::kUnlinkedRecord;
    }
    if (!d.m_canField) {
        GetDlgItem(kFieldId)->EnableWindow(FALSE);
        if (d.m_insertAs == CMePicFileDlg::kField)
            d.m_insertAs = CMePicFileDlg::kUnlinkedRecord;
    }
    const int chosen = d.m_insertAs == CMePicFileDlg::kLinkedRecord ? kLinkedRecordId
                       : d.m_insertAs == CMePicFileDlg::kField      ? kFieldId
                                                                    : kUnlinkedId;
    CheckDlgButton(kLinkedRecordId, chosen == kLinkedRecordId ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kUnlinkedId, chosen == kUnlinkedId ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kFieldId, chosen == kFieldId ? BST_CHECKED : BST_UNCHECKED);
    if (d.m_otherMedia) {
        SetDlgItemText(kStorageGroupId, "Storage Options");
        SetDlgItemText(kStoreLinkId, "Store link to file (recommended)");
        SetDlgItemText(kEmbedId, "Embed copy of file");
        GetDlgItem(kPreviewId)->ShowWindow(SW_HIDE);
    }
    CheckDlgButton(kPreviewId, d.m_preview ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

BOOL CMePicFilePanel::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (id) {
        case kStoreLinkId:
        case kEmbedId:
            OnStorageClicked();
            return TRUE;
        case kLinkedRecordId:
        case kUnlinkedId:
        case kFieldId:
            OnInsertClicked(id);
            return TRUE;
        case kPreviewId:
            m_owner.m_preview = IsDlgButtonChecked(kPreviewId) == BST_CHECKED;
            RefreshPreview();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMePicFilePanel::OnStorageClicked()
{
    if (IsDlgButtonChecked(kEmbedId) == BST_CHECKED &&
        IsDlgButtonChecked(kFieldId) == BST_CHECKED) {
        MessageBox("You cannot embed a copy of a picture if you are going to insert it as a new "
                   "field.",
                   MB_OK | MB_ICONEXCLAMATION, kNotAllowed);
        CheckRadioButton(kStoreLinkId, kEmbedId, kStoreLinkId);
        m_owner.m_storage = CMePicFileDlg::kStoreLink;
        return;
    }
    m_owner.m_storage = IsDlgButtonChecked(kEmbedId) == BST_CHECKED ? CMePicFileDlg::kEmbedCopy
                                                                    : CMePicFileDlg::kStoreLink;
}

void CMePicFilePanel::OnInsertClicked(int id)
{
    m_owner.m_insertAs = id == kLinkedRecordId ? CMePicFileDlg::kLinkedRecord
                         : id == kFieldId      ? CMePicFileDlg::kField
                                               : CMePicFileDlg::kUnlinkedRecord;
    if (id == kFieldId && IsDlgButtonChecked(kEmbedId) == BST_CHECKED) {
        MessageBox("It you insert a picture as a new field, you cannot also embed a copy of it.",
                   MB_OK | MB_ICONEXCLAMATION, kNotAllowed);
        CheckRadioButton(kStoreLinkId, kEmbedId, kStoreLinkId);
        m_owner.m_storage = CMePicFileDlg::kStoreLink;
    }
}

CRect CMePicFilePanel::GetPreviewRect() const
{
    CRect inside = m_area;
    inside.DeflateRect(2, 2);
    return inside;
}

void CMePicFilePanel::RefreshPreview()
{
    if (m_previewWnd.GetSafeHwnd())
        m_previewWnd.Invalidate(FALSE);
}

void CMePicFilePanel::DrawPreview(CDC& dc, const CRect& client)
{
    dc.Draw3dRect(&client, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    CRect fill = client;
    fill.DeflateRect(1, 1);
    dc.FillSolidRect(&fill, GetSysColor(m_owner.m_preview ? COLOR_WINDOW : COLOR_BTNFACE));
    if (!m_owner.m_preview || m_owner.m_path.empty())
        return;
    try {
        int format = GuessPictureFormat(m_owner.m_path);
        if (!format)
            format = PictureFormatFromExtension(m_owner.m_path);
        if (!format)
            return;
        CPicture picture;
        if (picture.LoadPicture(m_owner.m_path, format) != 0)
            return;
        CRect inside = client;
        inside.DeflateRect(2, 2);
        const CRect place = PreviewPlacement(picture.GetSize(), inside);
        if (place.IsRectEmpty())
            return;
        if (place.Size() == picture.GetSize()) {
            picture.Draw(dc, place.TopLeft());
            return;
        }
        CPicture fitted;
        if (fitted.Resize(place.Size(), picture) == 0)
            fitted.Draw(dc, place.TopLeft());
    } catch (...) {
        // A file that cannot be shown leaves the area empty.
    }
}
