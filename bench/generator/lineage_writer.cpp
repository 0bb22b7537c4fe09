// bench/generator/lineage_writer.cpp: names, events, attributes and links of people and families.
#include "bench/generator/lineage_writer.h"

#include "bench/generator/gedcom_line_buffer.h"
#include "bench/generator/generator_tables.h"
#include "bench/generator/population.h"
#include "bench/generator/record_text.h"

#include <algorithm>

namespace {

constexpr std::int32_t kCitationPercent = 25;
constexpr std::int32_t kNotePercent = 5;
constexpr std::int32_t kAdultAge = 16 * kDaysPerYear;

/// Mostly the person's home, sometimes elsewhere, sometimes not recorded (-1).
std::int32_t EventPlace(std::int32_t home, std::int32_t homePercent, CRandomStream& random)
{
    const std::int32_t draw = random.Below(100);
    if (draw < homePercent)
        return home;
    if (draw < homePercent + (100 - homePercent) / 2)
        return random.Below(std::int32_t(PlaceTable().size()));
    return -1;
}

} // namespace

CLineageWriter::CLineageWriter(const CPopulation& population, std::uint64_t seed,
                               std::int32_t sources, CGedcomLineBuffer& out)
    : m_population(population), m_seed(seed), m_sources(sources), m_out(out)
{
}

void CLineageWriter::WriteIndividual(std::int32_t index)
{
    const CSyntheticPerson& person = m_population.People()[std::size_t(index)];
    CRandomStream random = CRandomStream::ForRecord(m_seed, 'I', std::uint64_t(index));
    m_out.Record('I', index + 1, "INDI");
    WriteName(person, random);
    m_out.Line(1, "SEX", person.male ? "M" : "F");
    const std::int32_t birthPlace = BirthPlace(person);
    WriteEvent("BIRT", person.birth, 55, EventPlace(birthPlace, 85, random), random);
    if (random.Percent(55)) {
        // One draw after the other: arguments may be evaluated in any order, and every
        // compiler must write the same file.
        const std::int32_t place = EventPlace(birthPlace, 90, random);
        WriteEvent("CHR", person.birth + random.Between(2, 40), 90, place, random);
    }
    const std::int32_t death = DeathDay(person, random);
    const bool living = death > kPresentDay;
    if (!living) {
        const std::int32_t place = EventPlace(person.place, 75, random);
        WriteEvent("DEAT", death, 55, place, random);
        if (random.Percent(60))
            WriteEvent("BURI", death + random.Between(2, 6), 90, place, random);
    }
    const std::int32_t end = std::min(death, kPresentDay);
    if (end - person.birth >= kAdultAge) {
        if (random.Percent(30))
            m_out.Line(1, "OCCU", PickFrom(OccupationTable(), random));
        if (random.Percent(15))
            WriteResidence(person.birth + kAdultAge, end, person.place, random);
    }
    if (random.Percent(kNotePercent))
        m_out.Pointer(1, "NOTE", 'N', ++m_notes);
    if (person.parents >= 0)
        m_out.Pointer(1, "FAMC", 'F', person.parents + 1);
    for (std::int32_t family : person.spouseIn) {
        if (family >= 0)
            m_out.Pointer(1, "FAMS", 'F', family + 1);
    }
}

void CLineageWriter::WriteFamily(std::int32_t index)
{
    const CSyntheticFamily& family = m_population.Families()[std::size_t(index)];
    CRandomStream random = CRandomStream::ForRecord(m_seed, 'F', std::uint64_t(index));
    m_out.Record('F', index + 1, "FAM");
    if (family.husband >= 0)
        m_out.Pointer(1, "HUSB", 'I', family.husband + 1);
    if (family.wife >= 0)
        m_out.Pointer(1, "WIFE", 'I', family.wife + 1);
    if (random.Percent(85)) {
        // Weddings are mostly held in the bride's parish.
        const std::int32_t bride = family.wife >= 0 ? family.wife : family.husband;
        const std::int32_t home = m_population.People()[std::size_t(bride)].place;
        WriteEvent("MARR", family.marriage, 55, EventPlace(home, 85, random), random);
    }
    for (std::int32_t child = 0; child < family.children; ++child)
        m_out.Pointer(1, "CHIL", 'I', family.firstChild + child + 1);
}

/// "Given [Middle] /Surname/", with a title before or after it now and then.
void CLineageWriter::WriteName(const CSyntheticPerson& person, CRandomStream& random)
{
    const std::span<const std::string_view> given =
        person.male ? MaleGivenNameTable() : FemaleGivenNameTable();
    const std::string_view prefix =
        person.male && random.Percent(4) ? PickFrom(NamePrefixTable(), random) : "";
    const std::string_view suffix =
        person.male && random.Percent(2) ? PickFrom(NameSuffixTable(), random) : "";
    m_text.clear();
    if (!prefix.empty())
        m_text.append(prefix).append(" ");
    m_text.append(PickFrom(given, random));
    if (random.Percent(40))
        m_text.append(" ").append(PickFrom(given, random));
    m_text.append(" /").append(SurnameTable()[person.surname]).append("/");
    if (!suffix.empty())
        m_text.append(" ").append(suffix);
    m_out.Line(1, "NAME", m_text);
    if (!prefix.empty())
        m_out.Line(2, "NPFX", prefix);
    if (!suffix.empty())
        m_out.Line(2, "NSFX", suffix);
}

void CLineageWriter::WriteEvent(std::string_view tag, std::int32_t day, std::int32_t exactPercent,
                                std::int32_t place, CRandomStream& random)
{
    const bool dated = !random.Percent(4);
    if (!dated && place < 0) {
        // Known to have happened, nothing more: the standard's "Y".
        m_out.Line(1, tag, "Y");
        return;
    }
    m_out.Line(1, tag);
    if (dated) {
        m_text.clear();
        AppendDateText(m_text, random, day, exactPercent);
        m_out.Line(2, "DATE", m_text);
    }
    if (place >= 0)
        m_out.Line(2, "PLAC", PlaceTable()[std::size_t(place)]);
    if (random.Percent(kCitationPercent))
        WriteCitation(2, random);
}

/// A pointer to a source, the page within it and the quality of the evidence (0 to 3).
void CLineageWriter::WriteCitation(int level, CRandomStream& random)
{
    m_out.Pointer(level, "SOUR", 'S', random.Skewed(m_sources) + 1);
    m_text.clear();
    switch (random.Below(4)) {
    case 0:
        m_text = "p. ";
        AppendNumber(m_text, random.Between(1, 480));
        break;
    case 1:
        m_text = "Folio ";
        AppendNumber(m_text, random.Between(1, 220));
        m_text += ", entry ";
        AppendNumber(m_text, random.Between(1, 40));
        break;
    case 2:
        m_text = "Vol. ";
        AppendNumber(m_text, random.Between(1, 12));
        m_text += ", p. ";
        AppendNumber(m_text, random.Between(1, 600));
        break;
    default:
        m_text = "Entry ";
        AppendNumber(m_text, random.Between(1, 9999));
        break;
    }
    m_out.Line(level + 1, "PAGE", m_text);
    static constexpr std::string_view kQualities[] = {"0", "1", "2", "2", "3", "3", "3"};
    m_out.Line(level + 1, "QUAY", PickFrom(std::span<const std::string_view>(kQualities), random));
}

/// A residence somewhere in the adult years, mostly dated loosely, as census entries are.
void CLineageWriter::WriteResidence(std::int32_t from, std::int32_t to, std::int32_t home,
                                    CRandomStream& random)
{
    m_out.Line(1, "RESI");
    m_text.clear();
    AppendDateText(m_text, random, from + random.Below(std::max(1, to - from)), 10);
    m_out.Line(2, "DATE", m_text);
    const std::int32_t place = EventPlace(home, 70, random);
    if (place >= 0)
        m_out.Line(2, "PLAC", PlaceTable()[std::size_t(place)]);
}

/// Where the parents lived; the person's own home (person.place) may lie elsewhere.
std::int32_t CLineageWriter::BirthPlace(const CSyntheticPerson& person) const
{
    if (person.parents < 0)
        return person.place;
    const CSyntheticFamily& parents = m_population.Families()[std::size_t(person.parents)];
    return m_population.People()[std::size_t(parents.husband >= 0 ? parents.husband : parents.wife)]
        .place;
}

std::int32_t CLineageWriter::DeathDay(const CSyntheticPerson& person, CRandomStream& random) const
{
    std::int32_t earliest = person.birth;
    for (std::int32_t index : person.spouseIn) {
        if (index < 0)
            continue;
        const CSyntheticFamily& family = m_population.Families()[std::size_t(index)];
        earliest = std::max(earliest, family.marriage + 30);
        if (family.children > 0) {
            const std::int32_t last =
                m_population.People()[std::size_t(family.firstChild + family.children - 1)].birth;
            earliest = std::max(earliest, person.male ? last - 270 : last);
        }
    }
    const std::int32_t kind = random.Below(100);
    std::int32_t age;
    if (kind < 7)
        age = random.Below(3 * kDaysPerYear);
    else if (kind < 12)
        age = random.Between(3 * kDaysPerYear, 20 * kDaysPerYear);
    else
        age = 20 * kDaysPerYear + random.Below(35 * kDaysPerYear) + random.Below(35 * kDaysPerYear);
    const std::int32_t death = person.birth + age;
    if (death >= earliest)
        return death;
    return earliest + kDaysPerYear / 2 + random.Below(30 * kDaysPerYear);
}
