// bench/controls/tree_box_bench.cpp: a tree box of 100,000 rows: repainting a screenful,
// scrolling by pages, and inserting in sorted order.
#include "controls/tree_box.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/windows/test_hooks.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kRows = 100000;

std::string RowText(int i)
{
    return text::Format("row %06d", i);
}

/// A visible window holding a list box of kRows rows, scrolled to the middle.
class BigList {
public:
    explicit BigList(DWORD flags = 0)
    {
        m_host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, CRect(0, 0, 320, 620), nullptr,
                        0);
        m_box.Create(flags, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, CRect(0, 0, 300, 600),
                     &m_host, 1, nullptr, 0, 0, nullptr);
        for (int i = 0; i < kRows; ++i)
            m_box.InsertItem(nullptr, CTreeBox::kInsertLast,
                             {.text = RowText(i), .noRedraw = true});
        m_box.RedrawAll();
        m_box.ScrollToRow(kRows / 2);
        m_box.UpdateWindow();
    }
    CTreeBox& Box() { return m_box; }

private:
    CWnd m_host;
    CTreeBox m_box;
};

// Made at their first use and destroyed by main while the application the hooks started still
// stands: a window outliving it crashes in its destructor at exit.
std::unique_ptr<BigList> s_list;
std::unique_ptr<BigList> s_multiSelectList;

BigList& List()
{
    if (!s_list)
        s_list = std::make_unique<BigList>();
    return *s_list;
}

BigList& MultiSelectList()
{
    if (!s_multiSelectList)
        s_multiSelectList = std::make_unique<BigList>(TBF_MULTI_SELECT);
    return *s_multiSelectList;
}

void RepaintScreenful(benchmark::State& state)
{
    CTreeBox& box = List().Box();
    for (auto _ : state) {
        box.Invalidate();
        box.UpdateWindow();
    }
    state.counters["rows"] = double(box.GetCount());
}
BENCHMARK(RepaintScreenful)->Unit(benchmark::kMicrosecond);

void ScrollPageDownAndUp(benchmark::State& state)
{
    CTreeBox& box = List().Box();
    for (auto _ : state) {
        box.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
        box.SendMessage(WM_VSCROLL, SB_ENDSCROLL);
        box.SendMessage(WM_VSCROLL, SB_PAGEUP);
        box.SendMessage(WM_VSCROLL, SB_ENDSCROLL);
    }
    state.counters["top"] = double(box.GetTopItem()->m_row);
}
BENCHMARK(ScrollPageDownAndUp)->Unit(benchmark::kMicrosecond);

void SortedInsertInTheMiddle(benchmark::State& state)
{
    CTreeBox& box = List().Box();
    const std::string text = RowText(kRows / 2) + "a";
    for (auto _ : state) {
        CTreeBoxNode* node = box.InsertItem(nullptr, CTreeBox::kInsertSorted, {.text = text});
        box.DeleteItem(node);
    }
    state.counters["rows"] = double(box.GetCount());
}
BENCHMARK(SortedInsertInTheMiddle)->Unit(benchmark::kMicrosecond);

void CaretAndRangeAtTheEnd(benchmark::State& state)
{
    // What Up, Down, Shift+Up, Home and End do at the end of a long list: a row found by its
    // number, the selection cleared and extended, the selected rows read back.
    CTreeBox& box = MultiSelectList().Box();
    CTreeBoxNode* last = box.GetNextItem(nullptr);
    CTreeBoxNode* above = box.GetRelative(last, CTreeBox::kRowAbove);
    box.SelectItem(last, true);
    std::size_t selected = 0;
    for (auto _ : state) {
        box.SelectItem(above, true);
        box.SelectItem(last, true);
        box.ExtendSelection(above, true);
        for (CTreeBoxNode* n = box.GetNextSelected(nullptr); n; n = box.GetNextSelected(n))
            ++selected;
        benchmark::DoNotOptimize(box.FindItemById(kRows - 3));
        box.SelectItem(box.GetFirstItem(), true);
        box.SelectItem(last, true);
    }
    state.counters["selected"] = double(selected) / double(state.iterations());
}
BENCHMARK(CaretAndRangeAtTheEnd)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need.
    TestHooks::Enable([](const std::string&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    s_list.reset();
    s_multiSelectList.reset();
    return 0;
}
