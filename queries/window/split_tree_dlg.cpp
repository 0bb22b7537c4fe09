// queries/window/split_tree_dlg.cpp: the Split Tree Helper's choices, its enabling rule, and the
// deletions over SplitTree with the picked query run on this thread.
#include "queries/window/split_tree_dlg.h"

#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"
#include "queries/split_tree.h"
#include "queries/window/qry_bar.h"
#include "queries/window/query_files.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"

namespace {

constexpr int kFirstRadio = 1286, kLastRadio = 1288, kQueryCombo = 1289, kQueryLabel = 1293,
              kSubmissions = 1285, kSubmitters = 1284;
constexpr int kLinkedCombos[kSplitLinkedTypeCount] = {1294, 1295, 1296, 1297};
constexpr const char* kLinkedTexts[kSplitLinkedTypeCount][3] = {
    {"Do not delete any Note Records", "Delete Note Records left with no links to them",
     "Delete all Note Records"},
    {"Do not delete any Multimedia Records", "Delete Multimedia Records left with no links to them",
     "Delete all Multimedia Records"},
    {"Do not delete any Source Records", "Delete Source Records left with no links to them",
     "Delete all Source Records"},
    {"Do not delete any Repository Records", "Delete Repository Records left with no links to them",
     "Delete all Repository Records"},
};

/// The picked individual query, loaded into a query of its own and run on this thread.
class CPickedQuery final : public ISplitTreeQuery {
public:
    explicit CPickedQuery(std::shared_ptr<CQueryDef> query) : m_query(std::move(query)) {}

    bool FindIndividuals(bool inverted, std::vector<CRecordNode*>& found) override
    {
        if (!RunQuery(*m_query, false, inverted, nullptr))
            return false;
        found = m_query->GetResult().GetRecords();
        return true;
    }

private:
    std::shared_ptr<CQueryDef> m_query;
};

} // namespace

CComboBox* CSplitTreeDlg::Combo(int id) const
{
    return dynamic_cast<CComboBox*>(GetDlgItem(id));
}

BOOL CSplitTreeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CComboBox* queries = Combo(kQueryCombo)) {
        ListQueryFiles(*queries, true, GetRecordTypeDef(RECORD_LIST_INDI));
        if (queries->GetCount() > 0)
            queries->SetCurSel(0);
    }
    for (int type = 0; type < kSplitLinkedTypeCount; ++type)
        if (CComboBox* combo = Combo(kLinkedCombos[type])) {
            for (const char* entry : kLinkedTexts[type])
                combo->AddString(entry);
            combo->SetCurSel(0);
        }
    CheckRadioButton(kFirstRadio, kLastRadio, kFirstRadio);
    UpdateEnabling();
    return TRUE;
}

BOOL CSplitTreeDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const bool radio = id >= kFirstRadio && id <= kLastRadio;
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (radio || (id == kQueryCombo && HIWORD(wParam) == CBN_SELCHANGE))
        UpdateEnabling();
    return handled;
}

void CSplitTreeDlg::UpdateEnabling()
{
    const bool none = IsDlgButtonChecked(kFirstRadio) != 0;
    CComboBox* queries = Combo(kQueryCombo);
    for (int id : {kQueryLabel, kQueryCombo})
        if (CWnd* item = GetDlgItem(id))
            item->EnableWindow(!none);
    const bool picked = queries && queries->GetCurSel() >= 0;
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(none || picked);
}

void CSplitTreeDlg::OnOK()
{
    SplitTreeChoices choices;
    const int checked = GetCheckedRadioButton(kFirstRadio, kLastRadio);
    choices.m_individuals = SplitIndividuals(checked ? checked - kFirstRadio : 0);
    for (int type = 0; type < kSplitLinkedTypeCount; ++type) {
        CComboBox* combo = Combo(kLinkedCombos[type]);
        choices.m_linked[std::size_t(type)] =
            SplitLinked(combo ? std::max(0, combo->GetCurSel()) : 0);
    }
    choices.m_submissions = IsDlgButtonChecked(kSubmissions) != 0;
    choices.m_submitters = IsDlgButtonChecked(kSubmitters) != 0;
    std::unique_ptr<CPickedQuery> picked;
    if (choices.m_individuals != SplitIndividuals::None) {
        std::string name;
        bool custom = false;
        CComboBox* queries = Combo(kQueryCombo);
        if (!queries || GetSelectedQueryName(*queries, name, custom) < 0) {
            MessageBox("Error - no query has been selected");
            SetFocus();
            return;
        }
        auto query = CQueryDef::Create();
        std::string error;
        if (!query->Load(name, custom, error)) {
            MessageBox(error);
            return;
        }
        picked = std::make_unique<CPickedQuery>(std::move(query));
    }
    switch (SplitTree(choices, picked.get())) {
    case SplitTreeResult::Done:
        EndDialog(IDOK);
        break;
    case SplitTreeResult::Failed:
        MessageBox("An error has occurred");
        break;
    case SplitTreeResult::NotRun:
        break;
    }
}
