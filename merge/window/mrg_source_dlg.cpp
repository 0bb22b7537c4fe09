// merge/window/mrg_source_dlg.cpp: the source details of a merge.
#include "merge/window/mrg_source_dlg.h"

#include "merge/window/merge_window_ids.h"

#include "database/dates/date_data.h"
#include "database/dates/date_format.h"
#include "database/dates/date_node.h"
#include "platform/base/ole_date_time.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"

namespace {

using namespace merge_ids;

/// The record-type boxes with their table index.
constexpr std::pair<int, int> kTypeBoxes[] = {
    {kLinkFamilies, 1},     {kLinkIndividuals, 2}, {kLinkMedia, 3},      {kLinkNotes, 4},
    {kLinkRepositories, 5}, {kLinkSources, 6},     {kLinkSubmitters, 7}, {kLinkSubmissions, 8},
};
/// The record-level boxes and the note each enables.
constexpr std::pair<int, int> kNoteBoxes[] = {
    {kLinkUnchanged, kNoteUnchanged}, {kLinkNew, kNoteNew}, {kLinkUpdated, kNoteUpdated}};

} // namespace

CMrgSourceDlg::CMrgSourceDlg(MergeSourceOptions options, CWnd* parent)
    : CDialog(kSourceTemplate, parent), m_options(std::move(options))
{
    for (const int id : {kLinkUnchanged, kLinkNew, kLinkUpdated, kLinkNewFields})
        MapCommand(UINT(id), [this] { UpdateEnabling(); });
}

std::string CMrgSourceDlg::Today()
{
    return FormatDateText(COleDateTime::GetCurrentTime(), DF_LONG, GetDateLocale());
}

BOOL CMrgSourceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(kShortTitle, m_options.shortTitle);
    SetDlgItemText(kTitle, m_options.title);
    SetDlgItemText(kNote, m_options.note);
    for (const auto& [id, type] : kTypeBoxes)
        CheckDlgButton(id, m_options.linkType[std::size_t(type)] ? BST_CHECKED : BST_UNCHECKED);
    const std::pair<int, bool> boxes[] = {
        {kLinkUnchanged, m_options.linkUnchanged}, {kLinkNew, m_options.linkNew},
        {kLinkUpdated, m_options.linkUpdated},     {kLinkNewFields, m_options.linkNewFields},
        {kAnnotate, m_options.annotate},
    };
    for (const auto& [id, on] : boxes)
        CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(kNoteUnchanged, m_options.noteUnchanged);
    SetDlgItemText(kNoteNew, m_options.noteNew);
    SetDlgItemText(kNoteUpdated, m_options.noteUpdated);
    UpdateEnabling();
    return TRUE;
}

void CMrgSourceDlg::UpdateEnabling()
{
    for (const auto& [box, note] : kNoteBoxes)
        if (CWnd* edit = GetDlgItem(note))
            edit->EnableWindow(IsDlgButtonChecked(box) == BST_CHECKED);
    if (CWnd* annotate = GetDlgItem(kAnnotate))
        annotate->EnableWindow(IsDlgButtonChecked(kLinkNewFields) == BST_CHECKED);
}

void CMrgSourceDlg::OnOK()
{
    MergeSourceOptions options = m_options;
    GetDlgItemText(kShortTitle, options.shortTitle);
    GetDlgItemText(kTitle, options.title);
    GetDlgItemText(kNote, options.note);
    for (const auto& [id, type] : kTypeBoxes)
        options.linkType[std::size_t(type)] = IsDlgButtonChecked(id) == BST_CHECKED;
    options.linkUnchanged = IsDlgButtonChecked(kLinkUnchanged) == BST_CHECKED;
    options.linkNew = IsDlgButtonChecked(kLinkNew) == BST_CHECKED;
    options.linkUpdated = IsDlgButtonChecked(kLinkUpdated) == BST_CHECKED;
    options.linkNewFields = IsDlgButtonChecked(kLinkNewFields) == BST_CHECKED;
    options.annotate = IsDlgButtonChecked(kAnnotate) == BST_CHECKED;
    GetDlgItemText(kNoteUnchanged, options.noteUnchanged);
    GetDlgItemText(kNoteNew, options.noteNew);
    GetDlgItemText(kNoteUpdated, options.noteUpdated);
    MergeSourceField focus = MergeSourceField::None;
    const std::string refusal = CheckSourceOptions(options, focus);
    if (!refusal.empty()) {
        MessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        const int id = focus == MergeSourceField::Title         ? kTitle
                       : focus == MergeSourceField::NoteNew     ? kNoteNew
                       : focus == MergeSourceField::NoteUpdated ? kNoteUpdated
                                                                : kNoteUnchanged;
        if (CWnd* control = GetDlgItem(id))
            GotoDlgCtrl(control);
        return;
    }
    m_options = std::move(options);
    CDialog::OnOK();
}
