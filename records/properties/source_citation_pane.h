// records/properties/source_citation_pane.h: the side pane of the record properties box that lists
// the source citations of one field of the record shown and edits a citation's details.
#pragma once

#include "records/datactl/data_ctl.h"

#include "controls/col_box.h"
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
/// shown that can carry citations; the list under it shows the chosen branch's citations, each
/// row holding its citation node; the detail controls edit the selected link citation's date,
/// assessment, page, text and note, found again by tag in the citation at every load and
/// commit. A base that takes no citations shows only "Not applicable". The controls that run to
/// the template's right margin follow the pane's client width, which is narrower than the
/// template's.
class CSourceCitationPane final : public CWnd,
                                  public IDataCtlOwner,
                                  public CColBoxOwner,
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
    /// The selected row's citation; null when none.
    CDataNode* GetCurrentCitation() const;
    CColBox& GetList() { return m_list; }
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
    // CColBoxOwner.
    void OnSelChanged(CColBox* box) override;
    bool OnKeyDown(CColBox* box, UINT virtKey, UINT repeatCount, UINT flags) override;
    bool OnColumnClick(CColBox* /*box*/, int /*column*/) override { return false; }
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
    void ShowDetails();
    void ShowParts();
    void UpdateButtons();
    /// Selects the row of citation (the first row when null or missing) and shows it.
    void SelectCitation(const CDataNode* citation);
    std::vector<CDataNode*> ListedFields() const;

    CPropertiesDlg& m_box;
    CDataNode* m_base = nullptr;
    std::vector<std::unique_ptr<CWnd>> m_templateControls;
    CColBox m_list;
    std::vector<Detail> m_details;
    std::vector<Stretched> m_stretched;
    CUButton m_buttons[5];
    CBrush m_backBrush;
    COLORREF m_backColour = 0;
    bool m_filling = false;
};
