// app/prefs_page_file.cpp: the File Load/Save page of the preferences.
#include "app/prefs_dlg.h"

#include "platform/base/text.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "platform/ui/dialogs/edit.h"

namespace {

constexpr UINT kTemplate = 293;
constexpr int kNumericDatesBox = 1380, kExcludeExtensionsBox = 1382, kExcludeNonStandardBox = 1168,
              kReoutputHeaderBox = 1381, kFamiliesFirstBox = 1836;
constexpr int kSeparatorEdit = 1387, kSeparatorLabel = 1388;

/// The format buttons with the code each stands for; the locale's button is first.
struct FormatButton {
    int m_id;
    int m_format;
};
constexpr FormatButton kFormatButtons[] = {{1385, 0}, {1384, 1}, {1383, 2}, {1386, 3}};
constexpr int kLocaleButton = 1385;
constexpr int kFirstFormatButton = 1383, kLastFormatButton = 1386;

} // namespace

CPrefsPageFile::CPrefsPageFile(CPrefsDlg& sheet) : CPropertyPage(kTemplate), m_sheet(sheet)
{
    const auto changed = [this] {
        SetModified();
        ApplyEnablingRule();
    };
    MapCommand(kNumericDatesBox, changed);
    MapCommandRange(kFirstFormatButton, kLastFormatButton, [changed](UINT) { changed(); });
    for (const int box :
         {kExcludeExtensionsBox, kExcludeNonStandardBox, kReoutputHeaderBox, kFamiliesFirstBox})
        MapCommand(UINT(box), changed);
    MapNotify(kSeparatorEdit, EN_CHANGE, changed);
}

BOOL CPrefsPageFile::OnInitDialog()
{
    const Preferences& prefs = m_sheet.Edited();
    m_numericDates = prefs.m_allowNumericDates;
    m_excludeExtensions = prefs.m_excludeGedcomExtensions;
    m_excludeNonStandard = prefs.m_excludeNonStdTags;
    m_familiesFirst = prefs.m_familiesFirst;
    m_reoutputHeader = prefs.m_reoutputHeader;
    CPropertyPage::OnInitDialog();
    int checked = kLocaleButton;
    for (const FormatButton& button : kFormatButtons)
        if (button.m_format == prefs.m_numericDateFormat)
            checked = button.m_id;
    CheckRadioButton(kFirstFormatButton, kLastFormatButton, checked);
    SetDlgItemText(kSeparatorEdit, std::string(1, prefs.m_numericDateSeparator));
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(kSeparatorEdit)))
        edit->LimitText(1);
    ApplyEnablingRule();
    return TRUE;
}

void CPrefsPageFile::DoDataExchange(CDataExchange& dx)
{
    dx.Check(kNumericDatesBox, m_numericDates);
    dx.Check(kExcludeExtensionsBox, m_excludeExtensions);
    dx.Check(kExcludeNonStandardBox, m_excludeNonStandard);
    dx.Check(kReoutputHeaderBox, m_reoutputHeader);
    dx.Check(kFamiliesFirstBox, m_familiesFirst);
}

void CPrefsPageFile::ApplyEnablingRule()
{
    const bool numeric = IsDlgButtonChecked(kNumericDatesBox) == BST_CHECKED;
    for (const FormatButton& button : kFormatButtons)
        if (CWnd* wnd = GetDlgItem(button.m_id))
            wnd->EnableWindow(numeric);
    const bool separator = numeric && IsDlgButtonChecked(kLocaleButton) != BST_CHECKED;
    for (const int id : {kSeparatorEdit, kSeparatorLabel})
        if (CWnd* wnd = GetDlgItem(id))
            wnd->EnableWindow(separator);
}

BOOL CPrefsPageFile::OnApply()
{
    return UpdateData(TRUE) && CPropertyPage::OnApply();
}

void CPrefsPageFile::OnOK()
{
    Preferences& prefs = m_sheet.Edited();
    prefs.m_allowNumericDates = m_numericDates != FALSE;
    prefs.m_excludeGedcomExtensions = m_excludeExtensions != FALSE;
    prefs.m_excludeNonStdTags = m_excludeNonStandard != FALSE;
    prefs.m_familiesFirst = m_familiesFirst != FALSE;
    prefs.m_reoutputHeader = m_reoutputHeader != FALSE;
    prefs.m_numericDateFormat = IsDlgButtonChecked(1383)   ? 2
                                : IsDlgButtonChecked(1384) ? 1
                                : IsDlgButtonChecked(1386) ? 3
                                                           : 0;
    std::string separator;
    GetDlgItemText(kSeparatorEdit, separator);
    separator = text::TrimLeft(separator);
    // A separator is one character; the preferences keep no character of more than one byte.
    if (!separator.empty() && static_cast<unsigned char>(separator[0]) < 0x80)
        prefs.m_numericDateSeparator = separator[0];
}
