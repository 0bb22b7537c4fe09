// records/properties/source_citation_pane.h: the side pane of the record properties box that lists
// the source citations of one field of the record shown and edits a citation's details.
#pragma once

#include "records/datactl/data_ctl.h"

#include "records/grid/tag_grid.h"

#include "controls/u_button.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/windows/wnd.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CDataNode;
class CObject;
class CPropertiesDlg;
class CView;

/// The citations of field, in the pane's order: SOUR links to a source first, then SOUR texts
/// ("source notes"); empty ones are left out.
std::vector<CDataNode*> CollectCitations(const CDataNode* field);

/// Made from template 288 ("Citation Area"). "Sources For:" lists the branches of the record
/// shown that can carry citations; the record grid under it shows the chosen branch's
/// citations: a link citation as its source record's row (which opens into the source's
/// fields), a source note as its field's row. Two citations of one source are two rows of that
/// source, the n-th row standing for the n-th link. The grid's Up and Down buttons move a
/// citation among its siblings; the rows follow the data in place at every change notice.
/// The detail controls edit the selected link citation's date,
/// assessment, page, text and note, found again by tag in the citation at every load and
/// commit. A base that takes no citations shows only "Not applicable". The controls that run to
/// the template's right margin follow the pane's client width, which is narrower than the
/// template's.
class CSourceCitationPane final : public CWnd,
                                  public IDataCtlOwner,
                                  public ITagGridOwner,
                                  public CUButtonListener {
public:
    static constexpr UINT kAdd = 33001, kCopy = 32995, kPaste = 32996, kDelete = 33002,
                          kGoToSource = 33003;
    static constexpr int kFieldList = 1103, kNotApplicable = 1458;

    explicit CSourceCitationPane(CPropertiesDlg& box);
    ~CSourceCitationPane() override;

    /// Makes the pane over rect inside the box; false when a part cannot be made.
    BOOL CreatePane(const RECT& rect, UINT id);
    /// The pane's width for the box: its template's.
    static int GetTemplateWidth();

    /// The record the box shows (null: nothing).
    void SetCurrentField(CDataNode* node);
    /// The field of the focused control: its nearest listed branch that takes citations is
    /// chosen.
    void SelectField(CDataNode* node);
    void Refresh(CView* sender, LPARAM hint, CObject* object);
    /// Stores the pending edit of the detail control that has the focus, as leaving it would;
    /// the box calls it before the pane closes or shows another record.
    void CommitFocusedDetail();

    CDataNode* GetBase() const { return m_base; }
    /// The branch chosen in "Sources For:"; null when none.
    CDataNode* GetSelectedField() const;
    /// The selected row's citation; null when none, or when the row is in link mode or below
    /// a citation's row.
    CDataNode* GetCurrentCitation() const;
    /// The citation a top-level row stands for; null for any other row.
    CDataNode* CitationOfRow(const CTreeBoxNode* row) const;
    CTagGrid& GetGrid() { return m_grid; }
    CDataCtl* GetDetail(const std::string& path) const;
    /// The pane's background: its statics and buttons paint on it, and the detail controls
    /// while read-only.
    void SetBackColour(COLORREF colour);

    void OnAddCitation();
    void OnCopyCitation();
    void OnPasteCitation();
    void OnDeleteCitation();
    void OnGoToSource();

    // IDataCtlOwner.
    void OnCtlDestroyed(CDataCtl* control) override;
    void OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    /// Tab goes on through the box, as it does on the pages beside the pane.
    bool LeavesTabToWindow() const override { return true; }
    // ITagGridOwner.
    void OnGridSelChanged(CTagGrid* grid) override;
    /// Delete runs Delete Citation; the grid deletes nothing itself.
    bool MayDelete(CTagGrid* grid) override;
    /// Moves the selected row's citation among its siblings; the refresh moves the row.
    bool BeforeMove(CTagGrid* grid, int direction) override;
    /// A single selected row moves up when a row stands above it, down when one stands below.
    bool CanMove(CTagGrid* grid, int direction, bool& result) override;
    // CUButtonListener.
    void OnButtonClicked(CUButton* button) override;

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

private:
    struct Detail {
        CDataCtl* control = nullptr;
        std::string path; // below the citation: "DATA.DATE", "QUAY", "PAGE", ...
        int gap = -1;     // as Stretched's; negative: the control keeps its width
    };
    /// A control that runs to the template's right margin: its right edge keeps gap pixels
    /// from the pane's right edge.
    struct Stretched {
        CWnd* wnd = nullptr;
        int gap = 0;
    };

    /// Widens or narrows the stretched controls to a client area width pixels wide.
    void StretchControls(int width);

    void FillFieldList();
    void FillGrid();
    /// Brings the rows in step with the chosen field's citations, keeping the rows (and what
    /// is open under them) that still show the same citation.
    void RefreshGrid(CView* sender, LPARAM hint, CObject* object);
    void ShowDetails();
    void ShowParts();
    void UpdateButtons();
    /// Selects the row of citation (the first row when null or missing) and shows it.
    void SelectCitation(const CDataNode* citation);
    /// The row that shows citation; null when none.
    CTreeBoxNode* FindCitationRow(const CDataNode* citation) const;
    std::vector<CDataNode*> ListedFields() const;

    CPropertiesDlg& m_box;
    CDataNode* m_base = nullptr;
    std::vector<std::unique_ptr<CWnd>> m_templateControls;
    CTagGrid m_grid;
    std::vector<Detail> m_details;
    std::vector<Stretched> m_stretched;
    CUButton m_buttons[5];
    CBrush m_backBrush;
    COLORREF m_backColour = 0;
    bool m_filling = false;
    /// A citation just added, selected by the refresh its notice causes.
    CDataNode* m_selectAfterRefresh = nullptr;
};
