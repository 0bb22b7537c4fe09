// app/prefs_page_gen.cpp: the General page of the preferences.
#include "app/prefs_dlg.h"
#include "common/list_name_checks.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"
#include "queries/named_list.h"

#include <algorithm>

namespace {

constexpr UINT kTemplate = 319;
constexpr int kLifeYearsEdit = 1523, kRootTextEdit = 1530, kAutoCleanupBox = 1531;
/// The edits of the six automatic list names, in list order.
constexpr int kListNameEdits[kAutoNamedListCount] = {1630, 1540, 1541, 1537, 1539, 1538};

/// One row of Small, Large and Full buttons for a size preference, and the code shown when
/// the stored one is none of 0, 1 and 2.
struct SizeGroup {
    int m_firstButton;
    int Preferences::*m_size;
    int m_fallback;
};
constexpr SizeGroup kSizeGroups[] = {
    {1767, &Preferences::m_propDlgSizeDiagram, kPropDlgLarge},
    {1770, &Preferences::m_propDlgSizeDragAdd, kPropDlgSmall},
    {1009, &Preferences::m_propDlgSizeDefault, kPropDlgLarge},
};

constexpr const char* kTooLong = "One or more Auto-create Named List names is too long.  The "
                                 "maximum allowed length is %d characters, including spaces.";
constexpr const char* kDuplicates = "Auto-create Named Lists include one or more duplicates.";
constexpr const char* kCreateLists = "One or more auto-create named lists does not exist in the "
                                     "current file.  Do you wish to create these now?";

} // namespace

CPrefsPageGen::CPrefsPageGen(CPrefsDlg& sheet) : CPropertyPage(kTemplate), m_sheet(sheet)
{
    MapCommand(kAutoCleanupBox, [this] { SetModified(); });
    for (const SizeGroup& group : kSizeGroups)
        MapCommandRange(UINT(group.m_firstButton), UINT(group.m_firstButton + 2),
                        [this](UINT) { SetModified(); });
    MapNotify(kLifeYearsEdit, EN_CHANGE, [this] { SetModified(); });
    MapNotify(kRootTextEdit, EN_CHANGE, [this] { SetModified(); });
    for (const int edit : kListNameEdits)
        MapNotify(UINT(edit), EN_CHANGE, [this] { SetModified(); });
}

BOOL CPrefsPageGen::OnInitDialog()
{
    const Preferences& prefs = m_sheet.Edited();
    m_lifeYears = UINT(std::max(prefs.m_stdLifeInYears, 0));
    m_rootText = prefs.m_startHereText;
    m_autoCleanup = prefs.m_autoCleanupFamilies;
    m_listNames = prefs.m_autoNamedLists;
    return CPropertyPage::OnInitDialog();
}

void CPrefsPageGen::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kLifeYearsEdit, m_lifeYears);
    if (dx.m_bSaveAndValidate)
        dx.Range(m_lifeYears, 0u, 100u);
    dx.Text(kRootTextEdit, m_rootText);
    dx.Check(kAutoCleanupBox, m_autoCleanup);
    for (int i = 0; i < kAutoNamedListCount; ++i)
        dx.Text(kListNameEdits[i], m_listNames[i]);
    ExchangeSizes(dx);
    if (dx.m_bSaveAndValidate)
        CheckListNames(dx);
}

/// The sizes go to the sheet's copy as soon as they are read, so Cancel drops them with the
/// rest.
void CPrefsPageGen::ExchangeSizes(CDataExchange& dx)
{
    Preferences& prefs = m_sheet.Edited();
    for (const SizeGroup& group : kSizeGroups) {
        const int first = group.m_firstButton;
        if (dx.m_bSaveAndValidate) {
            const int checked = GetCheckedRadioButton(first, first + 2);
            if (checked)
                prefs.*group.m_size = checked - first;
            continue;
        }
        int code = prefs.*group.m_size;
        if (code < kPropDlgSmall || code > kPropDlgFull)
            code = group.m_fallback;
        CheckRadioButton(first, first + 2, first + code);
    }
}

void CPrefsPageGen::CheckListNames(CDataExchange& dx)
{
    int index = -1;
    const ListNamesFault fault = TidyAndCheckListNames(m_listNames, index);
    if (fault == ListNamesFault::kNone)
        return;
    dx.PrepareCtrl(kListNameEdits[index]);
    MessageBox(fault == ListNamesFault::kTooLong ? text::Format(kTooLong, kMaxAutoListNameLength)
                                                 : std::string(kDuplicates),
               MB_OK | MB_ICONEXCLAMATION);
    dx.Fail();
}

BOOL CPrefsPageGen::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    std::vector<std::string> missing;
    for (const std::string& name : m_listNames)
        if (!name.empty() && !FindNamedList(name))
            missing.push_back(name);
    if (!missing.empty() && MessageBox(kCreateLists, MB_YESNO | MB_ICONQUESTION) != IDYES)
        missing.clear();
    m_sheet.SetListsToCreate(std::move(missing));
    return CPropertyPage::OnApply();
}

void CPrefsPageGen::OnOK()
{
    Preferences& prefs = m_sheet.Edited();
    prefs.m_autoNamedLists = m_listNames;
    prefs.m_stdLifeInYears = int(m_lifeYears);
    prefs.m_startHereText = m_rootText;
    prefs.m_autoCleanupFamilies = m_autoCleanup != FALSE;
}
