// common/list_name_checks.cpp: the checks on the automatic named-list names.
#include "common/list_name_checks.h"

#include "common/string_utils.h"
#include "platform/base/text.h"

ListNamesFault TidyAndCheckListNames(std::array<std::string, kAutoNamedListCount>& names,
                                     int& index)
{
    for (std::string& name : names)
        name = CollapseSpaces(name);
    for (index = 0; index < kAutoNamedListCount; ++index)
        if (int(names[index].size()) > kMaxAutoListNameLength)
            return ListNamesFault::kTooLong;
    for (int first = 0; first < kAutoNamedListCount; ++first) {
        if (names[first].empty())
            continue;
        for (index = first + 1; index < kAutoNamedListCount; ++index)
            if (text::EqualsNoCase(names[first], names[index]))
                return ListNamesFault::kDuplicate;
    }
    index = -1;
    return ListNamesFault::kNone;
}

int AutosavePeriod(const Preferences& prefs)
{
    return prefs.m_enableAutosave ? prefs.m_autosaveMinutes : 0;
}
