// records/properties/rec_page_ind_main.h: the individual's Main page (template 172): its own
// fields and, in the large box, its spouse families on tabs with the partner, the marriage and
// the children four rows at a time, where relatives are added, linked, reordered and visited.
#pragma once

#include "controls/u_button.h"
#include "platform/ui/drawing/bitmap.h"
#include "records/properties/child_array.h"
#include "records/properties/individual_view_state.h"
#include "records/properties/record_page.h"

#include <string>
#include <vector>

class CFamRec;
class CIndRec;

/// One connector of the Main page: a child window over its area that draws its bitmap, the mask
/// ORed onto the page's face and the picture ANDed over it.
class CConnectorWnd final : public CWnd {
public:
    void SetPicture(CBitmap* bitmap, int height)
    {
        m_bitmap = bitmap;
        m_height = height;
    }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    CBitmap* m_bitmap = nullptr;
    int m_height = 0;
};

/// A prompt in a read-only name box ("< click here to add parent >", "... spouse >", "... child >",
/// "... sibling >") opens the add-relative menu on a click, Space, Down or F2; the click that
/// closes the menu is not taken as a new one (kMenuTimerMs). Typing into a family box writes into
/// that relative, making the partner, the child (before the next child below its row) or the
/// missing parent first. "Parents >>" goes to the parents (a menu when there are several families)
/// or to the missing parent; a child's ">>" keeps the focus when the child shown has a child in
/// that row, else the focus goes to the child's name. The ">" marker (and what the child arrows
/// move) is the row whose box holds the focus; when another record is shown it goes to the row that
/// holds the focus then, or to none.
class CRecPageIndMain final : public CRecordPage, private CUButtonListener {
public:
    static constexpr UINT kTemplate = 172;
    static constexpr UINT kMenuTimer = 50, kMenuTimerMs = 500;
    static constexpr UINT kCreateNew = 701, kLinkExisting = 702, kFirstParentFamily = 703;
    static constexpr int kChildRows = CChildArray::kRows;

    CRecPageIndMain();
    ~CRecPageIndMain() override;

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    void SetLargeMode(bool large) override;
    void FocusDefault() override;
    CDataNode* GetNodeForControl(CDataCtl* control) override;
    void GetFirstPageState(CPageState& state) const override;
    void CommitEdits() override;
    void OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced) override;

    // IDataCtlOwner.
    BOOL OnCtlKeyDown(CDataCtl* control, UINT key, UINT repeat, UINT flags) override;
    BOOL OnCtlLButtonDown(CDataCtl* control) override;
    BOOL OnCtlLButtonUp(CDataCtl* control) override;
    void OnCtlSetFocus(CDataCtl* control) override;
    void OnCtlDestroyed(CDataCtl* control) override;
    BOOL CanChangeField(CDataCtl* control, int fieldId, std::string& message) override;

    // Navigation and reordering.
    void OnParents();
    void OnGoToSpouse();
    void OnGoToChild(int row);
    void OnTabChanged();
    void MoveSpouse(bool up);
    void MoveChild(bool up);
    void Scroll(UINT code, int thumb);
    /// Commits a child row's sex edit (its letter).
    void CommitChildSex(int row);

    // What tests read.
    const CIndividualViewState& GetViewState() const { return m_view; }
    const CChildArray& GetChildren() const { return m_children; }
    int GetFocusRow() const { return m_focusRow; }
    void SetFocusRow(int row) { m_focusRow = row; }
    CDataCtl* GetNameControl() const { return m_nameCtl; }
    CDataCtl* GetSpouseNameControl() const { return m_spouseNameCtl; }
    CDataCtl* GetChildNameControl(int row) const { return m_childNameCtl[row]; }
    const std::vector<CDataCtl*>& GetSpouseControls() const { return m_spouseCtls; }
    const std::vector<CDataCtl*>& GetChildControls(int row) const { return m_childCtls[row]; }
    bool IsMenuJustClosed() const { return m_menuJustClosed; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnTimer(UINT_PTR id) override;

private:
    enum Panel { kPanelNone, kPanelMain, kPanelSpouse, kPanelFamily, kPanelChild };

    void OnButtonClicked(CUButton* button) override;
    void BuildFamilyPanels();
    void MakeArrows(int frameId, CUButton& up, CUButton& down);
    Panel PanelOf(const CDataCtl* control, int& row) const;
    /// The child row whose data control or sex edit holds the focus; -1 for none.
    int RowHoldingFocus();
    CIndRec* Individual() const;
    CIndRec* Partner() const;
    CFamRec* FocusFamily() const { return m_view.GetFocusFamily(); }

    void FillMainPanel();
    void FillTabs();
    void UpdateSpousePanel();
    void UpdateChildRows(bool keepGaps);
    void UpdateMarkers();
    void UpdateScrollBar();
    void UpdateSpouseArrows();
    static void ShowIn(std::vector<CDataCtl*>& controls, CRecordNode* record, bool editable);
    void Reload();

    /// The commits of each panel; an abort inside still ends with NotifyChanges.
    void CommitMain(CDataCtl* control);
    void CommitSpouse(CDataCtl* control);
    void CommitFamily(CDataCtl* control);
    void CommitChild(int row, CDataCtl* control, int sex);
    void ChangeSex(CDataCtl* control);
    /// Writes the control's value into record at the control's path (made when missing and the
    /// control holds a value); with show the node shows its value in the control instead.
    static void WriteInto(CRecordNode* record, CDataCtl* control, bool show);
    /// The sex of the individual, else the sex control's, else asked; -1 when cancelled.
    int SexForNewRelative(const std::string& question);

    void OpenRelativeMenu(CDataCtl* control, Panel panel, int row);
    void LinkExisting(Panel panel, int row);

    CIndividualViewState m_view;
    CChildArray m_children;
    std::vector<CDataCtl*> m_spouseCtls;
    std::vector<CDataCtl*> m_familyCtls;
    std::vector<CDataCtl*> m_childCtls[kChildRows];
    CDataCtl* m_nameCtl = nullptr;
    CDataCtl* m_spouseNameCtl = nullptr;
    CDataCtl* m_childNameCtl[kChildRows] = {};
    CDataCtl* m_sexCtl = nullptr;
    CBitmap m_connectors[3];
    CConnectorWnd m_connectorWnds[3];
    CUButton m_spouseUp, m_spouseDown, m_childUp, m_childDown;
    UINT m_nextId = 0;
    int m_focusRow = -1;
    bool m_loading = false;
    bool m_swallowButtonUp = false;
    bool m_menuJustClosed = false;
    bool m_creatingNew = false;
    bool m_inCommit = false;
    UINT_PTR m_menuTimer = 0;
};
