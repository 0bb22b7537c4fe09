// bench/generator/gedcom_generator.cpp: the file's frame and the order of its records.
#include "bench/generator/gedcom_generator.h"

#include "bench/generator/gedcom_line_buffer.h"
#include "bench/generator/lineage_writer.h"
#include "bench/generator/population.h"
#include "bench/generator/record_text.h"
#include "bench/generator/reference_writer.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr std::int32_t kIndividualsPerSource = 100;
constexpr std::int32_t kSourcesPerRepository = 20;
constexpr std::int32_t kMaxRepositories = 12;

void WriteHeader(CGedcomLineBuffer& out, std::int32_t individuals, std::uint64_t seed)
{
    out.Line(0, "HEAD");
    out.Line(1, "SOUR", "ARDENVEL_SYNTHETIC");
    out.Line(2, "VERS", "1.0");
    out.Line(2, "NAME", "Ardenvel synthetic tree generator");
    out.Line(1, "DEST", "ANY");
    out.Line(1, "DATE", "1 JUL 2024");
    out.Pointer(1, "SUBM", 'U', 1);
    out.Line(1, "GEDC");
    out.Line(2, "VERS", "5.5");
    out.Line(2, "FORM", "LINEAGE-LINKED");
    out.Line(1, "CHAR", "UTF-8");
    std::string note = "Synthetic family tree of ";
    AppendNumber(note, individuals);
    note += " individuals, seed ";
    note += std::to_string(seed);
    out.Line(1, "NOTE", note);
    out.Record('U', 1, "SUBM");
    out.Line(1, "NAME", "Ardenvel Benchmarks");
}

} // namespace

CGedcomCounts WriteSyntheticGedcom(std::ostream& out, std::int32_t individuals, std::uint64_t seed)
{
    const CPopulation population(individuals, seed);
    CGedcomCounts counts;
    counts.individuals = std::int64_t(population.People().size());
    counts.families = std::int64_t(population.Families().size());
    const std::int32_t sources = std::max(1, individuals / kIndividualsPerSource);
    const std::int32_t repositories =
        std::clamp(sources / kSourcesPerRepository, 1, kMaxRepositories);
    counts.sources = sources;
    counts.repositories = repositories;

    CGedcomLineBuffer lines(out);
    WriteHeader(lines, individuals, seed);
    CLineageWriter lineage(population, seed, sources, lines);
    for (std::int32_t i = 0; i < std::int32_t(counts.individuals); ++i)
        lineage.WriteIndividual(i);
    for (std::int32_t i = 0; i < std::int32_t(counts.families); ++i)
        lineage.WriteFamily(i);
    counts.notes = lineage.Notes();
    CReferenceWriter references(seed, repositories, lines);
    for (std::int32_t i = 0; i < lineage.Notes(); ++i)
        references.WriteNote(i);
    for (std::int32_t i = 0; i < sources; ++i)
        references.WriteSource(i);
    for (std::int32_t i = 0; i < repositories; ++i)
        references.WriteRepository(i);
    lines.Line(0, "TRLR");
    lines.Flush();
    counts.lines = lines.Lines();
    counts.bytes = lines.Bytes();
    return counts;
}

std::optional<CGedcomCounts> WriteSyntheticGedcomFile(const std::string& path,
                                                      std::int32_t individuals, std::uint64_t seed)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return std::nullopt;
    const CGedcomCounts counts = WriteSyntheticGedcom(file, individuals, seed);
    file.close();
    if (!file)
        return std::nullopt;
    return counts;
}
