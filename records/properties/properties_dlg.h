// records/properties/properties_dlg.h: the record properties box: a modeless sheet that shows one
// record at a time through the pages of its record type, with a history, small and large sizes,
// follow mode and a side pane of source citations.
#pragma once

#include "records/properties/prop_history.h"

#include "controls/u_button.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/dialogs/static.h"

#include <memory>
#include <string>
#include <vector>

class CDataCtl;
class CDataNode;
class CFieldDef;
class CObject;
class CRecordNode;
class CRecordPage;
class CSourceCitationPane;
class CView;

/// Size modes of SetRecord.
enum PropSizeMode : int {
    kPropSizeKeep = 0,
    kPropSizeSmall = 1,
    kPropSizeLarge = 2,
    kPropSizeLargeWithSources = 3,
};

/// Ids of the box's mini buttons, its labels and its pane.
inline constexpr UINT IDC_PROP_SIZE = 881, IDC_PROP_FOLLOW = 882, IDC_PROP_GOTO = 883,
                      IDC_PROP_SOURCES = 884, IDC_PROP_FORWARD = 885, IDC_PROP_BACK = 886,
                      IDC_PROP_NO_SELECTION = 887, IDC_PROP_MULTIPLE = 888,
                      IDC_PROP_SOURCES_PANE = 711;

/// Made by the application at the first request, with one placeholder page (template 196), and
/// hidden until it shows something. Closing it ends its window (its pages, pane and history go
/// with it); the application then makes a new box at the next request. It is the first
/// receiver of every change notice (OnDocUpdate).
class CPropertiesDlg : public CPropertySheet, public CUButtonListener {
public:
    explicit CPropertiesDlg(CWnd* parent);

    const CRuntimeClass* GetRuntimeClass() const override;
    ~CPropertiesDlg() override;

    /// Makes the box's window, hidden, owned by parent.
    BOOL CreateBox(CWnd* parent);

    /// The one way to show something: record, or a new record of type (null record; a new
    /// header shows the header record there is). sizeMode is a PropSizeMode; avoid is a screen
    /// rectangle the box moves off, or null; noHistory: the caller moves through the history
    /// itself. pageIndex is the page to show, -1 for the page with the remembered caption; the
    /// first page is loaded with first, the page at pageIndex with pageState.
    void SetRecord(CRecordNode* record, const CFieldDef* type, int sizeMode = kPropSizeKeep,
                   const RECT* avoid = nullptr, bool noHistory = false,
                   const CPageState& first = {}, int pageIndex = -1,
                   const CPageState& pageState = {});
    /// A change notice, before any view hears of it.
    virtual void OnDocUpdate(CView* sender, LPARAM hint, CObject* object);
    /// No pages, but "No record selection" (count 0) or "Multiple record selection"; reset
    /// empties the history, otherwise the record shown is recorded in it first.
    void SetSelectionState(int count, bool reset);
    /// Stores the pending edit of the data control with the focus.
    void CommitFocusedControl();
    /// Points the sources pane at the field of the focused data control.
    void SyncSourcesPane();
    /// After a commit: when the focus moves into the sources pane, the pane shows the field.
    void OnFocusMoved(CDataCtl* control, CWnd* newFocus);
    /// Follows the selection (true) or stays on its record.
    void SetPinned(bool follow);
    bool IsFollowing() const { return m_following; }
    /// Whether the box is to take the active window's selection at the next idle time: while it
    /// follows, and once after an edit took away the record it showed, pinned or not, so that
    /// it never claims "No record selection" beside a selected row. Showing a record or a
    /// selection state ends the once.
    bool WantsSelection() const { return m_following || m_recordLost; }
    /// The active page's default focus; on a page that leaves the focus outside it, its first
    /// control that the Tab key reaches.
    void ForwardToActivePage();
    void SetLargeMode(bool large);
    bool IsLarge() const { return m_large; }
    void ShowSources(bool open);
    /// Moves back (-1) or forward (1) through the history.
    void GoHistory(int direction);

    const CFieldDef* GetType() const { return m_type; }
    CRecordNode* GetRecord() const { return m_record; }
    int GetSelectionKind() const { return m_selectionKind; }
    CPropHistory& GetHistory() { return m_history; }
    /// The sources pane while it is open, else null.
    CSourceCitationPane* GetSourcesPane() const { return m_pane.get(); }
    /// The record pages shown, in tab order.
    CRecordPage* GetRecordPage(int index) const;
    /// Whether the window has been set up (pages switch to the box's size only then).
    bool IsInitialised() const { return m_initialised; }
    /// The page heights in pixels: the small page, and what the large page adds.
    int GetSmallPageBottom() const { return m_smallHeight; }
    int GetLargeDifference() const { return m_largeDifference; }
    /// The caption rule: "Header Record", "Submission Record", "<type>: <record>", "New <type>
    /// Record", or "Record Properties".
    std::string MakeCaption() const;

    // CUButtonListener.
    void OnButtonClicked(CUButton* button) override;

    /// A key of the main window's accelerators that nothing in the box took runs the main
    /// window's command, as it would there, after the pending edit of the focused data control
    /// is stored; F5 stays the data control's own key.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void RecordHistory();
    PropHistoryEntry MakeEntry() const;
    void RememberActiveCaption();
    void RemoveAllPages();
    void CreatePages();
    void LoadPages(const CPageState& first, int pageIndex, const CPageState& pageState);
    void SelectPage(int index);
    void ApplySizeMode(int sizeMode);
    /// Moves the box off the screen rectangle avoid.
    void MoveOff(const RECT& avoid);
    void PointPane(CDataNode* node);
    /// The data control with the focus on the active page (not in the pane), and that page.
    CDataCtl* FindFocusedControl(CRecordPage*& page) const;
    void CreateButtons();
    void UpdateButtons();
    void UpdateCaption();
    /// Sizes the sheet for the mode and pane (wider when its row of tabs would reach under the
    /// buttons), then places the buttons, labels and pane.
    void Layout();
    /// Moves the box back inside the work area of its screen where it reaches past the right or
    /// bottom edge (after it grew), never past the left or top edge.
    void KeepOnScreen();
    /// Lines the buttons of the mode up leftwards from right; returns the left edge of the row.
    int PlaceButtons(int right);
    /// The right edge of the last tab in the box, 0 without tabs shown.
    int TabsRight() const;
    void ShowLabel(int count);
    void ResetHistory();
    /// Takes a page out of the sheet; it is deleted once the message now posted arrives, so
    /// that a page (or its grid) whose own call led here is never deleted under that call.
    void RetirePage(int index);
    void DeleteRetiredPages();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    /// Ends the box: the pending edit is stored, then the window goes.
    void Close();

    std::vector<std::unique_ptr<CRecordPage>> m_retired;
    bool m_labelShown = false;
    CStatic m_noSelection;
    CStatic m_multiple;
    CUButton m_sizeButton;
    CUButton m_followButton;
    CUButton m_gotoButton;
    CUButton m_sourcesButton;
    CUButton m_forwardButton;
    CUButton m_backButton;
    const CFieldDef* m_type = nullptr;
    CRecordNode* m_record = nullptr;
    int m_selectionKind = 0;
    bool m_large = false;
    bool m_following = true;
    bool m_recordLost = false;
    int m_smallHeight = 0;
    int m_largeDifference = 0;
    int m_pageWidth = 0;
    CPropHistory m_history;
    std::string m_rememberedCaption;
    std::unique_ptr<CSourceCitationPane> m_pane;
    bool m_initialised = false;
    bool m_closing = false;
};
