// records/properties/rec_page_note.h: the Notes page: the record's local notes, for an individual
// the notes of the spouse families, and the linked note records, one of them edited at a time.
#pragma once

#include "records/properties/record_page.h"

#include "controls/col_box.h"
#include "controls/u_button.h"

#include <string>
#include <vector>

class CFamRec;

/// The kinds of the list's rows.
enum NoteRowKind : int {
    kNoteLocal = 0,  // a NOTE text of the record
    kNoteFamily = 1, // a NOTE text of one of the individual's spouse families
    kNoteLinked = 2, // a NOTE link of the record to a note record
};

/// One note of a record as the list shows it.
struct NoteRow {
    CDataNode* node = nullptr;
    int kind = kNoteLocal;

    bool operator==(const NoteRow&) const = default;
};

/// The notes of record in the list's order: local notes, the spouse families' notes (an
/// individual only), then the note links that have a target.
std::vector<NoteRow> CollectNotes(const CRecordNode* record);
/// The row's two cells, Note and Type, as the list shows them.
std::string NoteCellText(const NoteRow& row, const CRecordNode* record, int column);

/// The editor shows the selected note: a local or family note itself, or the TEXT of the note
/// record a link points to (made at the first text typed when the record has none).
class CRecPageNote final : public CRecordPage, public CColBoxOwner, public CUButtonListener {
public:
    static constexpr UINT kListId = 5000, kEditorId = 5001;
    static constexpr UINT kAddNote = 33001, kDeleteNote = 33002, kMoveUp = 32995, kMoveDown = 32996,
                          kGoToRecord = 33003;

    CRecPageNote();
    ~CRecPageNote() override;

    void LoadFromRecord(const CPageState& state) override;
    BOOL Refresh(CView* sender, LPARAM hint, CObject* object) override;
    void SetLargeMode(bool large) override;
    CDataNode* GetNodeForControl(CDataCtl* control) override;
    void OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    void OnCtlDestroyed(CDataCtl* control) override;

    // CColBoxOwner.
    void OnSelChanged(CColBox* box) override;
    bool OnColumnClick(CColBox* /*box*/, int /*column*/) override { return false; }
    // CUButtonListener.
    void OnButtonClicked(CUButton* button) override;
    /// The command of the mini button with the id.
    void OnMiniButton(UINT id);

    void OnAddNote();
    void OnDeleteNote();
    void OnMove(bool up);
    void OnGoToRecord();

    CColBox& GetList() { return m_list; }
    CDataCtl* GetEditor() const { return m_editor; }
    /// The rows as the list holds them, in order.
    std::vector<NoteRow> GetRows() const;
    /// The selected row; a null node when none is.
    NoteRow GetSelectedRow() const;

protected:
    BOOL OnInitDialog() override;

private:
    void Fill();
    /// Shows the selected row's note in the editor (or none, read-only).
    void BindDetail();
    void UpdateButtons();
    /// The list's row holding node; null when none.
    CTreeBoxNode* FindRow(const CDataNode* node) const;
    /// Where a new row of kind (in family for kind 1) goes: after the last row of the first
    /// run of that kind; null for first.
    CTreeBoxNode* FindInsertPosition(int kind, const CFamRec* family) const;
    CTreeBoxNode* InsertRow(CTreeBoxNode* after, const NoteRow& note);
    void SelectRow(CTreeBoxNode* row);
    /// Whether the selected row's note is still one of the record's notes.
    bool IsCurrent(const NoteRow& row) const;
    /// The note record text node of a link; null when there is none.
    static CDataNode* LinkedText(const CDataNode* link);

    CColBox m_list;
    CDataCtl* m_editor = nullptr;
    CUButton m_buttons[5];
    CDataNode* m_editing = nullptr;
};
