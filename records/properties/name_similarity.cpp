// records/properties/name_similarity.cpp: the rules that a new custom event or attribute name
// must pass.
#include "records/properties/name_similarity.h"

#include "database/dictionary/field_def.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/field_ids.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

bool IsAlnum(char32_t c)
{
    if (c < 0x80)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    // Letters of the Latin supplements count; their punctuation and symbols do not.
    if (c >= 0xC0 && c <= 0x24F)
        return c != 0xD7 && c != 0xF7;
    return c > 0x24F && !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F);
}

bool HasLabel(int structId, std::string_view name)
{
    const CFieldDef* group = FindStructDefById(structId);
    for (const CFieldDef* def = group ? group->GetFirstChild() : nullptr; def;
         def = def->GetNextSibling()) {
        if (text::EqualsNoCase(def->GetLabel(), name))
            return true;
    }
    return false;
}

const std::vector<std::string>& ListOf(const CCustomNameLists& lists, bool isEvent, bool isFamily)
{
    if (isEvent)
        return isFamily ? lists.m_famEvents : lists.m_indiEvents;
    return isFamily ? lists.m_famAttributes : lists.m_indiAttributes;
}

/// The first name of the list similar to name; an identical one before a merely similar one.
const std::string* FindSimilar(const std::vector<std::string>& list, std::string_view name,
                               bool& identical)
{
    const auto same = std::find(list.begin(), list.end(), name);
    identical = same != list.end();
    if (identical)
        return &*same;
    const std::string key = SimilarityKey(name);
    for (const std::string& other : list) {
        if (SimilarityKey(other) == key)
            return &other;
    }
    return nullptr;
}

bool IsListed(const std::vector<std::string>& list, std::string_view name)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return text::EqualsNoCase(entry, name); });
}

std::string StandardNameMessage(StandardKind standard, const char* verb, const char* creating)
{
    return text::Format(
        "The text you have entered is the name of an existing standard %s.  You "
        "cannot %s a custom %s with the same name as a standard event or attribute.",
        standard == StandardKind::Event ? "event" : "attribute", verb, creating);
}

} // namespace

std::string SimilarityKey(std::string_view name)
{
    std::string key;
    for (std::size_t pos = 0; pos < name.size();) {
        const char32_t c = text::DecodeUtf8(name, pos);
        if (IsAlnum(c))
            text::AppendUtf8(key, text::ToUpperChar(c));
    }
    return key;
}

bool AreNamesSimilar(std::string_view a, std::string_view b)
{
    return SimilarityKey(a) == SimilarityKey(b);
}

StandardKind FindStandardName(std::string_view name)
{
    if (HasLabel(STRUCT_INDI_EVENTS, name) || HasLabel(STRUCT_FAM_EVENTS, name))
        return StandardKind::Event;
    if (HasLabel(STRUCT_INDI_ATTRIBUTES, name))
        return StandardKind::Attribute;
    return StandardKind::None;
}

CCustomNameVerdict CheckCustomName(std::string_view name, bool isEvent, bool isFamily,
                                   const CCustomNameLists& lists)
{
    CCustomNameVerdict verdict;
    verdict.m_name = text::Trim(name);
    const std::string& trimmed = verdict.m_name;
    const char* kind = isEvent ? "event" : "attribute";
    const char* owner = isFamily ? "Family" : "Individual";
    const char* otherOwner = isFamily ? "Individual" : "Family";
    auto refuse = [&](std::string message) {
        verdict.m_action = CCustomNameVerdict::Refuse;
        verdict.m_message = std::move(message);
        return verdict;
    };
    if (trimmed.empty())
        return refuse(isEvent ? "You must supply an event name"
                              : "You must supply an attribute name");
    if (trimmed.back() == ':')
        return refuse("Name must not end with a colon.");
    if (const StandardKind standard = FindStandardName(trimmed); standard != StandardKind::None)
        return refuse(StandardNameMessage(standard, "create", kind));

    const std::vector<std::string>& excluded =
        isEvent ? lists.m_excludedEvents : lists.m_excludedAttributes;
    bool identical = false;
    if (const std::string* similar =
            FindSimilar(ListOf(lists, isEvent, isFamily), trimmed, identical)) {
        if (identical)
            return refuse(
                text::Format("Name is already in use for an existing %s %s.  Please choose "
                             "another name.",
                             owner, kind));
        std::string message = text::Format(
            "Name is too similar to an existing %s %s name.  Please choose another name.\n\nFor "
            "the purposes of assessing 'similarity', you should ignore all characters other than "
            "alphabetic characters and digits (for example, spaces, commas, brackets, "
            "apostrophes, etc. don't count).  If an existing %s %s name has the same alphabetic "
            "characters and digits, in the same order, the names are deemed to be too similar.",
            owner, kind, owner, kind);
        if (IsListed(excluded, *similar))
            message += text::Format("\n\nThe %s in question is not shown in the %s list, as it has "
                                    "been marked for exclusion (see Preferences).",
                                    kind, kind);
        return refuse(std::move(message));
    }
    if (const std::string* existing =
            FindSimilar(ListOf(lists, isEvent, !isFamily), trimmed, identical)) {
        if (identical)
            return verdict;
        verdict.m_action = CCustomNameVerdict::AskUseExisting;
        verdict.m_existing = *existing;
        verdict.m_message = text::Format(
            "Name is similar, but not identical, to an existing %s %s name: \n\n%s\n\nUse "
            "that name instead? (You are recommended to keep names consistent where "
            "possible).",
            otherOwner, kind, existing->c_str());
        if (IsListed(excluded, *existing))
            verdict.m_message += "\n\nPlease note that the name mentioned is currently marked for "
                                 "exclusion from lists (see Preferences).";
        return verdict;
    }
    if (FindSimilar(ListOf(lists, !isEvent, false), trimmed, identical) ||
        FindSimilar(ListOf(lists, !isEvent, true), trimmed, identical)) {
        verdict.m_action = CCustomNameVerdict::AskProceed;
        verdict.m_message =
            text::Format("%s name is similar or identical to an existing %s name.  Proceed anyway?",
                         isEvent ? "Event" : "Attribute", isEvent ? "attribute" : "event");
    }
    return verdict;
}

std::string CheckCustomItemName(std::string_view name, bool isEvent)
{
    const std::string trimmed = text::Trim(name);
    if (trimmed.empty())
        return "You must supply a name";
    if (trimmed.back() == ':')
        return "Name must not end with a colon.";
    if (const StandardKind standard = FindStandardName(trimmed); standard != StandardKind::None)
        return StandardNameMessage(standard, "have", isEvent ? "event" : "attribute");
    return {};
}
