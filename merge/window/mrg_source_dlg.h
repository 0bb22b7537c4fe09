// merge/window/mrg_source_dlg.h: Source details for merge: the source record a merge may create
// and which records and fields cite it.
#pragma once

#include "merge/merge_engine.h"
#include "platform/ui/dialogs/dialog.h"

#include <string>

/// Template 277, filled from the options given; after IDOK GetOptions holds what the user
/// chose, trimmed and checked.
class CMrgSourceDlg final : public CDialog {
public:
    explicit CMrgSourceDlg(MergeSourceOptions options, CWnd* parent = nullptr);

    const MergeSourceOptions& GetOptions() const { return m_options; }
    /// Today's date as the source's note gives it.
    static std::string Today();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    /// Each of the record-level boxes enables its note, and the new-fields box the annotate box.
    void UpdateEnabling();

    MergeSourceOptions m_options;
};
