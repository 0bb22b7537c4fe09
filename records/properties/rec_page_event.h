// records/properties/rec_page_event.h: the Events page (template 298): the events and
// attributes of an individual (with those of its spouse families and, on request, its children's
// births and adoptions) or of a family, and the details of the selected one.
#pragma once

#include "controls/col_box.h"
#include "controls/u_button.h"
#include "records/properties/record_page.h"

#include "database/kin/fact_rows.h"

#include <map>
#include <memory>
#include <string>

class CBitmap;
class CDataNode;
class CIndRec;

/// The program-wide switch "Show birth/adoption of children": on at start, not saved.
bool GetShowChildEvents();
void SetShowChildEvents(bool show);

/// A partner of unknown sex keeps a family fact's age in the fact's own AGE, which the Age column
/// shows too. An Add whose field cannot be made adds no row. In "List in Order", facts move only
/// among their own kind.
class CRecPageEvent final : public CRecordPage, private CColBoxOwner, private CUButtonListener {
public:
    static constexpr UINT kTemplate = 298;
    /// The mini buttons' ids.
    static constexpr UINT kAddId = 33001, kDeleteId = 33002, kListInOrderId = 32999,
                          kMoveUpId = 32995, kMoveDownId = 32996, kGoToId = 33003;
    /// Row kind, kept in a row's second data word.
    static int RowKind(const CTreeBoxNode* row) { return row ? int(row->m_data2) : 0; }
    static CDataNode* RowFact(const CTreeBoxNode* row)
    {
        return row ? reinterpret_cast<CDataNode*>(row->m_data) : nullptr;
    }

    CRecPageEvent();
    ~CRecPageEvent() override;

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    void SetLargeMode(bool large) override;
    CDataNode* GetNodeForControl(CDataCtl* control) override;
    void OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    void OnCtlDestroyed(CDataCtl* control) override;

    // What the buttons and the check box do.
    void OnAddEvent();
    void OnDeleteEvent();
    void OnListInOrder();
    void OnMoveUp();
    void OnMoveDown();
    void OnGoToRecord();
    void OnShowChildEvents();
    void OnSelectFamily();
    /// A click on a column title: 0 sorts by date, 2 by age, any other by text.
    void SortByColumn(int column);

    CColBox& GetList() { return m_list; }
    void SelectRow(CTreeBoxNode* row);
    CUButton& GetButton(int index) { return m_buttons[index]; }
    ERowOrder GetSortMode() const { return GetEventColumnOrder(m_sortColumn).m_order; }
    bool IsListInOrder() const { return m_listInOrder; }
    /// The detail controls, in creation order: date, age, event name, value, number, place,
    /// address, adopted by, cause, note.
    CDataCtl* GetDetail(int index) const { return m_details[index]; }
    static constexpr int kDate = 0, kAge = 1, kEventName = 2, kValue = 3, kNumber = 4, kPlace = 5,
                         kAddress = 6, kAdoptedBy = 7, kCause = 8, kNote = 9, kDetailCount = 10;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The list's owner.
    std::string GetItemText(CColBox* box, CTreeBoxNode* node, std::uintptr_t data, int column,
                            bool measure, CDC* dc, CSize* size) override;
    void OnSelChanged(CColBox* box) override;
    bool OnColumnClick(CColBox* box, int column) override;
    void OnButtonClicked(CUButton* button) override;
    /// The command of the mini button with the id.
    void OnMiniButton(UINT id);

    void CreateList();
    void CreateButtons();
    void CreateDetails();
    CDataCtl* MakeDetail(int index, const CFieldDef* def, const CRect& rect, CWnd* after,
                         bool withPath, UINT flags = 0);

    void FillList();
    CTreeBoxNode* AddRow(CDataNode* fact, int kind);
    CBitmap* RowImage(const CDataNode* fact, int kind);
    bool IsListCurrent();
    void BindDetail();
    void ClearDetails();
    /// The detail rows a fact shows beside the date, place, address and note.
    struct DetailRows {
        bool family = false;    // birth, christening, adoption: the family of the child
        bool adoptedBy = false; // adoption: by whom
        bool cause = false;     // death, divorce, emigration, a custom event ...: the cause
    };
    /// The detail rows of a fact, by its field id.
    static DetailRows GetDetailRows(int fieldId);
    void ShowDetailRows(const DetailRows& rows);
    void FitValueLabel(CDataCtl* value);
    void UpdateButtons();
    /// Moves the selected fact and its row one place among the facts of its kind.
    void MoveFact(bool up);
    void RefreshDetails(CDataNode* fact, int kind);
    void RefreshField(CDataNode* parent, int fieldId, CDataCtl* control);
    /// The AGE field the age control edits for a row, or its holder; null for none.
    CDataNode* AgeHolder(CDataNode* fact, int kind) const;
    bool IsOwnBirth(const CDataNode* fact, int kind) const;
    CIndRec* PageIndividual() const;
    void Show(int id, bool show);
    void Show(CDataCtl* control, bool show);
    void MoveNote(int labelTop, int controlTop);

    CColBox m_list;
    CUButton m_buttons[6];
    CDataCtl* m_details[kDetailCount] = {};
    std::map<int, std::unique_ptr<CBitmap>> m_images;
    bool m_individualPage = false;
    /// The column the list is sorted by; GetEventColumnOrder says in what order.
    int m_sortColumn = 0;
    bool m_listInOrder = false;
    bool m_holdList = false;
    CDataNode* m_editing = nullptr;
    int m_nextDetailId = 0;
    // The layout marks, in client pixels.
    int m_smallListBottom = 0;
    int m_largeListBottom = 0;
    int m_familyEditTop = 0;
    int m_notePlaceholderTop = 0;
    int m_lowNoteTop = 0;
    int m_familyLabelTop = 0;
    int m_noteLabelTop = 0;
    int m_note2LabelTop = 0;
};
