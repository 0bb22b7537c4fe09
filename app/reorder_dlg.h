// app/reorder_dlg.h: the options of the tool that puts dated items into date order: the kinds of
// items to check, confirmation, and the named list that receives the updated records.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <string>

class CNamedList;

/// Opens with every kind and confirmation chosen and no list kept. OK needs at least one kind
/// and, when a list is kept, a name of 1 to 200 characters (trimmed); without a list the name is
/// emptied.
class CReorderDlg final : public CDialog {
public:
    static constexpr UINT kTemplateId = 367;

    explicit CReorderDlg(CWnd* parent = nullptr);

    BOOL m_children = TRUE;
    BOOL m_events = TRUE;
    BOOL m_prompt = TRUE;
    BOOL m_emptyListFirst = TRUE;
    BOOL m_lds = TRUE;
    BOOL m_spouses = TRUE;
    std::string m_listName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    /// The list name, its label and "Ensure List is Initially Empty" are enabled exactly when
    /// "Maintain List of Updated Records" is checked.
    void EnableListControls();
    void ShowHelp();
};

/// The re-order command: the options, then the pass in its progress dialog with parent as its
/// parent. Returns the named list of updated records when the user asked to see it, else null.
CNamedList* RunReorder(CWnd* parent);
