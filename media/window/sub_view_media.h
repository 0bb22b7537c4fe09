// media/window/sub_view_media.h: the Multimedia window: what its list stands for (its context
// mode), its title, the change notices it passes on and the commands of its menu.
#pragma once

#include "app/shell/sub_view.h"
#include "controls/u_splitter_wnd.h"
#include "media/window/me_display_pane.h"
#include "media/window/me_list_pane.h"
#include "media/window/media_window_ids.h"

#include <string>

class CDataNode;
class CMediaItem;
class CMePictureWnd;
class CObjRec;

/// The list pane on the left and the display pane on the right, side by side. The window starts
/// empty (mode 0); SetContextRecord gives it its content.
class CSubViewMedia final : public CSubView, private CUSplitterListener {
public:
    /// What the list stands for.
    enum ContextMode : int {
        kModeEmpty = 0,
        kModeOneObject = 1,
        kModeRecordLinks = 2,
        kModeLinksAndMore = 3,
        kModeSelection = 4,
        kModeAll = 5,
    };

    CSubViewMedia();
    ~CSubViewMedia() override;
    const CRuntimeClass* GetRuntimeClass() const override;

    // CSubView.
    BOOL Create(const RECT& rect, CAvView* parentView, UINT id, DWORD request) override;
    /// The selection of the focused list.
    CObject* GetSelection(const CRuntimeClass* cls, int* count) const override;
    int GetSubViewType() const override;
    void GetTitle(std::string& title) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;
    BOOL IsLockable() const override { return TRUE; }
    HICON LoadViewIcon(BOOL reusable, BOOL big) const override;
    /// Commands go to the picture window first.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

    /// Sets the context and fills the list. No record: all multimedia records. A record with
    /// addMode 0: a link is followed to its multimedia record (any other target changes
    /// nothing); a multimedia record or an embedded object is shown alone, another record's
    /// multimedia links are listed. With addMode the record's objects join a selection.
    void SetContextRecord(CDataNode* record, int addMode, int argument);
    /// An object was added: its row joins the list, and the window becomes a selection (from
    /// modes 0 and 1) or a record's links and more (mode 2, an object not linked from it).
    void OnRecordChange(CMediaItem* object, int flag);
    /// The record whose links the window lists (modes 2 and 3), else null.
    CDataNode* GetLinkedRecord() const;
    /// Performs the shown object's action (as the Perform Action command); returns 1.
    int RefreshDisplay();
    /// Back to the empty window (an all-records window stays one).
    void ResetWindow();
    /// Turns the picture tool; with notify the picture window redraws for it.
    void SetToolMode(int mode, bool notify);
    int GetToolMode() const { return m_toolMode; }
    int GetContextMode() const { return m_contextMode; }
    CDataNode* GetContextRecord() const { return m_contextRecord; }
    /// Shows the list pane when it is hidden.
    void EnsureContextPaneVisible();
    bool IsContextPaneVisible() const;

    CMeListPane& GetListPane() { return m_list; }
    CMeDisplayPane& GetDisplayPane() { return m_display; }
    CMePictureWnd& GetPictureWnd() { return m_display.GetPictureWnd(); }

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    void MapHandlers();
    /// The first layout: the list half the width, at most 250 pixels (or the width the user
    /// last dragged it to, within half the width), the display the rest.
    void PlacePanes(int cx, int cy);
    /// The list's width as the user dragged it is kept for the next window.
    void OnSplitterDragEnded(CUSplitterWnd* splitter) override;
    /// The frame rebuilds its title from GetTitle.
    void RebuildTitle();
    void ToggleTool(int mode);
    bool IsPictureShown() const;
    void OnRunQuery();
    void OnAbsorb();
    void OnExpel();
    /// The shown object's multimedia record, else null.
    CObjRec* CurrentRecord() const;

    CUSplitterWnd m_splitter;
    CMeListPane m_list;
    CMeDisplayPane m_display;
    int m_contextMode = kModeEmpty;
    CDataNode* m_contextRecord = nullptr;
    int m_toolMode = kToolNone;
    bool m_titleDirty = false;
    bool m_listVisible = true;
    bool m_panesPlaced = false;
};
