// records/dialogs/date_dlg.h: the Date Entry Assistant, a modal sheet whose pages build a date
// one part at a time: a date, a period, a date phrase, a range.
#pragma once

#include "database/dates/date_data.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "records/dialogs/date_entry_logic.h"

#include <memory>
#include <vector>

class CDateDlg;

/// The caption the callers give the sheet.
inline constexpr const char* kDateAssistantCaption = "Date Entry Assistant";
/// The sheet's flag: only the Date page, without its qualifiers.
inline constexpr DWORD kDateDlgPlainOnly = 0x1;

/// A page with one or two sets of value controls (calendar, day, month, year, dual year,
/// "B.C.").
class CDatePage : public CPropertyPage {
public:
    CDatePage(UINT templateId, CDateDlg& sheet) : CPropertyPage(templateId), m_dateSheet(sheet) {}

    /// What the page holds, for building the date.
    virtual DatePageInput CollectInput() = 0;

protected:
    /// Fills the calendar and month lists of a set (0 first, 1 second), shows the value (or
    /// nothing in the default calendar) and enables or disables the set.
    void InitSet(int set, const CDateValue* value, int defaultCalendar, bool enabled);
    void ShowSet(int set, const CDateValue* value, int defaultCalendar);
    void EnableSet(int set, bool enabled);
    DateSetInput ReadSet(int set) const;
    /// Shows the dual-year edit, the slash and "B.C." of a set for Gregorian only.
    void ShowGregorianParts(int set, bool show);
    bool IsGregorian(int set) const;
    /// The calendar and month lists and the month type-ahead; TRUE when handled.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CDateDlg& m_dateSheet;

private:
    void FillMonths(int set, int calendar);
    /// The typed month text selects the month it begins; nothing when none.
    void ApplyTypedMonth(int set);
};

class CDatePageDate final : public CDatePage {
public:
    explicit CDatePageDate(CDateDlg& sheet) : CDatePage(139, sheet) {}
    DatePageInput CollectInput() override;

protected:
    BOOL OnInitDialog() override;
};

class CDatePagePeriod final : public CDatePage {
public:
    explicit CDatePagePeriod(CDateDlg& sheet) : CDatePage(140, sheet) {}
    DatePageInput CollectInput() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CDatePagePhrase final : public CDatePage {
public:
    explicit CDatePagePhrase(CDateDlg& sheet) : CDatePage(146, sheet) {}
    DatePageInput CollectInput() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

class CDatePageRange final : public CDatePage {
public:
    explicit CDatePageRange(CDateDlg& sheet) : CDatePage(142, sheet) {}
    DatePageInput CollectInput() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// "and" and the second set show only for "Between".
    void ShowSecondSet();
};

/// The caller fills m_input, chooses the start page (StartPageForKind), runs DoModal and after
/// IDOK reads m_output. OK asks the page shown to build the date; a refusal shows its message,
/// puts the focus on the control at fault and keeps the sheet open.
class CDateDlg final : public CPropertySheet {
public:
    CDateDlg(const char* caption, CWnd* parent, DWORD flags);
    ~CDateDlg() override;

    bool IsPlainOnly() const { return (m_flags & kDateDlgPlainOnly) != 0; }
    /// Chooses the page to open on (an index of the pages added).
    void SetStartPage(int index);

    CDateData m_input;
    CDateData m_output;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// Builds the output from the page shown; false after showing why not.
    bool BuildOutput();

    DWORD m_flags;
    std::vector<std::unique_ptr<CDatePage>> m_pages;
};

/// The window class of the month boxes in the page templates ("Av_MonthCombo"): an editable
/// combo box that tells its parent when it loses the focus.
void RegisterMonthComboClass();
/// The notification code of that message (WM_COMMAND, the box's id and this code).
inline constexpr UINT kMonthComboKillFocus = 4;
