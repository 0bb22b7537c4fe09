// records/dialogs/age_entry_logic.cpp: the Age Entry Assistant's reading and checking of ages.
#include "records/dialogs/age_entry_logic.h"

#include "platform/base/text.h"

namespace {

constexpr const char* kNothingGiven =
    "You must specify a value for at least one of 'Years', 'Months' and 'Days'.";
constexpr const char* kYearsRange = "'Years' must be a whole number from 0 to 999.";
constexpr const char* kMonthsRange = "'Months' must be a whole number from 0 to 99.";
constexpr const char* kDaysRange = "'Days' must be a whole number from 0 to 999.";

/// The box's number: -1 when empty, -2 when it is no number or above max.
int ReadPart(std::string_view text, int max)
{
    text = text::TrimView(text);
    if (text.empty())
        return -1;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -2;
        value = value * 10 + (c - '0');
        if (value > max)
            return -2;
    }
    return int(value);
}

} // namespace

int AgeKindButton(int kind)
{
    switch (kind) {
    case AGE_STILLBORN:
        return IDC_AGE_STILLBORN;
    case AGE_INFANT:
        return IDC_AGE_INFANT;
    case AGE_CHILD:
        return IDC_AGE_CHILD;
    case AGE_LESS_THAN:
        return IDC_AGE_YOUNGER;
    case AGE_MORE_THAN:
        return IDC_AGE_OLDER;
    default:
        return IDC_AGE_GIVEN;
    }
}

AgeEntryError ReadAgeEntry(const AgeEntryInput& input, CAgeValue& age)
{
    age = CAgeValue();
    age.kind =
        BYTE(input.kind >= AGE_STILLBORN && input.kind <= AGE_MORE_THAN ? input.kind : AGE_EXACT);
    if (!age.HasNumbers())
        return AgeEntryError::None;
    const int years = ReadPart(input.years, 999);
    const int months = ReadPart(input.months, 99);
    const int days = ReadPart(input.days, 999);
    if (years == -2)
        return AgeEntryError::YearsRange;
    if (months == -2)
        return AgeEntryError::MonthsRange;
    if (days == -2)
        return AgeEntryError::DaysRange;
    age.years = short(years);
    age.months = static_cast<signed char>(months);
    age.days = short(days);
    if (years < 0 && months < 0 && days < 0)
        return AgeEntryError::NothingGiven;
    return AgeEntryError::None;
}

std::string AgeEntryMessage(AgeEntryError error)
{
    switch (error) {
    case AgeEntryError::NothingGiven:
        return kNothingGiven;
    case AgeEntryError::YearsRange:
        return kYearsRange;
    case AgeEntryError::MonthsRange:
        return kMonthsRange;
    case AgeEntryError::DaysRange:
        return kDaysRange;
    default:
        return {};
    }
}

int AgeEntryErrorControl(AgeEntryError error)
{
    switch (error) {
    case AgeEntryError::MonthsRange:
        return IDC_AGE_MONTHS;
    case AgeEntryError::DaysRange:
        return IDC_AGE_DAYS;
    default:
        return IDC_AGE_YEARS;
    }
}

std::string AgeValueText(const CAgeValue& age)
{
    switch (age.kind) {
    case AGE_STILLBORN:
        return "Stillborn";
    case AGE_INFANT:
        return "Infant";
    case AGE_CHILD:
        return "Child";
    default:
        break;
    }
    if (!age.HasNumbers())
        return {};
    std::string text = age.kind == AGE_LESS_THAN ? "<" : age.kind == AGE_MORE_THAN ? ">" : "";
    const auto part = [&text](int value, char unit) {
        if (value < 0)
            return;
        if (!text.empty() && text.back() != '<' && text.back() != '>')
            text += ' ';
        text += std::to_string(value) + unit;
    };
    part(age.years, 'y');
    part(age.months, 'm');
    part(age.days, 'd');
    return text;
}
