// bench/generator/lineage_writer.h: the individual and family records of a synthetic tree.
#pragma once

#include "bench/generator/random_stream.h"

#include <cstdint>
#include <string>
#include <string_view>

class CGedcomLineBuffer;
class CPopulation;
struct CSyntheticPerson;

/// Writes INDI and FAM records for the people and families of a population. Each record's
/// details come from its own random stream, so a record reads the same whatever else the
/// file holds. Individuals link to note records numbered in the order they are linked; the
/// caller writes that many notes afterwards.
class CLineageWriter {
public:
    CLineageWriter(const CPopulation& population, std::uint64_t seed, std::int32_t sources,
                   CGedcomLineBuffer& out);

    void WriteIndividual(std::int32_t index);
    void WriteFamily(std::int32_t index);
    /// The note records linked so far.
    std::int32_t Notes() const { return m_notes; }

private:
    void WriteName(const CSyntheticPerson& person, CRandomStream& random);
    /// An event with a date in one of the usual forms (a few have none), a place when place is
    /// not negative, and now and then a source citation.
    void WriteEvent(std::string_view tag, std::int32_t day, std::int32_t exactPercent,
                    std::int32_t place, CRandomStream& random);
    void WriteCitation(int level, CRandomStream& random);
    void WriteResidence(std::int32_t from, std::int32_t to, std::int32_t home,
                        CRandomStream& random);
    std::int32_t BirthPlace(const CSyntheticPerson& person) const;
    /// The day of death: after the person's weddings and children, at an age drawn from a plausible
    /// spread.
    std::int32_t DeathDay(const CSyntheticPerson& person, CRandomStream& random) const;

    const CPopulation& m_population;
    std::uint64_t m_seed;
    std::int32_t m_sources;
    CGedcomLineBuffer& m_out;
    std::int32_t m_notes = 0;
    std::string m_text;
};
