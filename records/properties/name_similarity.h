// records/properties/name_similarity.h: the rules that a new custom event or attribute name must
// pass: not a standard name, not too similar to a name in use.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The letters and digits of a name in order, lower case taken as upper case; everything else
/// is left out. Two names are similar when their keys are equal.
std::string SimilarityKey(std::string_view name);
bool AreNamesSimilar(std::string_view a, std::string_view b);

/// What a name is the label of among the standard kinds (without regard to case): an event of
/// individuals or families, an attribute, or neither.
enum class StandardKind { None, Event, Attribute };
StandardKind FindStandardName(std::string_view name);

/// The custom names in use and those marked for exclusion, as the Add Event or Attribute dialog
/// collects them.
struct CCustomNameLists {
    std::vector<std::string> m_indiEvents;
    std::vector<std::string> m_famEvents;
    std::vector<std::string> m_indiAttributes;
    std::vector<std::string> m_famAttributes;
    std::vector<std::string> m_excludedEvents;
    std::vector<std::string> m_excludedAttributes;
};

/// The verdict on a new custom name.
struct CCustomNameVerdict {
    enum Action {
        Accept,         // close with the name
        Refuse,         // show m_message, keep the dialog open
        AskUseExisting, // Yes/No/Cancel: Yes takes m_existing, No keeps the name
        AskProceed,     // OK/Cancel: OK keeps the name
    };
    Action m_action = Accept;
    std::string m_message;
    std::string m_existing;
    /// The name trimmed of blanks at both ends.
    std::string m_name;
};

/// Checks a name for a new custom event (isEvent) or attribute of individuals or families
/// (isFamily): empty, ending with a colon, a standard name, similar to one of the same kind and
/// owner (refused), similar to one of the same kind and the other owner (offered instead unless
/// identical), similar to one of the other kind (asked).
CCustomNameVerdict CheckCustomName(std::string_view name, bool isEvent, bool isFamily,
                                   const CCustomNameLists& lists);

/// The checks of a custom item name (an event or attribute) without similarity: empty, ending
/// with a colon, a standard name. The message, empty when the name passes.
std::string CheckCustomItemName(std::string_view name, bool isEvent);
