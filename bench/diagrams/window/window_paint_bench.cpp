// bench/diagrams/window/window_paint_bench.cpp: a screenful (1280 x 960) of a Descendants diagram
// of at least 10,000 boxes from the generated 100,000-person file, repainted by the Diagram window
// at divisor 1, at divisor 20 and in the whole-diagram view.
#include "bench/bench_tree.h"
#include "diagrams/window/diagram_window_services.h"
#include "diagrams/window/sub_view_rel_tree.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

/// The window over the first person whose diagram passes 10,000 boxes.
class BigDiagram {
public:
    BigDiagram()
    {
        std::string error;
        if (!m_resources.LoadCompiledIn(error))
            return;
        SetAppResources(&m_resources);
        InstallExpressionEngine();
        if (!LoadGeneratedTree(100000))
            return;
        m_defaults.Load(nullptr);
        SetDiagramWindowDefaults(&m_defaults);
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1280, 960), nullptr,
                        0);
        m_window = std::make_unique<CSubViewRelTree>();
        CWnd& wnd = *m_window;
        wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                   CRect(0, 0, 1280, 960), &m_host, 99);
        CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
        int tried = 0;
        for (CDataNode* node = root->GetFirstChild(); node && tried < 2000;
             node = node->GetNextSibling(), ++tried) {
            auto* person = AsIndividual(static_cast<CRecordNode*>(node));
            if (!person)
                continue;
            for (int d = 4; d < 40; ++d) {
                m_window->GetSettings().SetDiagramType(kDescendantsDiagram);
                m_window->GetSettings().m_descendantGenerations = d;
                if (!m_window->BuildTree(person, true, kDescendantsDiagram, false))
                    break;
                m_boxes = m_window->RowSet()->m_boxCount;
                if (m_boxes >= 10000)
                    return;
                if (m_boxes < 2 * d)
                    break;
            }
        }
        m_boxes = 0;
    }
    ~BigDiagram()
    {
        m_window.reset();
        m_host.DestroyWindow();
        SetDiagramWindowDefaults(nullptr);
    }
    bool Ready() const { return m_boxes >= 10000; }
    CSubViewRelTree& Window() { return *m_window; }
    long long Boxes() const { return m_boxes; }

private:
    CResources m_resources;
    CDiagramDefaults m_defaults;
    CWnd m_host;
    std::unique_ptr<CSubViewRelTree> m_window;
    long long m_boxes = 0;
};

std::unique_ptr<BigDiagram> g_big;

BigDiagram& Big()
{
    if (!g_big)
        g_big = std::make_unique<BigDiagram>();
    return *g_big;
}

/// Repaints the whole client area at the zoom given (0: the whole-diagram view).
void Repaint(benchmark::State& state, int divisor)
{
    BigDiagram& big = Big();
    if (!big.Ready()) {
        state.SkipWithError("no diagram of 10,000 boxes");
        return;
    }
    CSubViewRelTree& window = big.Window();
    if (divisor)
        window.Viewport().Zoom(divisor, true);
    else
        window.Viewport().ViewWholeDiagram();
    window.UpdateWindow();
    for (auto _ : state) {
        window.Invalidate(FALSE);
        window.UpdateWindow();
    }
    state.counters["boxes"] = double(big.Boxes());
    state.counters["divisor"] = window.Viewport().ScaleDivisor();
}

void BM_RepaintAtDivisor1(benchmark::State& state)
{
    Repaint(state, 1);
}
void BM_RepaintAtDivisor20(benchmark::State& state)
{
    Repaint(state, 20);
}
void BM_RepaintWholeDiagram(benchmark::State& state)
{
    Repaint(state, 0);
}

BENCHMARK(BM_RepaintAtDivisor1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAtDivisor20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintWholeDiagram)->Unit(benchmark::kMillisecond);

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
