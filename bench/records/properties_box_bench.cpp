// bench/records/properties_box_bench.cpp: the record properties box on the generated
// 1,000,000-person file: showing another individual, as follow mode does at each selection.
#include "bench/bench_data_set.h"
#include "bench/bench_tree.h"
#include "records/datactl/data_ctl_install.h"
#include "records/properties/properties_dlg.h"

#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_node.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::int32_t kPeople = 1000000;

/// The box over the generated individuals, already showing the first of them.
class BigBox {
public:
    BigBox()
    {
        InitBenchDataSet();
        std::string error;
        if (!m_resources.LoadCompiledIn(error))
            return;
        SetAppResources(&m_resources);
        InstallExpressionEngine();
        InstallDataControls();
        m_ready = LoadGeneratedTree(kPeople);
        SetChangeTracking(true);
        m_ready = m_ready && m_box.CreateBox(nullptr);
        m_box.SetRecord(Next(), nullptr, kPropSizeLarge);
    }
    bool Ready() const { return m_ready; }
    CPropertiesDlg& Box() { return m_box; }
    /// The individual after the last one shown, from the first again at the end.
    CRecordNode* Next()
    {
        CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
        m_at = m_at && m_at->GetNextSibling() ? m_at->GetNextSibling() : root->GetFirstChild();
        return static_cast<CRecordNode*>(m_at);
    }

private:
    CResources m_resources;
    bool m_ready = false;
    CPropertiesDlg m_box{nullptr};
    CDataNode* m_at = nullptr;
};

BigBox& Big()
{
    static BigBox box;
    return box;
}

void ShowAnotherIndividual(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    for (auto _ : state)
        Big().Box().SetRecord(Big().Next(), nullptr);
    state.counters["pages"] = double(Big().Box().GetPageCount());
}
BENCHMARK(ShowAnotherIndividual)->Unit(benchmark::kMillisecond)->Iterations(200);

/// The same once every page has been shown, so that every page loads the record.
void ShowAnotherIndividualEveryPageBuilt(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    CPropertiesDlg& box = Big().Box();
    for (int i = box.GetPageCount() - 1; i >= 0; --i)
        box.SetActivePage(i);
    for (auto _ : state)
        box.SetRecord(Big().Next(), nullptr);
}
BENCHMARK(ShowAnotherIndividualEveryPageBuilt)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need.
    TestHooks::Enable([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
