// records/properties/rec_page_obj_main.h: a multimedia record's Main page, which tells an embedded
// object from a linked one and shows the picture in the large box.
#pragma once

#include "records/properties/record_page.h"

class CRecPageObjMain final : public CRecordPage {
public:
    CRecPageObjMain();

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    void SetLargeMode(bool large) override;

protected:
    BOOL OnInitDialog() override;
    /// A record linked by FILE lines (GEDCOM 5.5.1) and without fields of its own for them
    /// shows its first FILE, and the format and title beneath it, in the linked file, format and
    /// title boxes, which edit them there.
    CDataNode* FindControlField(CDataCtl& control, CRecordNode& record) override;

private:
    /// The labels and the file field's read-only state for an embedded or linked object.
    void ShowStorage();
    /// The picture area in the large box: a sunken frame around the record's picture.
    void DrawPictureArea(CDC& dc, const CRect& area);

    CDataCtl* m_fileControl = nullptr;
    CDataCtl* m_formatControl = nullptr;
    CDataCtl* m_titleControl = nullptr;
    CDataCtl* m_noteControl = nullptr;
    CRect m_noteLargeRect;
    int m_noteSmallHeight = 0;
    CPictureAreaWnd m_pictureArea{
        [this](CDC& dc, const CRect& area) { DrawPictureArea(dc, area); }};
};
