// bench/diagrams/template_bench.cpp: the box texts of the "Name, Dates" text scheme rendered for
// every individual of a generated tree of 100,000 individuals, as a diagram of that size renders
// one box per person: the whole should stay well under half a second.
#include "bench/bench_tree.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "queries/expression.h"
#include "templates/text_template.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

/// The scheme's templates, by the benchmark's argument: its Default box (name, picture, life
/// dates) and its Descendant box, which adds the spouse lines of a box shown with duplicates.
constexpr const char* kTemplates[] = {
    "%INDI.NAME:PREFERRED%\r\n{picture}\r\n=LifeDates(%INDI%)",
    "%INDI.NAME:PREFERRED%\r\n{picture}\r\n=LifeDates(%INDI%)\r\n"
    "{if male & no spouses & duplicates} m. %FAM.WIFE>NAME:PREFERRED%\r\n"
    "{if female & no spouses & duplicates} m. %FAM.HUSB>NAME:PREFERRED%",
};
constexpr const char* kLabels[] = {"Name, Dates: Default", "Name, Dates: Descendant"};

/// Arguments: the tree's size and the index of the template in kTemplates.
void BM_RenderEveryBox(benchmark::State& state)
{
    InstallExpressionEngine();
    if (!LoadGeneratedTree(std::int32_t(state.range(0)))) {
        state.SkipWithError("the generated tree could not be made");
        return;
    }
    state.SetLabel(kLabels[state.range(1)]);
    CTextTemplate compiled;
    std::string message;
    if (!compiled.CompileTemplate(kTemplates[state.range(1)], message)) {
        state.SkipWithError(message.c_str());
        return;
    }
    const CTemplateOptions options = CTemplateOptions::FromSpouseOption(1, false);
    CDataNode* individuals = GetRecordTypeRoot(RECORD_LIST_INDI);
    std::string text;
    std::size_t boxes = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        boxes = 0;
        lines = 0;
        for (CDataNode* node = individuals->GetFirstChild(); node; node = node->GetNextSibling()) {
            auto* person = static_cast<CRecordNode*>(node);
            CRecordNode* records[] = {person, nullptr};
            if (const CIndRec* individual = AsIndividual(person))
                records[1] = individual->GetNextSpouseFamily(nullptr);
            CTemplateContext context;
            context.m_records = std::span<CRecordNode* const>(records, records[1] ? 2 : 1);
            context.m_options = &options;
            int lineCount = 0;
            compiled.RenderTemplate(text, context, &lineCount);
            ++boxes;
            lines += std::size_t(lineCount);
        }
        benchmark::DoNotOptimize(text);
    }
    state.counters["boxes"] = double(boxes);
    state.counters["lines_per_box"] = boxes ? double(lines) / double(boxes) : 0.0;
    state.counters["time_per_box"] =
        benchmark::Counter(double(boxes) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Times are processor times of the rendering thread.
BENCHMARK(BM_RenderEveryBox)->ArgsProduct({{100000}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
