// records/properties/rec_page_obj_main.cpp: the multimedia Main page's storage labels, its note
// control's two sizes and its picture.
#include "records/properties/rec_page_obj_main.h"

#include "database/nodes/change_hint.h"
#include "records/properties/properties_dlg.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_tracking.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/sys_metrics.h"

namespace {

constexpr int kNotePlaceholder = 1434, kFilePlaceholder = 1467, kPicturePlaceholder = 1230,
              kFileLabel = 1468, kStorageText = 1461;

} // namespace

CRecPageObjMain::CRecPageObjMain() : CRecordPage(227) {}

BOOL CRecPageObjMain::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (const CWnd* note = GetDlgItem(kNotePlaceholder))
        m_noteLargeRect = ChildRect(*note);
    if (const CWnd* file = GetDlgItem(kFilePlaceholder))
        m_noteSmallHeight = ChildRect(*file).Height();
    if (CWnd* picture = GetDlgItem(kPicturePlaceholder)) {
        picture->ShowWindow(SW_HIDE);
        m_pictureArea.CreateEx(0, nullptr, "", WS_CHILD | (IsLarge() ? WS_VISIBLE : 0),
                               ChildRect(*picture), this, kPicturePlaceholder + 1000);
    }
    SetLoadEnabled(false);
    BuildControls();
    m_fileControl = FindControlByField(FIELD_OBJE_LINKED_FILE);
    m_formatControl = FindControlByField(FIELD_FORM);
    m_titleControl = FindControlByField(FIELD_TITL);
    m_noteControl = FindControlByField(FIELD_EXT_NOTE);
    SetLoadEnabled(true);
    LoadFromRecord({});
    return TRUE;
}

CDataNode* CRecPageObjMain::FindControlField(CDataCtl& control, CRecordNode& record)
{
    if (CDataNode* own = CRecordPage::FindControlField(control, record))
        return own;
    auto* object = dynamic_cast<CObjRec*>(&record);
    CDataNode* file = object ? object->FindFileField() : nullptr;
    if (!file)
        return nullptr;
    if (&control == m_fileControl)
        return file;
    if (&control == m_formatControl)
        return file->FindChild(nullptr, FIELD_FORM);
    if (&control == m_titleControl)
        return file->FindChild(nullptr, FIELD_TITL);
    return nullptr;
}

void CRecPageObjMain::ShowStorage()
{
    const auto* object = dynamic_cast<const CObjRec*>(GetRecord());
    const bool embedded = object && object->IsEmbedded();
    if (CWnd* label = GetDlgItem(kFileLabel))
        label->SetWindowText(embedded ? "Original File:" : "Linked File:");
    if (CWnd* storage = GetDlgItem(kStorageText))
        storage->SetWindowText(!object ? "" : embedded ? "Embedded" : "Linked File");
    if (m_fileControl)
        m_fileControl->SetReadOnly(embedded);
    if (IsLarge() && m_pictureArea.GetSafeHwnd())
        m_pictureArea.Invalidate();
}

void CRecPageObjMain::LoadFromRecord(const CPageState& state)
{
    CRecordPage::LoadFromRecord(state);
    if (IsBuilt() && IsLoadEnabled())
        ShowStorage();
}

BOOL CRecPageObjMain::Refresh(CView* sender, LPARAM hint, CObject* object)
{
    const BOOL result = CRecordPage::Refresh(sender, hint, object);
    if (hint == kHintRecordsEdited && IsBuilt() && GetRecord() && IsRecordListed(GetRecord()))
        ShowStorage();
    return result;
}

void CRecPageObjMain::SetLargeMode(bool large)
{
    CRecordPage::SetLargeMode(large);
    if (m_noteControl) {
        CWnd& note = m_noteControl->GetWnd();
        if (large) {
            note.MoveWindow(m_noteLargeRect);
        } else {
            const CRect rect = ChildRect(note);
            note.MoveWindow(rect.left, rect.top, rect.Width(), m_noteSmallHeight);
        }
    }
    if (!large)
        DropPicture();
    Invalidate();
    if (m_pictureArea.GetSafeHwnd()) {
        m_pictureArea.ShowWindow(large ? SW_SHOW : SW_HIDE);
        m_pictureArea.Invalidate();
    }
}

void CRecPageObjMain::DrawPictureArea(CDC& dc, const CRect& area)
{
    CRect inside = area;
    dc.Draw3dRect(&inside, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
    inside.DeflateRect(1, 1);
    dc.FillSolidRect(&inside, GetSysColor(GetRecord() ? COLOR_WINDOW : COLOR_3DFACE));
    if (GetRecord())
        DrawPicture(dc, FindRecordPicture(), nullptr, &inside);
}
