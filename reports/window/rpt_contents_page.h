// reports/window/rpt_contents_page.h: the Contents (or Main) pages of the Report Options sheet:
// sections and options, event lists and their modes, numbering, text layout, generations and
// the item lists in report order.
//
// One control set serves both: event lists through Edit List of the records library; generations 0
// is saved as 1; item lists with Add, Edit (edit_item_dlg.h), Delete (three messages), Up and Down.
#pragma once

#include "controls/col_box.h"
#include "reports/window/rpt_opts_dlg.h"

#include <array>
#include <string>
#include <vector>

inline constexpr UINT IDD_RPT_CONTS_IND = 359, IDD_RPT_CONTS_FAM = 377, IDD_RPT_CONTS_SRC = 389,
                      IDD_RPT_CONTS_DESC = 394, IDD_RPT_CONTS_ANC = 396, IDD_RPT_CONTS_REC = 398;
/// The check box of option row r is IDC_RPC_OPTION + r.
inline constexpr int IDC_RPC_OPTION = 1800, IDC_RPC_IND_ALL = 1830, IDC_RPC_FAM_ALL = 1833,
                     IDC_RPC_IND_EDIT = 1836, IDC_RPC_FAM_EDIT = 1837, IDC_RPC_IND_LIST = 1838,
                     IDC_RPC_FAM_LIST = 1839, IDC_RPC_NUMBERING = 1840, IDC_RPC_LAYOUT = 1844,
                     IDC_RPC_GENERATIONS = 1847, IDC_RPC_ITEMS = 1850, IDC_RPC_REPO_ITEMS = 1856;
/// Offsets of an item list's buttons from its list's id.
inline constexpr int kRpcAdd = 1, kRpcEdit = 2, kRpcDelete = 3, kRpcUp = 4, kRpcDown = 5;

/// "%s\t%s\t\t\t" for a standard item, "%s\t%s\tCustom\t%s\t" for a custom one; empty for an
/// index the section's catalogue does not hold.
std::string RptItemRowText(int section, const CRptItem& item);

/// The shared behaviour of the two Contents page classes over one template.
class CRptContentsPage : public CRptPage, public CColBoxOwner {
public:
    /// sections: the item list of the main list box and, when two, of the repository box.
    CRptContentsPage(UINT templateId, std::vector<int> sections);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    void OnSelChanged(CColBox* box) override;
    bool OnDoubleClick(CColBox* box, CTreeBoxNode* node, int part) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void FillItems(std::size_t box);
    void FillEvents();
    /// Add... (a new custom row) or Edit... (the one row selected).
    void EditItem(std::size_t box, bool add);
    void DeleteItems(std::size_t box);
    void MoveItems(std::size_t box, bool up);
    void EditEventList(bool family);
    void EnableControls();

    std::vector<int> m_sections;
    /// The rows of each item box, in the box's order.
    std::vector<CRptItemList> m_rows;
    /// The item lists (main, repository) and the event lists (individual, family).
    std::array<CColBox, 2> m_itemBoxes, m_eventBoxes;
};

/// Individual Summary and Family Group Sheet.
class CRptPageContsInd final : public CRptContentsPage {
public:
    explicit CRptPageContsInd(bool family)
        : CRptContentsPage(family ? IDD_RPT_CONTS_FAM : IDD_RPT_CONTS_IND, {kRptIndItems})
    {
    }
};

/// Source, Descendant, Ancestor and record reports.
class CRptPageContsSrc final : public CRptContentsPage {
public:
    explicit CRptPageContsSrc(UINT templateId)
        : CRptContentsPage(templateId, templateId == IDD_RPT_CONTS_SRC
                                           ? std::vector<int>{kRptSrcItems, kRptRepItems}
                                           : std::vector<int>{})
    {
    }
};
