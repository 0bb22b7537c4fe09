// common/list_name_checks.h: the checks on the names of the automatic named lists that the
// preferences hold, and the autosave period the preferences give.
#pragma once

#include "common/preferences.h"

#include <array>
#include <string>

/// The longest name an automatic named list may have, in characters, blanks included.
inline constexpr int kMaxAutoListNameLength = 200;

enum class ListNamesFault {
    kNone,
    kTooLong,   // a name is longer than kMaxAutoListNameLength
    kDuplicate, // two names that are not empty are equal without regard to case
};

/// Tidies every name (white space trimmed, each run of white space inside it one blank), then
/// checks them in order: first for a name that is too long, then for two names that are the
/// same. On a fault, index is the name at fault (the later one of a duplicate pair).
ListNamesFault TidyAndCheckListNames(std::array<std::string, kAutoNamedListCount>& names,
                                     int& index);

/// The minutes between autosaves, 0 when autosave is off.
int AutosavePeriod(const Preferences& prefs);
