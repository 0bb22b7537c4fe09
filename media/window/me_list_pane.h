// media/window/me_list_pane.h: the left half of the Multimedia window: the objects the window's
// context names, the links and notes of the selected object, and the note of the selected link.
#pragma once

#include "controls/u_splitter_wnd.h"
#include "media/window/link_entries.h"
#include "media/window/me_list_grid.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/wnd.h"
#include "records/datactl/data_ctl_multi.h"

#include <vector>

class CCmdUI;
class CDataNode;
class CMediaItem;
class CMeDisplayPane;
class CObject;
class CRecordNode;
class CSubViewMedia;
class CView;

/// Three stacked panes: the objects list (107), the links list (108) and the note editor (109).
/// Both lists are record grids whose rows open into the fields of what they show. The objects
/// list shows multimedia records and embedded objects (all multimedia records as a record set,
/// which follows new and deleted records by itself). The links list has one top-level row per
/// link entry, in the entries' order: the linked record, or the note of an entry without one.
/// The link entries are read from the data whenever the selected object changes or its record
/// changed; a note is made only when the user writes one or gives an entry a frame.
class CMeListPane final : public CWnd,
                          public ITagGridOwner,
                          public IDataCtlOwner,
                          public IMeRowDragOwner,
                          private CUSplitterListener {
public:
    CMeListPane();
    ~CMeListPane() override;

    BOOL Create(CWnd* parent, UINT id, CSubViewMedia* view, CMeDisplayPane* display);

    /// The selected object: a multimedia record's or an embedded object's; null for none.
    CMediaItem* GetCurrentMediaItem() const;
    CDataNode* GetCurrentObjectNode() const;
    /// Fills the objects list for a context (see CSubViewMedia::SetContextRecord).
    void ShowMediaRecordLinks(CDataNode* record, int addMode, bool singleObject, int argument);
    /// A row for the object's owner; false when it has one already.
    bool AddRecordRowToList(CMediaItem* object, int flag);
    void ResetMediaListPane();
    /// The selection of the list that has the focus or was active last.
    CObject* GetSelectedItemInFocusedList() const;
    void SetFocusToActiveList();
    /// Selects the row of the objects list (-1: none), as a click does.
    void SelectObjectRow(int row);
    /// Selects the row of the node in the objects list, when it has one.
    void SelectObjectNode(const CDataNode* node);
    /// Selects the row of the links list (-1: none), as a click does.
    void SelectLinkRow(int row);
    int GetObjectRowCount();
    int GetLinkRowCount() const { return int(m_links.size()); }
    /// The top-level rows' texts: the label, and ": " and the value when there is one.
    std::vector<std::string> GetObjectRowTexts();
    std::vector<std::string> GetLinkRowTexts();

    // Commands.
    void DeleteFocusedItem();
    bool CanDeleteFocusedItem() const;
    void MoveFocusedRowUp();
    void MoveFocusedRowDown();
    bool CanMoveFocusedRow(bool up) const;
    /// Sort the objects list; nothing while the window lists a record's links.
    void SortListAlphabetically();
    void SortListByCreation();
    void SortListByLastUpdate();
    bool IsObjectSetShown() const { return m_allRecords; }

    /// Asks what to link the object to (dialog 234, then a record chooser) and makes the note
    /// (with frame, when given) and the link. 0 when there is no object or the user cancelled.
    int LinkObjectToRecord(CMediaItem* object, const RECT* frame);
    /// Stores frame as the frame of the selected link's note.
    bool SetSelectedFrame(const RECT& frame);

    /// The entries of the shown object; the selected one, or null.
    const std::vector<CMeLinkEntry>& GetLinkEntries() const { return m_links; }
    const CMeLinkEntry* GetSelectedEntry() const;
    int GetSelectedLinkRow() const { return m_lastLinkRow; }
    /// The entry whose frame holds the point (picture pixels); -1 for none.
    int HitTestFrames(CPoint point) const { return HitTestLinkEntries(m_links, point); }

    /// Change notices (hints 1 and 3), from the window.
    void OnUpdate(CView* sender, LPARAM hint, CObject* object);
    /// Stores the note editor's text in the selected entry's note when the user changed it.
    void CommitNote();

    CMeListGrid& GetObjectsList() { return m_objects; }
    CMeListGrid& GetLinksList() { return m_linkList; }
    CDataCtlEditMulti& GetNoteCtl() { return m_note; }
    /// The note editor's edit, where the user types.
    CEdit& GetNoteEdit() { return m_note.GetEdit(); }

    // The lists' owner.
    void OnGridSelChanged(CTagGrid* grid) override;
    void OnGridFocus(CTagGrid* grid) override;
    /// Delete in a list deletes as the window's command does; the grid deletes nothing itself.
    bool MayDelete(CTagGrid* grid) override;
    bool BeforeMove(CTagGrid* grid, int direction) override;
    bool CanMove(CTagGrid* grid, int direction, bool& result) override;
    // The rows dragged: records among records and fields among fields of the objects list while
    // it shows a record's links; notes among notes in the links list.
    bool CanDragRow(CMeListGrid* grid, CTreeBoxNode* row) override;
    void OnRowDropped(CMeListGrid* grid, CTreeBoxNode* row, CTreeBoxNode* target,
                      bool after) override;
    // The note editor's owner.
    void OnCtlSetFocus(CDataCtl* control) override;
    void OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    /// A bar the user dragged: the shares are kept for the next window.
    void OnSplitterDragEnded(CUSplitterWnd* splitter) override;
    void OnObjectSelected();
    void OnLinkSelected(int row);
    /// Reads the shown object's entries again and refills the links list, selecting the entry
    /// with that frame and record (or none).
    void ReloadLinks(const CMeLinkEntry* keep);
    void FillLinksList();
    void FillNoteEditor();
    /// A row for node at the end of the objects list.
    void AddObjectRow(CDataNode* node);
    /// Brings the objects list in line with the data after a change notice.
    void RefreshObjectRows(CView* sender, LPARAM hint, CObject* object);
    void DeleteSelectedMediaItem(UINT list);
    void DeleteSelectedObject();
    void DeleteSelectedLink();
    int FocusedList() const;
    bool CanMoveRow(int list, bool up) const;
    void MoveRow(int list, bool up);
    /// The context record's first multimedia link to the object record; null for none.
    CDataNode* ContextLinkTo(const CDataNode* object) const;
    /// The row of the objects list that is selected alone; null for none.
    CTreeBoxNode* SelectedObjectRow() const;
    /// The index of the links list's top-level row that is selected alone, or that holds the
    /// row selected; -1 for none.
    int SelectedLinkRow();
    /// Selects the top-level row of the grid at index alone (none for -1), telling nobody.
    void PutSelection(CMeListGrid& grid, int index);

    CUSplitterWnd m_splitter;
    CMeListGrid m_objects;
    CMeListGrid m_linkList;
    CDataCtlEditMulti m_note;
    std::vector<CMeLinkEntry> m_links;
    CSubViewMedia* m_view = nullptr;
    CMeDisplayPane* m_display = nullptr;
    CDataNode* m_shownObject = nullptr;
    int m_lastLinkRow = -1;
    UINT m_activeList = 107;
    bool m_allRecords = false;
    /// Set while the pane itself changes the lists: their selection notices are its own.
    bool m_filling = false;
};
