// bench/queries/expression_bench.cpp: one parsed expression evaluated for every individual of
// generated trees of 100,000 and 1,000,000 individuals; time per individual shows the cost of
// an expression column or sort key.
#include "bench/bench_tree.h"
#include "bench/generator/gedcom_generator.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/nodes/data_model.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/prompt_script.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

/// The expressions measured, by the benchmark's second argument.
constexpr const char* kExpressions[] = {
    "=LifeDates()",
    "=Name()",
    "=AgeAt(,%INDI.~FATH>DEAT.DATE%)",
};

/// Arguments: the tree's size and the index of the expression in kExpressions.
void BM_EvaluateEveryIndividual(benchmark::State& state)
{
    if (!LoadGeneratedTree(std::int32_t(state.range(0)))) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    const char* source = kExpressions[state.range(1)];
    state.SetLabel(source);
    CExpression expression;
    if (!expression.Parse(source)) {
        state.SkipWithError("the expression did not parse");
        return;
    }
    CDataNode* individuals = GetRecordTypeRoot(RECORD_LIST_INDI);
    std::size_t evaluated = 0;
    std::size_t withValue = 0;
    std::string text;
    for (auto _ : state) {
        evaluated = 0;
        withValue = 0;
        for (CDataNode* record = individuals->GetFirstChild(); record;
             record = record->GetNextSibling()) {
            expression.Evaluate(text, static_cast<CRecordNode*>(record));
            ++evaluated;
            withValue += text.empty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(text);
    }
    state.counters["individuals"] = double(evaluated);
    state.counters["with_value"] = double(withValue);
    state.counters["time_per_individual"] =
        benchmark::Counter(double(evaluated) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Each size is measured whole before the next is loaded. Times are processor times of the
// evaluating thread, which other work on the machine disturbs less than the wall clock.
BENCHMARK(BM_EvaluateEveryIndividual)
    ->ArgsProduct({{100000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateEveryIndividual)
    ->ArgsProduct({{1000000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
