// reports/window/rpt_contents_page.cpp: the Contents pages' exchange, item and event lists,
// item deletion and reordering, and enabled states.
#include "reports/window/rpt_contents_page.h"

#include "reports/rpt_settings_tables.h"
#include "reports/window/edit_item_dlg.h"
#include "reports/window/rpt_column_list.h"
#include "reports/window/rpt_page_layout_page.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "records/dialogs/edit_event_list_dlg.h"

#include <algorithm>

namespace {

CColBox* Box(const CWnd& page, int id)
{
    return RptColumnList(page, id);
}

int BoxId(std::size_t box)
{
    return box == 0 ? IDC_RPC_ITEMS : IDC_RPC_REPO_ITEMS;
}

std::vector<int> Selected(CColBox& box)
{
    return RptSelectedRows(box);
}

constexpr double kItemEdges[] = {1.0 / 3, 2.0 / 3, 5.0 / 6, 1.0};
constexpr double kEventEdges[] = {2.0 / 3, 5.0 / 6, 1.0};

const char* ShowText(int show, bool mayShowEmpty)
{
    if (show == kRptItemHide)
        return "Hide";
    return show == kRptItemShowEmpty && mayShowEmpty ? "Show Even If Empty" : "Show";
}

} // namespace

std::string RptItemRowText(int section, const CRptItem& item)
{
    const auto catalogue = RptItemCatalogue(section);
    if (item.m_index == -1)
        return text::Format("%s\t%s\tCustom\t%s\t", item.m_label.c_str(),
                            ShowText(item.m_show, true), item.m_expression.GetText().c_str());
    if (item.m_index < 0 || item.m_index >= int(catalogue.size()))
        return {};
    const RptItemDef& def = catalogue[std::size_t(item.m_index)];
    return text::Format("%s\t%s\t\t\t", def.label, ShowText(item.m_show, def.mayShowEmpty));
}

CRptContentsPage::CRptContentsPage(UINT templateId, std::vector<int> sections)
    : CRptPage(templateId, kRptPartContents), m_sections(std::move(sections)),
      m_rows(m_sections.size())
{
}

BOOL CRptContentsPage::OnInitDialog()
{
    for (std::size_t box = 0; box < m_itemBoxes.size(); ++box)
        RptMakeColumnList(*this, BoxId(box), m_itemBoxes[box], this,
                          "Label\tShow/Hide\tSpecial\tExpression\t", kItemEdges);
    for (std::size_t box = 0; box < m_eventBoxes.size(); ++box)
        RptMakeColumnList(*this, box == 0 ? IDC_RPC_IND_LIST : IDC_RPC_FAM_LIST, m_eventBoxes[box],
                          this, "Event/Attribute\tType\tSpecial\t", kEventEdges);
    const BOOL result = CRptPage::OnInitDialog();
    EnableControls();
    return result;
}

void CRptContentsPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    if (!m_opts)
        return;
    CRptContents& contents = Copy().m_contents;
    for (int row = 0; row < kRptOptionCount; ++row)
        if (GetDlgItem(IDC_RPC_OPTION + row)) {
            BOOL value = contents.m_options[std::size_t(row)];
            dx.Check(IDC_RPC_OPTION + row, value);
            contents.m_options[std::size_t(row)] = value != FALSE;
        }
    // Radios: the stored value's button, any other value the group's first.
    const auto radios = [&](int first, int count, int& field) {
        if (!GetDlgItem(first))
            return;
        if (!dx.m_bSaveAndValidate) {
            for (int i = 0; i < count; ++i)
                CheckDlgButton(first + i, 0);
            CheckDlgButton(first + (field >= 0 && field < count ? field : 0), 1);
            return;
        }
        field = 0;
        for (int i = 1; i < count; ++i)
            if (IsDlgButtonChecked(first + i)) {
                field = i;
                break;
            }
    };
    radios(IDC_RPC_IND_ALL, 3, contents.m_indEventMode);
    radios(IDC_RPC_FAM_ALL, 3, contents.m_famEventMode);
    radios(IDC_RPC_NUMBERING, 4, contents.m_numbering);
    radios(IDC_RPC_LAYOUT, 3, contents.m_textLayout);
    if (GetDlgItem(IDC_RPC_GENERATIONS)) {
        dx.Text(IDC_RPC_GENERATIONS, contents.m_generations);
        if (dx.m_bSaveAndValidate && contents.m_generations == 0)
            contents.m_generations = 1;
    }
    for (std::size_t box = 0; box < m_sections.size(); ++box) {
        CRptItemList& list = contents.m_items[std::size_t(m_sections[box])];
        if (dx.m_bSaveAndValidate) {
            list = m_rows[box];
        } else {
            m_rows[box].clear();
            for (const CRptItem& item : list)
                if (!RptItemRowText(m_sections[box], item).empty())
                    m_rows[box].push_back(item);
            FillItems(box);
        }
    }
    if (!dx.m_bSaveAndValidate) {
        FillEvents();
        EnableControls();
    }
}

void CRptContentsPage::FillItems(std::size_t box)
{
    CColBox* list = Box(*this, BoxId(box));
    if (!list)
        return;
    std::vector<std::string> rows;
    for (const CRptItem& item : m_rows[box])
        rows.push_back(RptItemRowText(m_sections[box], item));
    RptFillColumnList(*list, rows);
}

void CRptContentsPage::FillEvents()
{
    const CRptContents& contents = Copy().m_contents;
    for (const bool family : {false, true}) {
        CColBox* list = Box(*this, family ? IDC_RPC_FAM_LIST : IDC_RPC_IND_LIST);
        if (!list)
            continue;
        std::vector<std::string> rows;
        for (const CEventListEntry& entry : family ? contents.m_famEvents : contents.m_indEvents)
            if (std::string row = ChosenRowText(entry, family); !row.empty())
                rows.push_back(std::move(row));
        RptFillColumnList(*list, rows);
    }
}

void CRptContentsPage::EditItem(std::size_t box, bool add)
{
    CColBox* list = Box(*this, BoxId(box));
    if (!list)
        return;
    const std::vector<int> rows = Selected(*list);
    if (!add && rows.size() != 1)
        return;
    const int section = m_sections[box];
    CEditItemDlg dialog(this);
    dialog.m_addMode = add;
    dialog.m_recordType = section == kRptIndItems ? 0 : section == kRptSrcItems ? 3 : 4;
    CRptItem* item = add ? nullptr : &m_rows[box][std::size_t(rows.front())];
    if (item) {
        dialog.m_show = item->m_show;
        if (item->m_index == -1) {
            dialog.m_label = item->m_label;
            dialog.m_expression = item->m_expression.GetText();
        } else {
            const RptItemDef& def = RptItemCatalogue(section)[std::size_t(item->m_index)];
            dialog.m_label = def.label;
            dialog.m_expression = "n/a";
            dialog.m_editable = false;
            dialog.m_mayShowEmpty = def.mayShowEmpty;
        }
    }
    if (dialog.DoModal() != IDOK)
        return;
    int selected = rows.empty() ? 0 : rows.front();
    if (add) {
        m_rows[box].push_back({});
        item = &m_rows[box].back();
        selected = int(m_rows[box].size()) - 1;
    }
    item->m_show = dialog.m_show;
    if (item->m_index == -1) {
        item->m_label = dialog.m_label;
        item->m_expression.SetText(dialog.m_expression);
    }
    FillItems(box);
    RptSelectRow(*list, selected);
    SetModified(TRUE);
    EnableControls();
}

void CRptContentsPage::DeleteItems(std::size_t box)
{
    CColBox* list = Box(*this, BoxId(box));
    const std::vector<int> rows = list ? Selected(*list) : std::vector<int>{};
    if (rows.empty())
        return;
    bool standard = false, custom = false;
    for (int row : rows)
        (m_rows[box][std::size_t(row)].m_index == -1 ? custom : standard) = true;
    const char* message =
        !custom ? "Selection contains standard items only - no custom items.  Standard items "
                  "cannot be deleted, but they will be hidden (if not already hidden)."
        : standard
            ? "Selection contains a mixture of standard and custom items.  The custom items "
              "will be deleted.  The standard items cannot be deleted, but they will be hidden "
              "(if not already hidden)."
            : "The selected item(s) will be deleted.";
    if (MessageBox(message, MB_OKCANCEL) != IDOK)
        return;
    // The hidden standard rows stay selected where the deletions move them.
    std::vector<int> kept;
    int erased = 0;
    for (int row : rows)
        if (m_rows[box][std::size_t(row)].m_index == -1)
            ++erased;
        else
            kept.push_back(row - erased);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        CRptItem& item = m_rows[box][std::size_t(*row)];
        if (item.m_index == -1)
            m_rows[box].erase(m_rows[box].begin() + *row);
        else
            item.m_show = kRptItemHide;
    }
    FillItems(box);
    for (int row : kept)
        RptSelectRow(*list, row);
    SetModified(TRUE);
    EnableControls();
}

void CRptContentsPage::MoveItems(std::size_t box, bool up)
{
    CColBox* list = Box(*this, BoxId(box));
    std::vector<int> rows = list ? Selected(*list) : std::vector<int>{};
    if (rows.empty() || (up && rows.front() == 0) ||
        (!up && rows.back() == int(m_rows[box].size()) - 1))
        return;
    CRptItemList& items = m_rows[box];
    if (up)
        for (int& row : rows) {
            std::swap(items[std::size_t(row)], items[std::size_t(row - 1)]);
            --row;
        }
    else
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
            std::swap(items[std::size_t(*row)], items[std::size_t(*row + 1)]);
            ++*row;
        }
    FillItems(box);
    for (int row : rows)
        RptSelectRow(*list, row);
    SetModified(TRUE);
}

void CRptContentsPage::EditEventList(bool family)
{
    CRptContents& contents = Copy().m_contents;
    CEditEventListDlg dialog(family ? contents.m_famEvents : contents.m_indEvents, family, this);
    if (dialog.DoModal() != IDOK)
        return;
    FillEvents();
    SetModified(TRUE);
}

void CRptContentsPage::EnableControls()
{
    const auto enable = [this](int id, bool state) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(state);
    };
    const auto ticked = [this](int row) { return IsDlgButtonChecked(IDC_RPC_OPTION + row) != 0; };
    enable(IDC_RPC_OPTION + kRptRemoveBrackets, ticked(kRptPrivateNotes));
    enable(IDC_RPC_OPTION + kRptAgesOrCalc, ticked(kRptAgesIfKnown));
    if (m_sections.size() == 2 || GetDlgItem(IDC_RPC_OPTION + kRptRecordTypePrefix))
        enable(IDC_RPC_OPTION + kRptRecordTypePrefix, ticked(kRptRecordIds));
    for (const bool family : {false, true}) {
        const bool all = IsDlgButtonChecked(family ? IDC_RPC_FAM_ALL : IDC_RPC_IND_ALL) != 0;
        enable(family ? IDC_RPC_FAM_LIST : IDC_RPC_IND_LIST, !all);
        enable(family ? IDC_RPC_FAM_EDIT : IDC_RPC_IND_EDIT, !all);
    }
    for (std::size_t box = 0; box < m_sections.size(); ++box) {
        CColBox* list = Box(*this, BoxId(box));
        const bool any = list && !Selected(*list).empty();
        for (int offset : {kRpcDelete, kRpcUp, kRpcDown})
            enable(BoxId(box) + offset, any);
        enable(BoxId(box) + kRpcEdit, list && Selected(*list).size() == 1);
    }
}

void CRptContentsPage::OnSelChanged(CColBox* /*box*/)
{
    if (m_opts)
        EnableControls();
}

bool CRptContentsPage::OnDoubleClick(CColBox* box, CTreeBoxNode* node, int /*part*/)
{
    if (!m_opts || !node)
        return true;
    for (std::size_t i = 0; i < m_sections.size() && i < m_itemBoxes.size(); ++i)
        if (box == &m_itemBoxes[i]) {
            EnableControls();
            EditItem(i, false);
        }
    for (std::size_t i = 0; i < m_eventBoxes.size(); ++i)
        if (box == &m_eventBoxes[i])
            EditEventList(i == 1);
    return true;
}

BOOL CRptContentsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (!m_opts)
        return CRptPage::OnCommand(wParam, lParam);
    for (std::size_t box = 0; box < m_sections.size(); ++box) {
        const int list = BoxId(box);
        if (code == BN_CLICKED && (id == list + kRpcAdd || id == list + kRpcEdit)) {
            EditItem(box, id == list + kRpcAdd);
            return TRUE;
        }
        if (code == BN_CLICKED && id == list + kRpcDelete) {
            DeleteItems(box);
            return TRUE;
        }
        if (code == BN_CLICKED && (id == list + kRpcUp || id == list + kRpcDown)) {
            MoveItems(box, id == list + kRpcUp);
            return TRUE;
        }
    }
    if ((id == IDC_RPC_IND_EDIT || id == IDC_RPC_FAM_EDIT) && code == BN_CLICKED) {
        EditEventList(id == IDC_RPC_FAM_EDIT);
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDC_RPT_INSTALLATION) {
        RestoreInstalled();
        return TRUE;
    }
    if (code == BN_CLICKED) {
        const bool governing = id == IDC_RPC_OPTION + kRptPrivateNotes ||
                               id == IDC_RPC_OPTION + kRptAgesIfKnown ||
                               id == IDC_RPC_OPTION + kRptRecordIds ||
                               (id >= IDC_RPC_IND_ALL && id < IDC_RPC_IND_ALL + 6);
        EnableControls();
        if (governing)
            SetModified(TRUE);
    }
    return CRptPage::OnCommand(wParam, lParam);
}
