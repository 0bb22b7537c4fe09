// merge/merge_candidates.cpp: the candidate indexes of the compare, one kind per record type.
#include "merge/merge_candidates.h"

#include "database/dates/date_node.h"
#include "database/fields/text_value_node.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/obj_rec.h"
#include "database/paths/data_path.h"
#include "database/records/fam_rec.h"
#include "database/records/note_rec.h"
#include "database/records/record_node.h"
#include "merge/merge_individual_blocks.h"
#include "platform/base/text.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>

namespace {

using Positions = std::vector<std::uint32_t>;

/// Appends the positions of several ascending lists as one ascending list without repeats.
void MergeLists(const std::vector<const Positions*>& lists, Positions& out)
{
    out.clear();
    for (const Positions* list : lists)
        out.insert(out.end(), list->begin(), list->end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

/// A text key under which texts equal ignoring case (as the text fields compare) meet.
std::string TextKey(std::string_view value)
{
    return text::FoldedSortKey(value);
}

/// The key of a field compared by its text; nothing for a field compared otherwise.
std::optional<std::string> FieldKey(const CDataNode* field)
{
    const auto* textField = dynamic_cast<const CTextValueNode*>(field);
    if (!textField)
        return std::nullopt;
    return TextKey(textField->GetValue());
}

/// Current records by one text key each, and those whose key cannot be read.
class CKeyBuckets {
public:
    void Add(const std::optional<std::string>& key, std::uint32_t position)
    {
        if (key)
            m_byKey[*key].push_back(position);
        else
            m_unkeyed.push_back(position);
    }
    /// The records with that key, and every unkeyed one.
    void Lists(const std::string& key, std::vector<const Positions*>& lists) const
    {
        if (const auto found = m_byKey.find(key); found != m_byKey.end())
            lists.push_back(&found->second);
        lists.push_back(&m_unkeyed);
    }

private:
    std::unordered_map<std::string, Positions> m_byKey;
    Positions m_unkeyed;
};

// ---- Individuals --------------------------------------------------------------------------

/// Individuals of one surname key (or of none, or all) by birth year.
struct BirthBucket {
    std::vector<std::pair<int, std::uint32_t>> byYear; // sorted by year
    Positions unplaced;                                // no birth date placed by year
    Positions all;

    void Add(std::optional<int> year, std::uint32_t position)
    {
        if (year)
            byYear.emplace_back(*year, position);
        else
            unplaced.push_back(position);
        all.push_back(position);
    }
    void Finish() { std::stable_sort(byYear.begin(), byYear.end()); }
    /// Candidates by birth: with a year, those born within the reach plus the unplaced.
    void Collect(std::optional<int> year, Positions& out) const
    {
        if (!year) {
            out.insert(out.end(), all.begin(), all.end());
            return;
        }
        // Dates ten or more years apart score below 0; a margin of one year covers the months.
        constexpr int kReach = 11;
        auto from = std::lower_bound(byYear.begin(), byYear.end(),
                                     std::pair<int, std::uint32_t>(*year - kReach, 0));
        for (; from != byYear.end() && from->first <= *year + kReach; ++from)
            out.push_back(from->second);
        out.insert(out.end(), unplaced.begin(), unplaced.end());
    }
};

class CIndividualIndex final : public CCandidateIndex {
public:
    explicit CIndividualIndex(const std::vector<CRecordNode*>& currents)
    {
        for (std::uint32_t i = 0; i < currents.size(); ++i) {
            const auto* individual = AsIndividual(currents[i]);
            if (!individual) {
                m_unindexed.push_back(i);
                continue;
            }
            const std::optional<int> year = YearOf(*individual);
            const CIndCompareKeys* own = FindCompareKeys(*individual);
            if (own && own->m_surname)
                m_bySurname[*own->m_surname].Add(year, i);
            else
                m_noSurname.Add(year, i);
            m_everyone.Add(year, i);
        }
        for (auto& [surname, bucket] : m_bySurname)
            bucket.Finish();
        m_noSurname.Finish();
        m_everyone.Finish();
    }

    bool Collect(const CRecordNode& incoming, Positions& out) const override
    {
        const auto* individual = AsIndividual(&incoming);
        const CIndCompareKeys* own = individual ? FindCompareKeys(*individual) : nullptr;
        if (!own)
            return false;
        const std::optional<int> year = YearOf(*individual);
        out.clear();
        if (own->m_surname) {
            if (const auto found = m_bySurname.find(*own->m_surname); found != m_bySurname.end())
                found->second.Collect(year, out);
            m_noSurname.Collect(year, out);
        } else {
            m_everyone.Collect(year, out);
        }
        out.insert(out.end(), m_unindexed.begin(), m_unindexed.end());
        std::sort(out.begin(), out.end());
        return true;
    }

private:
    static std::optional<int> YearOf(const CIndRec& individual)
    {
        const CIndScorePerson* scored = FindScorePerson(individual);
        if (!scored)
            return PlacedBirthYear(individual);
        return scored->birthMonthDay >= 0 ? std::optional<int>(scored->birthYear) : std::nullopt;
    }

    std::unordered_map<std::string, BirthBucket> m_bySurname;
    BirthBucket m_noSurname;
    BirthBucket m_everyone;
    Positions m_unindexed;
};

// ---- Families -----------------------------------------------------------------------------

/// Families by one individual each (a partner in one place, or a child), flat: the pairs
/// sorted by individual, then position, so that an individual's families are one ascending
/// run.
class CFamiliesBy {
public:
    using Run = std::span<const std::uint32_t>;

    void Add(const CIndRec* individual, std::uint32_t position)
    {
        m_pairs.emplace_back(individual, position);
    }
    /// Sorts what was added into runs.
    void Finish()
    {
        std::sort(m_pairs.begin(), m_pairs.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? std::less<const CIndRec*>()(a.first, b.first)
                                      : a.second < b.second;
        });
        m_keys.reserve(m_pairs.size());
        m_positions.reserve(m_pairs.size());
        for (const auto& [individual, position] : m_pairs) {
            m_keys.push_back(individual);
            m_positions.push_back(position);
        }
        m_pairs = {};
    }
    /// The families of that individual (of none: those without one there).
    Run Find(const CIndRec* individual) const
    {
        const auto [from, to] =
            std::equal_range(m_keys.begin(), m_keys.end(), individual, std::less<const CIndRec*>());
        return Run(m_positions).subspan(std::size_t(from - m_keys.begin()), std::size_t(to - from));
    }

private:
    std::vector<std::pair<const CIndRec*, std::uint32_t>> m_pairs; // while adding
    std::vector<const CIndRec*> m_keys;
    std::vector<std::uint32_t> m_positions;
};

/// Appends the positions of several ascending runs as one ascending list without repeats.
void MergeRuns(const std::vector<CFamiliesBy::Run>& runs, Positions& out)
{
    out.clear();
    for (const CFamiliesBy::Run run : runs)
        out.insert(out.end(), run.begin(), run.end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

class CFamilyIndex final : public CCandidateIndex {
public:
    CFamilyIndex(const std::vector<CRecordNode*>& currents, CurrentMatchOf currentMatchOf)
        : m_currentMatchOf(std::move(currentMatchOf))
    {
        std::vector<const CIndRec*> children;
        for (std::uint32_t i = 0; i < currents.size(); ++i) {
            const CFamRec* family = AsFamily(currents[i]);
            if (!family) {
                m_unindexed.push_back(i);
                continue;
            }
            const auto [husband, wife] = Members(*family, children);
            m_byHusband.Add(husband, i);
            m_byWife.Add(wife, i);
            if (!husband && !wife)
                m_noPartner.push_back(i);
            for (const CIndRec* child : children)
                m_byChild.Add(child, i);
        }
        m_byHusband.Finish();
        m_byWife.Finish();
        m_byChild.Finish();
    }

    bool Collect(const CRecordNode& incoming, Positions& out) const override
    {
        const CFamRec* family = AsFamily(&incoming);
        if (!family)
            return false;
        out.clear();
        if (family->GetHusband() && family->GetWife()) {
            BothPartnersSet(*family, out);
        } else {
            Positions husbands, wives;
            const bool byHusband = PartnerSet(*family, family->GetHusband(), m_byHusband, husbands);
            const bool byWife = PartnerSet(*family, family->GetWife(), m_byWife, wives);
            if (byHusband)
                out = std::move(husbands);
            else if (byWife)
                out = std::move(wives);
            else
                ChildSet(*family, out);
        }
        out.insert(out.end(), m_unindexed.begin(), m_unindexed.end());
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return true;
    }

private:
    using Run = CFamiliesBy::Run;

    /// The husband and wife (as GetHusband and GetWife give them) and, in children, the
    /// children (as GetNextChild walks them), from one walk over the family's fields.
    static std::pair<const CIndRec*, const CIndRec*> Members(const CFamRec& family,
                                                             std::vector<const CIndRec*>& children)
    {
        children.clear();
        const CRecordNode* husband = nullptr;
        const CRecordNode* wife = nullptr;
        bool husbandFound = false, wifeFound = false, childrenEnd = false;
        for (const CDataNode* field = family.GetFirstChild(); field;
             field = field->GetNextSibling()) {
            const int fieldId = field->GetFieldId();
            if (fieldId != FIELD_HUSB && fieldId != FIELD_WIFE && fieldId != FIELD_CHIL)
                continue;
            const CRecordNode* target = field->GetLinkTarget();
            if (!target)
                continue;
            if (fieldId == FIELD_HUSB && !husbandFound) {
                husband = target;
                husbandFound = true;
            } else if (fieldId == FIELD_WIFE && !wifeFound) {
                wife = target;
                wifeFound = true;
            } else if (fieldId == FIELD_CHIL && !childrenEnd) {
                // A child met before is passed over; a target that is no individual ends
                // the walk over the children.
                const CIndRec* child = AsIndividual(target);
                if (!child)
                    childrenEnd = true;
                else if (std::find(children.begin(), children.end(), child) == children.end())
                    children.push_back(child);
            }
        }
        return {AsIndividual(husband), AsIndividual(wife)};
    }

    /// A new family with both partners: the families whose husband is matched with its husband
    /// or missing, and whose wife is matched with its wife or missing. Put together from the
    /// matched partners' few families, so that the families missing a partner are not all
    /// gone through for every new family.
    void BothPartnersSet(const CFamRec& family, Positions& out) const
    {
        const CRecordNode* husbandMatch = m_currentMatchOf(family.GetHusband());
        const CRecordNode* wifeMatch = m_currentMatchOf(family.GetWife());
        const Run byHusband = husbandMatch ? m_byHusband.Find(AsIndividual(husbandMatch)) : Run();
        const Run byWife = wifeMatch ? m_byWife.Find(AsIndividual(wifeMatch)) : Run();
        const Run noHusband = m_byHusband.Find(nullptr);
        const Run noWife = m_byWife.Find(nullptr);
        const auto contains = [](Run run, std::uint32_t position) {
            return std::binary_search(run.begin(), run.end(), position);
        };
        for (const std::uint32_t position : byHusband) {
            if (contains(byWife, position) || contains(noWife, position))
                out.push_back(position);
        }
        for (const std::uint32_t position : byWife) {
            if (contains(noHusband, position))
                out.push_back(position);
        }
        ScoredByChildren(family, m_noPartner, out);
    }

    /// The families whose partner in that place does not rule them out: the partner matched
    /// with the new family's, or none. False when the new family has no partner there (the
    /// place rules nothing out).
    bool PartnerSet(const CFamRec& family, const CIndRec* partner, const CFamiliesBy& by,
                    Positions& out) const
    {
        if (!partner)
            return false;
        std::vector<Run> runs;
        if (const CRecordNode* match = m_currentMatchOf(partner))
            runs.push_back(by.Find(AsIndividual(match)));
        // The new family lacks the other partner, so those without this one score only by
        // their children.
        Positions byChildren;
        ScoredByChildren(family, by.Find(nullptr), byChildren);
        runs.push_back(byChildren);
        MergeRuns(runs, out);
        return true;
    }

    /// Appends the families of list (ascending) that could score by their children against
    /// the new family: those with a child matched with one of its children. Families with no
    /// partner to compare with the new family's score only so; the others score 0.
    void ScoredByChildren(const CFamRec& family, Run list, Positions& out) const
    {
        if (list.empty())
            return;
        Positions byChild;
        ChildSet(family, byChild);
        for (const std::uint32_t position : byChild) {
            if (std::binary_search(list.begin(), list.end(), position))
                out.push_back(position);
        }
    }

    /// Without partners to go by a family scores only by children matched with the other's.
    void ChildSet(const CFamRec& family, Positions& out) const
    {
        std::vector<Run> runs;
        for (const CIndRec* child = family.GetNextChild(nullptr); child;
             child = family.GetNextChild(child)) {
            const CRecordNode* match = m_currentMatchOf(child);
            if (!match)
                continue;
            runs.push_back(m_byChild.Find(AsIndividual(match)));
        }
        MergeRuns(runs, out);
    }

    CurrentMatchOf m_currentMatchOf;
    CFamiliesBy m_byHusband;
    CFamiliesBy m_byWife;
    CFamiliesBy m_byChild;
    Positions m_noPartner; // families without husband and wife
    Positions m_unindexed;
};

// ---- Records scored by equal key fields ---------------------------------------------------

/// What one key of a record is: absent (no field), or the field's text key, or unreadable.
struct KeyOf {
    bool present = false;
    std::optional<std::string> key;
};

/// Records that score above 0 only with at least one key equal on both sides: each key has its
/// buckets; a new record's candidates are the union over its present keys.
class CKeyFieldIndex final : public CCandidateIndex {
public:
    using KeyReader = std::function<std::vector<KeyOf>(const CRecordNode&)>;

    CKeyFieldIndex(const std::vector<CRecordNode*>& currents, KeyReader reader)
        : m_reader(std::move(reader))
    {
        for (std::uint32_t i = 0; i < currents.size(); ++i) {
            const std::vector<KeyOf> keys = m_reader(*currents[i]);
            if (m_buckets.size() < keys.size())
                m_buckets.resize(keys.size());
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (keys[k].present)
                    m_buckets[k].Add(keys[k].key, i);
            }
        }
    }

    bool Collect(const CRecordNode& incoming, Positions& out) const override
    {
        const std::vector<KeyOf> keys = m_reader(incoming);
        std::vector<const Positions*> lists;
        for (std::size_t k = 0; k < keys.size() && k < m_buckets.size(); ++k) {
            if (!keys[k].present)
                continue;
            if (!keys[k].key)
                return false; // a key that cannot be read rules nothing out
            m_buckets[k].Lists(*keys[k].key, lists);
        }
        MergeLists(lists, out);
        return true;
    }

private:
    KeyReader m_reader;
    std::vector<CKeyBuckets> m_buckets;
};

std::vector<KeyOf> NoteKeys(const CRecordNode& record)
{
    const auto* note = dynamic_cast<const CNoteRec*>(&record);
    const CDataNode* textField = note ? note->GetTextField() : nullptr;
    if (!textField)
        return {KeyOf{}};
    return {KeyOf{true, FieldKey(textField)}};
}

std::vector<KeyOf> SourceKeys(const CRecordNode& record)
{
    std::vector<KeyOf> keys;
    for (const int fieldId : {FIELD_TITL, FIELD_ABBR, FIELD_AUTH}) {
        const CDataNode* field = record.FindChild(nullptr, fieldId, true);
        keys.push_back(field ? KeyOf{true, FieldKey(field)} : KeyOf{});
    }
    return keys;
}

/// A multimedia record's key: a linked file by its path; embedded content by its kind and
/// size; no key (no positive score) without content.
std::vector<KeyOf> MultimediaKeys(const CRecordNode& record)
{
    const auto* object = dynamic_cast<const CObjRec*>(&record);
    if (!object)
        return {KeyOf{true, std::nullopt}};
    const std::string kind = std::to_string(int(object->GetKind()));
    if (!object->IsEmbedded())
        return {KeyOf{true, "L" + kind + ":" + TextKey(object->GetFilePath())}};
    if (object->GetWorkingFile().empty())
        return {KeyOf{}};
    std::error_code error;
    const auto size = std::filesystem::file_size(object->GetWorkingFile(), error);
    if (error)
        return {KeyOf{true, std::nullopt}};
    return {KeyOf{true, "E" + kind + ":" + std::to_string(size)}};
}

/// The key fields a record definition names (the first two), as the base score reads them.
std::vector<KeyOf> DefinitionKeys(const CRecordNode& record)
{
    std::vector<KeyOf> keys;
    const CFieldDef* def = record.GetFieldDef();
    if (!def)
        return keys;
    const std::vector<std::string>& names = def->GetValues().m_items;
    for (std::size_t i = 0; i < names.size() && i < 2; ++i) {
        const CDataNode* field =
            FindNodeByText(const_cast<CRecordNode*>(&record), names[i], nullptr);
        keys.push_back(field && field != &record ? KeyOf{true, FieldKey(field)} : KeyOf{});
    }
    return keys;
}

} // namespace

std::unique_ptr<CCandidateIndex> MakeCandidateIndex(int type,
                                                    const std::vector<CRecordNode*>& currents,
                                                    CurrentMatchOf currentMatchOf)
{
    switch (type) {
    case 1:
        return std::make_unique<CFamilyIndex>(currents, std::move(currentMatchOf));
    case 2:
        return std::make_unique<CIndividualIndex>(currents);
    case 3:
        return std::make_unique<CKeyFieldIndex>(currents, MultimediaKeys);
    case 4:
        return std::make_unique<CKeyFieldIndex>(currents, NoteKeys);
    case 6:
        return std::make_unique<CKeyFieldIndex>(currents, SourceKeys);
    default:
        return std::make_unique<CKeyFieldIndex>(currents, DefinitionKeys);
    }
}
