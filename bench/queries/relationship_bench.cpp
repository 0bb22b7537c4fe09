// bench/queries/relationship_bench.cpp: the relationship functions on a real file (royal92.ged,
// whose royal lines marry within themselves, so a person has many paths to a relative): one
// person's relationship to every individual at an occurrence number, the pool built afresh.
#include "bench/bench_data_set.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/kin/kinship_cache.h"
#include "database/nodes/data_model.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "queries/expression.h"
#include "queries/relationship_pool.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

/// The real file: ARDENVEL_BENCH_REAL_FILE, else the sample this source tree holds.
std::string RealFile()
{
    const char* named = std::getenv("ARDENVEL_BENCH_REAL_FILE");
    return named && *named ? named : ARDENVEL_BENCH_REAL_FILE_DEFAULT;
}

/// The individuals of the real file, loaded on first use; empty when it could not be loaded.
const std::vector<CRecordNode*>& People()
{
    static const std::vector<CRecordNode*> people = [] {
        std::vector<CRecordNode*> loaded;
        InitBenchDataSet();
        InstallRelationshipPoolFactory();
        if (!LoadGedcomFile(RealFile(), nullptr, nullptr))
            return loaded;
        for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
             record = record->GetNextSibling())
            loaded.push_back(static_cast<CRecordNode*>(record));
        return loaded;
    }();
    return people;
}

/// Argument: the occurrence number. Each run asks the first individual's relationship to every
/// individual with a new expression, so the pool is built once per run, as a query does.
void BM_RelationshipToEveryone(benchmark::State& state)
{
    const std::vector<CRecordNode*>& people = People();
    if (people.empty()) {
        state.SkipWithError("the real file did not load (set ARDENVEL_BENCH_REAL_FILE)");
        return;
    }
    const std::string source = "=RelationCode(,,GENERATION," + std::to_string(state.range(0)) + ")";
    std::size_t answered = 0;
    std::string text;
    for (auto _ : state) {
        CExpression expression;
        if (!expression.Parse(source)) {
            state.SkipWithError("the expression did not parse");
            return;
        }
        expression.SetArgRecord(0, people.front());
        answered = 0;
        for (CRecordNode* other : people) {
            expression.EvaluateToText(text, other);
            answered += text.empty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(text);
    }
    state.counters["individuals"] = double(people.size());
    state.counters["answered"] = double(answered);
}

// The highest occurrence answered, and two above it (no relationship, nothing built).
BENCHMARK(BM_RelationshipToEveryone)
    ->Arg(1)
    ->Arg(100)
    ->Arg(800)
    ->Arg(kMostRelationshipOccurrence)
    ->Arg(kMostRelationshipOccurrence + 1)
    ->Arg(2000000000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
