// records/dialogs/select_family_dlg.h: when an individual is linked to another who already
// belongs to families: a new family, or one of those listed.
#pragma once

#include "platform/ui/dialogs/dialog.h"
#include "records/grid/tag_grid.h"

class CFamRec;
class CIndRec;

inline constexpr UINT kSelectFamilyTemplate = 280;
inline constexpr int IDC_FAMILY_PROMPT = 1295, IDC_FAMILY_CREATE = 1356, IDC_FAMILY_USE = 1357,
                     IDC_FAMILY_PLACEHOLDER = 1038;

/// The modes are FamilyChoiceMode's (relative_dialogs.h): A's parent families are listed in
/// modes 1 and 2, A's spouse families in 3 and 4. After IDOK m_useListed tells whether
/// m_chosen (the family selected) is to be used; m_role is B's place as a parent (0 husband,
/// 1 wife) in modes 1 and 4.
class CSelectFamilyDlg final : public CDialog {
public:
    explicit CSelectFamilyDlg(CWnd* parent = nullptr);

    int m_mode = 1;
    CIndRec* m_a = nullptr;
    CIndRec* m_b = nullptr;
    bool m_useListed = false;
    CFamRec* m_chosen = nullptr;
    int m_role = 0;

    CTagGrid& GetGrid() { return m_grid; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CFamRec* SelectedFamily();

    CTagGrid m_grid;
};
