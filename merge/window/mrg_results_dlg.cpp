// merge/window/mrg_results_dlg.cpp: the results of a merge.
#include "merge/window/mrg_results_dlg.h"

#include "merge/window/merge_window_ids.h"

#include <string>

namespace {

/// The record type of each row of the dialog, top down; each row has four count controls.
constexpr int kRowTypes[] = {2, 1, 4, 6, 5, 7, 8, 3};

} // namespace

CMrgResultsDlg::CMrgResultsDlg(const std::array<MergeCounts, RECORD_TYPE_COUNT>& counts,
                               CWnd* parent)
    : CDialog(merge_ids::kResultsTemplate, parent), m_counts(counts)
{
}

BOOL CMrgResultsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    int id = merge_ids::kFirstIndividualCount;
    for (const int type : kRowTypes) {
        const MergeCounts& counts = m_counts[std::size_t(type)];
        for (const int count : {counts.merged, counts.deleted, counts.added, counts.otherUpdated})
            SetDlgItemText(id++, std::to_string(count));
    }
    return TRUE;
}
