// bench/queries/query_bench.cpp: three typical queries run over the generated tree of 1,000,000
// individuals: by surname, by a range of birth dates, and the descendants of one person.
#include "bench/bench_folder.h"
#include "bench/bench_tree.h"
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/paths.h"
#include "queries/query_def.h"
#include "queries/query_eval.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

constexpr std::int32_t kIndividuals = 1000000;

struct BenchQuery {
    const char* label;
    const char* filters;
};

/// The queries measured, by the benchmark's argument. The third row's person is bound before
/// the run: the first individual of the file, a founder of the generated population.
constexpr BenchQuery kQueries[] = {
    {"surname Smith", R"x(FILTER=GEN,ADD,IF,N,"","INDI.NAME:SURNAME",,"=",TEXT,"Smith")x"},
    {"born 1850 to 1899",
     "FILTER=GEN,ADD,IF,N,\"\",\"INDI.BIRT.DATE\",,\">\",DATE,\"31 DEC 1849\"\n"
     "FILTER=GEN,EXC,UNLESS,N,\"\",\"INDI.BIRT.DATE\",,\"<\",DATE,\"1 JAN 1900\"\n"},
    {"descendants of I1", R"x(FILTER=REL,ADD,IF,Y,"Person",DESC,ORG,)x"},
};

/// The query of a row of kQueries, read from a query file as the program reads one.
std::shared_ptr<CQueryDef> LoadBenchQuery(const BenchQuery& row)
{
    const std::string path = paths::Join(BenchFolder(), "bench.avq");
    std::ofstream(path) << "[Ardenvel Query]\nTYPE=INDI\n" << row.filters << "\n";
    auto query = CQueryDef::Create();
    std::string error;
    if (!query->Load("bench", true, error, &path) || query->GetFilterCount() == 0)
        return nullptr;
    CDataNode* first = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild();
    CParameterPrompt prompt;
    CAvFilter* filter = query->GetFilter(0);
    if (first && filter->GetParameterPrompt(prompt)) {
        CTypedValue person;
        person.SetRecord(static_cast<CRecordNode*>(first));
        filter->SetParameter(person);
    }
    return query;
}

void BM_RunQuery(benchmark::State& state)
{
    if (!LoadGeneratedTree(kIndividuals)) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    const BenchQuery& row = kQueries[state.range(0)];
    state.SetLabel(row.label);
    auto query = LoadBenchQuery(row);
    if (!query) {
        state.SkipWithError("the query did not load");
        return;
    }
    for (auto _ : state) {
        if (!EvaluateQuery(*query)) {
            state.SkipWithError("the query failed");
            return;
        }
    }
    state.counters["found"] = double(query->GetResult().GetCount());
}

// Times are processor times of the evaluating thread.
BENCHMARK(BM_RunQuery)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
