// database/kin/ind_rec_dates.cpp: CIndRec: life dates, ages, the sort order of individuals and the
// order of spouse families.
#include "database/kin/ind_rec.h"

#include "common/preferences.h"
#include "database/dates/date_format.h"
#include "database/dates/date_node.h"
#include "database/fields/age_node.h"
#include "database/fields/name_node.h"
#include "database/fields/text_value_node.h"
#include "database/kin/link_date_order.h"
#include "platform/base/text.h"

#include <array>
#include <iterator>
#include <optional>
#include <span>

namespace {

/// The shortest buffer that takes a life-dates text (the longest is "bap.frm65535, bur.bef65535").
constexpr int kLifeDatesMinBytes = 45;

/// An event that stands for a birth or a death, with the prefix its date is shown with.
struct LifeEvent {
    int fieldId;
    const char* prefix;
};
constexpr LifeEvent kBirthEvents[] = {
    {FIELD_BIRT, "b."}, {FIELD_BAPM, "bap."}, {FIELD_CHR, "chr."}};
constexpr LifeEvent kDeathEvents[] = {{FIELD_DEAT, "d."}, {FIELD_BURI, "bur."}};

/// A life date found: the DATE field, the value taken from it and the event it came from.
struct LifeDate {
    const CDateNode* date = nullptr;
    const CDateValue* value = nullptr;
    const LifeEvent* event = nullptr;
};

/// The value a life event's field gives: its first non-empty DATE field and that date's first
/// (latest) value, which must be valid.
LifeDate LifeDateOf(const CDataNode* field, const LifeEvent& event, bool latest)
{
    const auto* date =
        field ? dynamic_cast<const CDateNode*>(field->FindChild(nullptr, FIELD_DATE, true))
              : nullptr;
    if (!date)
        return {};
    const CDateValue* value = latest ? date->GetLatestValue() : &date->GetFirstValue();
    if (value && value->IsValid())
        return {date, value, &event};
    return {};
}

/// The first non-empty field of each life event, birth events then death events, found in one
/// walk over the individual's fields. With untilBirth the walk ends as soon as the first birth
/// event gives a value, which then comes before every other.
struct LifeFields {
    static constexpr std::size_t kBirths = std::size(kBirthEvents);
    std::array<const CDataNode*, kBirths + std::size(kDeathEvents)> fields{};

    LifeFields(const CIndRec& individual, bool untilBirth)
    {
        std::size_t missing = fields.size();
        for (const CDataNode* child = individual.GetFirstChild(); child && missing > 0;
             child = child->GetNextSibling()) {
            const std::size_t slot = Slot(child->GetFieldId());
            if (slot == fields.size() || fields[slot] || child->IsEmpty())
                continue;
            fields[slot] = child;
            --missing;
            if (untilBirth && slot == 0 && LifeDateOf(child, kBirthEvents[0], false).value)
                return;
        }
    }

    static std::size_t Slot(int fieldId)
    {
        for (std::size_t i = 0; i < kBirths; ++i)
            if (kBirthEvents[i].fieldId == fieldId)
                return i;
        for (std::size_t i = 0; i < std::size(kDeathEvents); ++i)
            if (kDeathEvents[i].fieldId == fieldId)
                return kBirths + i;
        return std::size(kBirthEvents) + std::size(kDeathEvents);
    }

    /// The first birth event (or death event) of the list that gives a value.
    LifeDate Find(bool death) const
    {
        const std::span<const LifeEvent> events = death ? std::span<const LifeEvent>(kDeathEvents)
                                                        : std::span<const LifeEvent>(kBirthEvents);
        const std::size_t first = death ? kBirths : 0;
        for (std::size_t i = 0; i < events.size(); ++i)
            if (const LifeDate found = LifeDateOf(fields[first + i], events[i], death); found.value)
                return found;
        return {};
    }
};

/// The value a death or burial gives moved back by the standard lifespan.
CDateValue EstimatedBirth(CDateValue value, int lifespan)
{
    const int year = value.GetYear();
    if (value.IsBC()) {
        value.SetYear(year + lifespan);
    } else if (lifespan >= year) {
        value.SetYear(lifespan - year + 1);
        value.SetBC(true);
    } else {
        value.SetYear(year - lifespan);
    }
    value.SetValid(true);
    return value;
}

/// The date key of the sort order: a birth, else an estimate from a death.
std::optional<CDateValue> DateKey(const CIndRec& individual)
{
    const LifeFields fields(individual, true);
    if (const LifeDate birth = fields.Find(false); birth.value)
        return *birth.value;
    if (const LifeDate death = fields.Find(true); death.value)
        return EstimatedBirth(*death.value, Prefs().m_stdLifeInYears);
    return std::nullopt;
}

/// Appends the life dates of the individual: "1700-1750", "b.1700, bur.1750", "1700- ", " - ".
void AppendLifeDates(std::string& out, const CIndRec& individual)
{
    const LifeFields fields(individual, false);
    const LifeDate birth = fields.Find(false);
    const LifeDate death = fields.Find(true);
    const bool isBirth = birth.event == &kBirthEvents[0];
    const bool isDeath = death.event == &kDeathEvents[0];
    const auto appendBorn = [&] {
        AppendShortDateText(out, birth.date->GetDate(), *birth.value, true);
    };
    const auto appendDied = [&] {
        AppendShortDateText(out, death.date->GetDate(), *death.value, false);
    };
    if (birth.value && death.value) {
        if (isBirth && isDeath) {
            appendBorn();
            out += '-';
        } else {
            out += birth.event->prefix;
            appendBorn();
            out += ", ";
            out += death.event->prefix;
        }
        appendDied();
    } else if (birth.value) {
        if (!isBirth)
            out += birth.event->prefix;
        appendBorn();
        if (isBirth)
            out += "- ";
    } else if (death.value) {
        out += isDeath ? " -" : death.event->prefix;
        appendDied();
    } else {
        out += " - ";
    }
}

const CDateNode* MarriageDateOf(const CRecordNode* family)
{
    const CDataNode* marriage = family->FindChild(nullptr, FIELD_MARR);
    const auto* date =
        marriage ? dynamic_cast<const CDateNode*>(marriage->FindChild(nullptr, FIELD_DATE))
                 : nullptr;
    return date && !date->IsEmpty() ? date : nullptr;
}

// ---- Age at an event ----------------------------------------------------------------------

/// The non-empty AGE stored for the individual at the event; null when there is none.
const CAgeNode* StoredAge(const CIndRec& individual, const CDataNode& event, int role)
{
    const CDataNode* holder = nullptr;
    if (role == AGE_ROLE_OWN_EVENT) {
        holder = &event;
    } else if (role == AGE_ROLE_FAMILY_EVENT) {
        // A partner of unknown sex keeps the age in the event's own AGE.
        const int sex = individual.GetSex();
        holder = sex == SEX_MALE || sex == SEX_FEMALE
                     ? event.FindChild(nullptr, sex == SEX_MALE ? FIELD_HUSB : FIELD_WIFE)
                     : &event;
    }
    const auto* age =
        holder ? dynamic_cast<const CAgeNode*>(holder->FindChild(nullptr, FIELD_AGE)) : nullptr;
    return age && !age->IsEmpty() ? age : nullptr;
}

/// Whether a stored age fits the completed years the dates allow. The words follow GEDCOM:
/// an infant is under one year, a child under eight.
bool AgeAgrees(const CAgeValue& age, int least, int greatest)
{
    const int years = age.years < 0 ? 0 : age.years;
    switch (age.kind) {
    case AGE_STILLBORN:
    case AGE_INFANT:
        return least <= 0;
    case AGE_CHILD:
        return least < 8;
    case AGE_EXACT:
        return least <= years && years <= greatest;
    case AGE_LESS_THAN:
        return least < years;
    case AGE_MORE_THAN:
        return greatest >= years;
    default:
        return true;
    }
}

const CDateNode* FirstDateOf(const CDataNode* field)
{
    return field ? dynamic_cast<const CDateNode*>(field->FindChild(nullptr, FIELD_DATE)) : nullptr;
}

} // namespace

const CDateNode* CIndRec::GetBirthDate() const
{
    return FindBirthDate(this);
}

int CIndRec::GetAgeAtDate(const CDateValue& date, bool& noAge) const
{
    const CDateNode* birth = GetBirthDate();
    noAge = !birth || !birth->GetFirstValue().IsValid();
    return noAge ? 0 : YearsBetween(date, birth->GetFirstValue());
}

int CIndRec::CompareByDate(const CIndRec* other) const
{
    if (!other)
        return -1;
    return CompareDateKeys(DateKey(*this), DateKey(*other));
}

std::optional<CDateValue> CIndRec::GetDateKey() const
{
    return DateKey(*this);
}

int CIndRec::CompareDateKeys(const std::optional<CDateValue>& mine,
                             const std::optional<CDateValue>& theirs)
{
    if (mine && theirs) {
        if (CDateValue::IsBefore(*mine, *theirs))
            return -1;
        return mine->IsSameValue(*theirs) ? 0 : 1;
    }
    if (mine)
        return 1;
    return theirs ? -1 : 0;
}

int CIndRec::Compare(const CDataNode* other, int format) const
{
    const auto* theirs = dynamic_cast<const CIndRec*>(other);
    if (!theirs)
        return CRecordNode::Compare(other, format);
    const CNameNode* myName = GetName();
    const CNameNode* theirName = theirs->GetName();
    if (myName && theirName) {
        if (const int byName = myName->Compare(theirName, format); byName != 0)
            return byName;
    } else if (myName || theirName) {
        return myName ? 1 : -1;
    }
    if (const int byDate = CompareDateKeys(DateKey(*theirs), DateKey(*this)); byDate != 0)
        return byDate;
    const auto mine = GetRecordNumber();
    const auto their = theirs->GetRecordNumber();
    return mine < their ? -1 : mine > their ? 1 : 0;
}

CIndRec::SortKey CIndRec::GetSortKey(int format) const
{
    SortKey key;
    if (const CNameNode* name = GetName()) {
        key.hasName = true;
        key.name = name->GetSortKey(format);
    }
    key.date = DateKey(*this);
    key.number = GetRecordNumber();
    return key;
}

int CIndRec::CompareSortKeys(const SortKey& mine, const SortKey& theirs)
{
    if (mine.hasName && theirs.hasName) {
        if (const int byName = CNameNode::CompareSortKeys(mine.name, theirs.name); byName != 0)
            return byName;
    } else if (mine.hasName || theirs.hasName) {
        return mine.hasName ? 1 : -1;
    }
    if (const int byDate = CompareDateKeys(theirs.date, mine.date); byDate != 0)
        return byDate;
    return mine.number < theirs.number ? -1 : mine.number > theirs.number ? 1 : 0;
}

char* CIndRec::GetLifeDates(char* buffer, int size) const
{
    std::string text;
    if (size >= kLifeDatesMinBytes)
        AppendLifeDates(text, *this);
    CopyTextToBuffer(text, buffer, size);
    return buffer;
}

void CIndRec::FormatNameForReport(std::string& text, bool withLifeDates, bool withRecordId,
                                  bool append) const
{
    std::string name;
    GetText(name, 0);
    if (withLifeDates) {
        name += " (";
        AppendLifeDates(name, *this);
        name += ')';
    }
    if (withRecordId) {
        name += " [";
        name += std::to_string(GetRecordNumber());
        name += ']';
    }
    if (append)
        text += name;
    else
        text = std::move(name);
}

bool CIndRec::SortSpouseFamilies()
{
    return SortLinksByDate(*this, FIELD_FAMS, &MarriageDateOf);
}

void FormatAgeAtEvent(const CIndRec& individual, std::string& text, const CDataNode& event,
                      int role, bool storedOnly, bool brackets)
{
    text.clear();
    const bool partnerRole = role == AGE_ROLE_OWN_EVENT || role == AGE_ROLE_FAMILY_EVENT;
    if (storedOnly && !partnerRole)
        return;
    const bool isBirth = event.GetFieldId() == FIELD_BIRT;
    const CAgeNode* stored = isBirth ? nullptr : StoredAge(individual, event, role);
    if (stored)
        stored->GetText(text, 0);
    else if (storedOnly)
        return;
    const CDateNode* birth = FirstDateOf(individual.FindChild(nullptr, FIELD_BIRT));
    const CDateNode* date = FirstDateOf(&event);
    if (!birth || !date || (isBirth && role == AGE_ROLE_OWN_EVENT && !stored))
        return;
    int least = 0;
    int greatest = 0;
    if (!date->GetYearsRange(*birth, least, greatest))
        return;
    if (stored) {
        if (!AgeAgrees(stored->GetAge(), least, greatest))
            text += " (!)";
        return;
    }
    if (least == greatest)
        text = text::Format(brackets ? "(%d)" : "%d", least);
    else
        text = text::Format(brackets ? "(%d-%d)" : "%d-%d", least, greatest);
    if (least < 0)
        text += " (!)";
}
