// records/dialogs/age_entry_logic.h: what the Age Entry Assistant does without its window:
// reading its radio buttons and number boxes into an age, checking it, and the age's text.
#pragma once

#include "database/fields/age_node.h"

#include <string>

// The controls of template 299.
inline constexpr unsigned kAgeEntryTemplate = 299;
inline constexpr int IDC_AGE_CHILD = 1415, IDC_AGE_INFANT = 1416, IDC_AGE_STILLBORN = 1417,
                     IDC_AGE_GIVEN = 1418, IDC_AGE_YOUNGER = 1419, IDC_AGE_OLDER = 1420,
                     IDC_AGE_YEARS = 1421, IDC_AGE_MONTHS = 1422, IDC_AGE_DAYS = 1423,
                     IDC_AGE_DAYS_LABEL = 1424, IDC_AGE_MONTHS_LABEL = 1425,
                     IDC_AGE_YEARS_LABEL = 1426;

/// The most digits each number box takes: the largest age each part of an age can hold.
inline constexpr int kAgeYearsDigits = 3, kAgeMonthsDigits = 2, kAgeDaysDigits = 3;

/// The radio button of an age's kind: any kind without its own button shows "Age given below".
int AgeKindButton(int kind);

/// What the dialog holds: the kind of the first checked radio button (AGE_EXACT when none is)
/// and the texts of the three number boxes.
struct AgeEntryInput {
    int kind = AGE_EXACT;
    std::string years;
    std::string months;
    std::string days;
};

enum class AgeEntryError { None, NothingGiven, YearsRange, MonthsRange, DaysRange };

/// Reads the input into age; for the kinds with numbers an empty box gives -1. A number that
/// is not made of digits, or does not fit the part (999 years, 99 months, 999 days), is refused,
/// never wrapped; so is an age with numbers that gives none of the three.
AgeEntryError ReadAgeEntry(const AgeEntryInput& input, CAgeValue& age);
std::string AgeEntryMessage(AgeEntryError error);
/// The control that gets the focus after a refusal.
int AgeEntryErrorControl(AgeEntryError error);

/// The age in the typing grammar ("Infant", "<5y 3m", "2d"); empty for an empty age.
std::string AgeValueText(const CAgeValue& age);
