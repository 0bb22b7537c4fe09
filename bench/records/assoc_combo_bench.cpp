// bench/records/assoc_combo_bench.cpp: dropping down the record chooser's list over the
// individuals of the generated 1,000,000-person file, the first time (the list made and filled)
// and again (the rows kept), with a chosen individual in the middle of the file.
#include "bench/bench_tree.h"
#include "records/datactl/data_ctl_assoc_combo.h"

#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr std::int32_t kPeople = 1000000;

/// A window with room for a chooser, over the generated individuals.
class BigChoice {
public:
    BigChoice()
    {
        InitBenchDataSet();
        std::string error;
        if (!m_resources.LoadCompiledIn(error))
            return;
        SetAppResources(&m_resources);
        InstallExpressionEngine();
        m_ready = LoadGeneratedTree(kPeople);
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300), nullptr,
                        0);
        CDataNode* record = Root()->GetFirstChild();
        for (int i = 0; record && i < kPeople / 2; ++i)
            record = record->GetNextSibling();
        m_middle = static_cast<CRecordNode*>(record);
    }
    bool Ready() const { return m_ready && m_middle; }
    CWnd& Host() { return m_host; }
    CRecordNode* Middle() const { return m_middle; }
    static CDataNode* Root() { return GetRecordTypeRoot(RECORD_LIST_INDI); }

private:
    CResources m_resources;
    bool m_ready = false;
    CWnd m_host;
    CRecordNode* m_middle = nullptr;
};

/// Made at first use, ended before the program exits, while the windows can still go.
std::unique_ptr<BigChoice> g_big;

BigChoice& Big()
{
    if (!g_big)
        g_big = std::make_unique<BigChoice>();
    return *g_big;
}

/// A chooser offering the individuals with the one in the middle chosen; null when it cannot be
/// made.
std::unique_ptr<CDataCtlAssocCombo> MakeChooser()
{
    auto chooser = std::make_unique<CDataCtlAssocCombo>();
    if (!chooser->CreateCtl(TRUE, CRect(10, 10, 400, 32), &Big().Host(), nullptr, 4001, nullptr,
                            nullptr, 0))
        return nullptr;
    chooser->SetChoice(BigChoice::Root(), 12, Big().Middle());
    return chooser;
}

void FirstDropDown(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CDataCtlAssocCombo> chooser = MakeChooser();
        if (!chooser)
            return state.SkipWithError("the chooser could not be made");
        state.ResumeTiming();
        if (!chooser->ShowDropDown(TRUE))
            return state.SkipWithError("the list could not be made");
        chooser->GetList().UpdateWindow();
        state.PauseTiming();
        state.counters["rows"] = double(chooser->GetList().GetBox().GetCount());
        chooser.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(FirstDropDown)->Unit(benchmark::kMillisecond)->Iterations(3);

void DropDownAgain(benchmark::State& state)
{
    if (!Big().Ready())
        return state.SkipWithError("the generated tree could not be loaded");
    std::unique_ptr<CDataCtlAssocCombo> chooser = MakeChooser();
    if (!chooser || !chooser->ShowDropDown(TRUE))
        return state.SkipWithError("the chooser could not be made");
    for (auto _ : state) {
        chooser->ShowDropDown(FALSE);
        chooser->ShowDropDown(TRUE);
        chooser->GetList().UpdateWindow();
    }
}
BENCHMARK(DropDownAgain)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need.
    TestHooks::Enable([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_big.reset();
    return 0;
}
