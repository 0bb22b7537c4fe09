// records/datactl/data_ctl_assoc_combo.h: the drop-down record chooser: the chosen record's text
// with a button that drops a record grid of the offered records below it.
#pragma once

#include "controls/u_button.h"
#include "controls/value_inputs.h"
#include "records/datactl/data_ctl.h"
#include "records/grid/tag_grid.h"

class CDataCtlAssocCombo;

/// The drop-down list: a record grid in a popup window owned by the chooser. A click on a row
/// of an offered record, or Enter on it, picks it; Escape closes the list unchanged. Nothing in
/// it edits or deletes data.
class CAssocComboGrid final : public CTagGrid {
public:
    explicit CAssocComboGrid(CDataCtlAssocCombo& combo) : m_combo(combo) {}

    /// Picks the row's record when the row is one of an offered record; false otherwise.
    bool OnPick(CTreeBoxNode* row);

    bool OnKeyDown(CTreeBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    bool OnButtonDown(CTreeBox* box, CTreeBoxNode* node, UINT flags, int x, int y,
                      int& part) override;
    bool OnRightClick(CTreeBox* box, CTreeBoxNode* node, CWnd* wnd, UINT flags, int x, int y,
                      int part) override;
    bool OnDoubleClick(CTreeBox* box, CTreeBoxNode* node, int part) override;
    void OnKillFocus(CTreeBox* box) override;

private:
    bool IsOffered(const CTreeBoxNode* row) const;

    CDataCtlAssocCombo& m_combo;
};

/// The chosen record's text in a field with a sunken edge (id 111), painted with the window
/// colour; a click on it tells the chooser.
class CAssocComboText final : public CWnd {
public:
    explicit CAssocComboText(CDataCtlAssocCombo& combo) : m_combo(combo) {}

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* /*dc*/) override { return TRUE; }
    void OnLButtonDown(UINT flags, CPoint point) override;

private:
    CDataCtlAssocCombo& m_combo;
};

/// Window text "AV_DataCtlAssoc"; the text field (id 111) and the drop-down button (id+2)
/// inside; the list (id+4) is made at the first drop-down and lives as long as the control.
/// While the list is down, any click outside the list and the control, any command or system
/// command, and a top-level window resized or moved close it; so do Escape and the list losing
/// the focus. The owner learns of a pick through OnCtlChanged. Owners pass change notices on
/// (OnDataChanged): the list follows them, and a chosen record that goes is forgotten.
class CDataCtlAssocCombo final : public TDataCtlWnd<CWnd>,
                                 public IRecordInput,
                                 public ITagGridOwner,
                                 private CUButtonListener {
public:
    /// The id of the text field, whatever the control's id.
    static constexpr UINT kTextId = 111;
    /// The close message that the application-wide watch posts to the control.
    static constexpr UINT kCloseMessage = 0x42D;
    /// The button image: 11 x 11 frames.
    static constexpr UINT kDropBitmap = 134;
    static constexpr int kMinRows = 8, kMaxRows = 16;

    CDataCtlAssocCombo();
    ~CDataCtlAssocCombo() override;

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    /// Empties the text; the chosen record stays until SetSelection.
    void Clear() override;
    BOOL IsEmpty() const override;
    /// kHintDataSetClearing, or the chosen record going, forgets the chosen record; the list
    /// follows the notice.
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object) override;
    bool GetValueText(std::string& text) override;

    /// Offers the records under root (a record type's root node, may be null) in a list rows
    /// tall (held to 8 ... 16), with current chosen.
    void SetChoice(CDataNode* root, int rows, CRecordNode* current);
    /// Chooses the record (null: none) and shows its text.
    void SetSelection(CRecordNode* record);
    CRecordNode* GetSelection() const { return m_current; }
    /// Drops the list down (made and filled at the first time) or closes it. FALSE when the list
    /// cannot be made.
    BOOL ShowDropDown(BOOL show);
    BOOL IsDroppedDown() const;
    CAssocComboGrid& GetList() { return m_list; }
    CWnd& GetTextField() { return m_text; }
    CUButton& GetDropButton() { return m_button; }

    // The record input of a value editor.
    CWnd& GetInputWnd() override { return *this; }
    void SetRecordChoice(const CDataPath& path, CDataNode* root, int rows,
                         CRecordNode* current) override;
    CRecordNode* GetChosenRecord() override { return m_current; }

    // The list's owner: moving the selection shows the record it lands on.
    void OnGridSelChanged(CTagGrid* grid) override;

    /// What the list and the text field report.
    void OnPicked(CRecordNode* record);
    void OnTextClicked();
    /// Whether the record is one of those offered.
    bool IsOffered(const CDataNode* node) const;
    /// The application-wide message watch, for each message taken from the queue while the
    /// list is down: whether msg closes the list.
    bool HookProc(const MSG& msg);
    /// Posts the close message once, while the list is down.
    void PostClose();
    void OnListLostFocus();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnDestroy() override;

private:
    void OnButtonClicked(CUButton* button) override;
    void LayOut();
    void ShowText(const CDataNode* record);
    /// Hides the list, takes the watch back and, when the list had the focus, gives it to the
    /// control.
    void CloseList();
    /// Gives the application-wide watch up when this control owns it.
    void ReleaseWatch();

    CAssocComboText m_text;
    CUButton m_button;
    CAssocComboGrid m_list;
    CDataNode* m_root = nullptr;
    int m_rows = kMinRows;
    CRecordNode* m_current = nullptr;
    bool m_listMade = false;
    /// The list shows the records of m_root.
    bool m_listFilled = false;
    /// The last press seen while the list was down fell on the control.
    bool m_pressOnControl = false;
    /// How many times the list has dropped down.
    WPARAM m_drops = 0;
};

/// Makes a chooser for a record value editor.
std::unique_ptr<IRecordInput> MakeRecordInput(CWnd& parent, const RECT& rect, UINT id);
