// merge/window/mrg_results_dlg.h: Merge Results: the four counts of each record type after a
// merge.
#pragma once

#include "merge/merge_engine.h"
#include "platform/ui/dialogs/dialog.h"

#include <array>

/// Template 318; the headers have no row.
class CMrgResultsDlg final : public CDialog {
public:
    explicit CMrgResultsDlg(const std::array<MergeCounts, RECORD_TYPE_COUNT>& counts,
                            CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    std::array<MergeCounts, RECORD_TYPE_COUNT> m_counts;
};
