// records/properties/rec_page_media.h: the Objects page (template 302): the multimedia links and
// embedded objects of a record, a preview of the selected one with its close-up, its caption,
// and the order of preference.
#pragma once

#include "controls/col_box.h"
#include "controls/u_button.h"
#include "records/properties/record_page.h"

#include "database/multimedia/object_rows.h"

#include <string>

class CIndRec;
class CMediaItem;

/// The caption lives in the link's frame note: a caption typed for a link without a number goes
/// into the frame note that numbering it makes, and unlinking takes the frame note too. The
/// object's own action opens other files through the desktop and refuses objects of other
/// programs.
class CRecPageMedia final : public CRecordPage, private CColBoxOwner, private CUButtonListener {
public:
    static constexpr UINT kTemplate = 302;
    static constexpr UINT kOpenId = 33001, kDeleteId = 33002, kHigherId = 32995, kLowerId = 32996,
                          kGoToId = 33003, kActionId = 33000;

    CRecPageMedia();
    ~CRecPageMedia() override;

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    void SetLargeMode(bool large) override;
    CDataNode* GetNodeForControl(CDataCtl* control) override;
    void OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    void OnCtlDestroyed(CDataCtl* control) override;

    void OnDeleteObject();
    void OnHigherPreference();
    void OnLowerPreference();
    void OnGoToRecord();
    void OnPerformAction();
    void SortByColumn(int column);

    /// The text of a row's column for the record the page shows (GetObjectRowText).
    std::string GetCellText(const CDataNode* node, int kind, int column) const;
    static CMediaItem* GetRowMediaItem(const CDataNode* node, int kind);
    CColBox& GetList() { return m_list; }
    void SelectRow(CTreeBoxNode* row);
    CDataCtl* GetCaptionEditor() const { return m_caption; }
    CUButton& GetButton(int index) { return m_buttons[index]; }
    /// Draws the selected object (the first picture in the small box) into rect.
    void DrawPreview(CDC& dc, const CRect& rect);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::string GetItemText(CColBox* box, CTreeBoxNode* node, std::uintptr_t data, int column,
                            bool measure, CDC* dc, CSize* size) override;
    void OnSelChanged(CColBox* box) override;
    bool OnColumnClick(CColBox* box, int column) override;
    bool OnDoubleClick(CColBox* box, CTreeBoxNode* node, int part) override;
    void OnButtonClicked(CUButton* button) override;
    /// The command of the mini button with the id.
    void OnMiniButton(UINT id);

    void FillList();
    CTreeBoxNode* AddRow(CDataNode* node, int kind);
    bool IsListCurrent();
    void BindDetail();
    void UpdateButtons();
    void MovePreference(bool up);
    /// The close-up of a link's picture; false without one.
    bool GetCloseUpRect(const CDataNode* node, int kind, RECT& rect) const;
    void ShowLargeControls(bool large);
    /// The page's tab reads "Objects" in the large box and "Picture" in the small one.
    void UpdateTabCaption(bool large);
    /// The individual whose objects the page lists; null on the pages of other records.
    const CIndRec* PageIndividual() const;

    CColBox m_list;
    CUButton m_buttons[6];
    CDataCtl* m_caption = nullptr;
    CPictureAreaWnd m_preview{[this](CDC& dc, const CRect& rect) { DrawPreview(dc, rect); }};
    CRect m_previewRect;
    CDataNode* m_editing = nullptr;
    /// The column the list is sorted by; GetObjectColumnOrder says in what order.
    int m_sortColumn = 3;
    bool m_individualPage = false;
};
