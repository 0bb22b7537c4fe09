// records/window/find_record_dlg.cpp: the Find Record dialog: its controls, its checks and the
// search it hands to the records window.
#include "records/window/find_record_dlg.h"

#include "records/window/sub_view_rec.h"

#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/shell_app.h"
#include "database/dictionary/record_type_table.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/base/wait_cursor.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/app.h"

namespace {

constexpr int kNotesIndex = 2, kHeaderIndex = 8;
constexpr const char* kHiddenTypeQuestion =
    "Records of type '%s' are not currently being displayed.  The Records Window display options "
    "will be changed to make them visible (you can alway hide them again later if you wish to).";

bool LiesInside(const CWnd* wnd, const CWnd* outer)
{
    for (; wnd; wnd = wnd->GetParent())
        if (wnd == outer)
            return true;
    return false;
}

} // namespace

CSubViewRec* FindRecordsWindow()
{
    IShellApp* app = GetShellApp();
    CAvDoc* document = app ? app->GetDocument() : nullptr;
    if (!document)
        return nullptr;
    for (CView* view : document->GetViews())
        if (auto* avView = dynamic_cast<CAvView*>(view))
            if (auto* window = dynamic_cast<CSubViewRec*>(avView->GetSubView()))
                return window;
    return nullptr;
}

CFindRecordDlg::CFindRecordDlg(CWnd* parent) : CDialog(kTemplate, parent)
{
    MapNotify(kSearchText, EN_CHANGE, [this] { UpdateButtons(); });
    MapCommand(kFindFirst, [this] { FindRecord(true); });
    MapCommand(kFindNext, [this] { FindRecord(false); });
}

bool CFindRecordDlg::Open()
{
    return Create(kTemplate, AfxGetMainWnd()) != FALSE;
}

BOOL CFindRecordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* combo = dynamic_cast<CComboBox*>(GetDlgItem(kRecordType))) {
        for (int i = 0; i < GetRecordTypeCount(); ++i)
            combo->AddString(GetRecordTypePluralName(i).c_str());
        combo->AddString("All Record Types");
        combo->SetCurSel(0);
    }
    CheckRadioButton(kNameSearch, kAllText, kNameSearch);
    CheckRadioButton(kUp, kDown, kDown);
    if (CWnd* main = AfxGetMainWnd()) {
        CRect outer;
        CRect own;
        main->GetWindowRect(&outer);
        GetWindowRect(&own);
        MoveWindow(outer.left + (outer.Width() - own.Width()) / 2,
                   outer.top + (outer.Height() - own.Height()) / 2, own.Width(), own.Height());
    }
    UpdateButtons();
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CFindRecordDlg::UpdateButtons()
{
    std::string text;
    GetDlgItemText(kSearchText, text);
    for (int id : {kFindFirst, kFindNext})
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(!text.empty());
}

RecordSearch CFindRecordDlg::ReadRequest(bool first) const
{
    RecordSearch search;
    std::string text;
    GetDlgItemText(kSearchText, text);
    search.m_words = SplitSearchWords(text);
    const auto* combo = dynamic_cast<const CComboBox*>(GetDlgItem(kRecordType));
    const int type = combo ? combo->GetCurSel() : 0;
    search.m_allTypes = type == kAllTypesItem;
    search.m_listIndex = search.m_allTypes ? -1 : std::max(type, 0);
    switch (GetCheckedRadioButton(kNameSearch, kAllText)) {
    case kNoteSearch:
        search.m_searchType = kSearchNotes;
        break;
    case kAllText:
        search.m_searchType = kSearchAllText;
        break;
    default:
        search.m_searchType = kSearchNameOrTitle;
        break;
    }
    search.m_up = IsDlgButtonChecked(kUp) != 0;
    search.m_matchCase = IsDlgButtonChecked(kMatchCase) != 0;
    search.m_first = first;
    return search;
}

bool CFindRecordDlg::PrepareSingleType(CSubViewRec& window, const RecordSearch& search)
{
    const int type = search.m_listIndex;
    if (search.m_searchType == kSearchNameOrTitle &&
        (type == kNotesIndex || type == kHeaderIndex)) {
        MessageBox("Note and Header records do not have names or titles (all other record types "
                   "do).  Choose another search type.",
                   MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (window.FindTab(type) == -1) {
        const std::string question =
            text::Format(kHiddenTypeQuestion, GetRecordTypePluralName(type).c_str());
        if (MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION, "Records Window") != IDOK)
            return false;
    }
    window.SelectTab(type, false);
    return true;
}

void CFindRecordDlg::FindRecord(bool first)
{
    CWaitCursor wait;
    // The focus comes back to the dialog after the search, so that its keys keep working: to
    // the control that had it, else to "Search For:".
    CWnd* focus = GetFocus();
    if (focus == this || !LiesInside(focus, this))
        focus = GetDlgItem(kSearchText);
    const RecordSearch search = ReadRequest(first);
    if (search.m_words.empty()) {
        MessageBox("Must supply text to search for", MB_OK | MB_ICONEXCLAMATION);
        if (CWnd* edit = GetDlgItem(kSearchText))
            GotoDlgCtrl(edit);
        return;
    }
    CSubViewRec* window = FindRecordsWindow();
    if (!window) {
        MessageBox("An error has occurred.  Cannot search.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!search.m_allTypes && !PrepareSingleType(*window, search))
        return;
    if (IShellApp* app = GetShellApp())
        app->ShowRecordsWindow(-1);
    if (!window->GoToRecord(search))
        MessageBox("End of file reached", MB_OK | MB_ICONINFORMATION);
    if (focus && GetSafeHwnd() && GetFocus() != focus)
        focus->SetFocus();
}

void CFindRecordDlg::OnSetFocus(CWnd* oldWnd)
{
    CDialog::OnSetFocus(oldWnd);
    if (CWnd* edit = GetDlgItem(kSearchText))
        GotoDlgCtrl(edit);
}

void CFindRecordDlg::OnOK()
{
    FindRecord(false);
}

void CFindRecordDlg::OnCancel()
{
    if (CSubViewRec* window = FindRecordsWindow())
        window->UpdateTabs();
    DestroyWindow();
}
