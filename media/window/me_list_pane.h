// media/window/me_list_pane.h: the left half of the Multimedia window: the objects the window's
// context names, the links and notes of the selected object, and the note of the selected link.
#pragma once

#include "controls/u_splitter_wnd.h"
#include "media/window/link_entries.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/windows/wnd.h"

#include <vector>

class CCmdUI;
class CDataNode;
class CMediaItem;
class CMeDisplayPane;
class CObject;
class CRecordNode;
class CSubViewMedia;
class CView;

/// A splitter that hands its panes' notifications to the window that holds it.
class CForwardingSplitter final : public CUSplitterWnd {
protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

/// Three stacked panes: the objects list (107), the links list (108) and the note editor (109).
/// The objects list holds multimedia records and embedded objects; each row's item data is its
/// node. The link entries are read from the data whenever the selected object changes or its
/// record changed; a note is made only when the user writes one or gives an entry a frame.
class CMeListPane final : public CWnd {
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
    int GetObjectRowCount() const;
    int GetLinkRowCount() const { return int(m_links.size()); }
    std::vector<std::string> GetObjectRowTexts() const;
    std::vector<std::string> GetLinkRowTexts() const;

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

    CListBox& GetObjectsList() { return m_objects; }
    CListBox& GetLinksList() { return m_linkList; }
    CEdit& GetNoteEdit() { return m_note; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnObjectSelected();
    void OnLinkSelected(int row);
    /// Reads the shown object's entries again and refills the links list, selecting the entry
    /// with that frame and record (or none).
    void ReloadLinks(const CMeLinkEntry* keep);
    void FillLinksList();
    void FillNoteEditor();
    /// A row for node at the end of the objects list.
    void AddObjectRow(CDataNode* node);
    void RefreshObjectRows();
    void DeleteSelectedMediaItem(UINT list);
    void DeleteSelectedObject();
    void DeleteSelectedLink();
    void SortObjects(int how);
    int FocusedList() const;

    CForwardingSplitter m_splitter;
    CListBox m_objects;
    CListBox m_linkList;
    CEdit m_note;
    std::vector<CDataNode*> m_objectNodes;
    std::vector<CMeLinkEntry> m_links;
    CSubViewMedia* m_view = nullptr;
    CMeDisplayPane* m_display = nullptr;
    CDataNode* m_shownObject = nullptr;
    int m_lastLinkRow = -1;
    UINT m_activeList = 107;
    bool m_allRecords = false;
    bool m_suppressReselect = false;
};
