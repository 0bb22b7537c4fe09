// bench/app/open_file_bench.cpp: File Open of the 1,000,000-person file in the program, through
// the application's open command, its document and its main window: the load, and the rest until
// the records window has filled its list and painted it once, timed apart.
#include "app/av_app.h"
#include "app/shell/main_frame.h"
#include "app/shell/splash_wnd.h"
#include "bench/bench_folder.h"
#include "bench/copies/real_file_copies.h"
#include "database/nodes/change_hint.h"
#include "records/window/sub_view_rec.h"

#include "common/preferences.h"
#include "database/dictionary/field_dictionary.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_observer.h"
#include "platform/base/registry.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/subclass_wnd.h"
#include "platform/ui/windows/test_hooks.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kCopies = 333; // of royal92.ged: 1,000,000 individuals, about 190 MB

/// The wall and processor time of one moment.
struct Moment {
    Clock::time_point wall;
    double processor = 0;

    static Moment Now()
    {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        return {Clock::now(), double(cpu.tv_sec) + double(cpu.tv_nsec) * 1e-9};
    }
    bool Taken() const { return processor > 0; }
};

double Seconds(const Moment& from, const Moment& to)
{
    return std::chrono::duration<double>(to.wall - from.wall).count();
}

double ProcessorSeconds(const Moment& from, const Moment& to)
{
    return to.processor - from.processor;
}

/// Stands before the application's observer and notes when the data set was cleared (the load
/// starts next) and when the loaded file was announced (the load is over).
class CLoadWatch final : public IDataObserver {
public:
    explicit CLoadWatch(IDataObserver* next) : m_next(next) {}

    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        if (hint == kHintDataSetCleared)
            m_cleared = Moment::Now();
        if (hint == kHintFileLoaded)
            m_loaded = Moment::Now();
        if (m_next)
            m_next->OnDataChanged(sender, hint, object, modify);
    }

    Moment m_cleared, m_loaded;

private:
    IDataObserver* m_next;
};

/// Notes the first time the window paints.
class CPaintWatch final : public CSubclassWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = CSubclassWnd::WindowProc(message, wParam, lParam);
        if (message == WM_PAINT && !m_painted.Taken())
            m_painted = Moment::Now();
        return result;
    }

    Moment m_painted;
};

/// The program as it starts, over fresh settings in the benchmark's folder, with its frame's
/// client area 1024 x 700.
class CProgram {
public:
    ~CProgram()
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
        SetAppResources(nullptr);
        TestHooks::DeliverPosted();
    }

    bool Start()
    {
        const char* named = std::getenv(FIELD_DEFS_ENV);
        if (!named || !*named)
            setenv(FIELD_DEFS_ENV, ARDENVEL_BENCH_FIELD_DEFS, 1);
        setenv("XDG_CONFIG_HOME", (BenchFolder() + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (BenchFolder() + "/data").c_str(), 1);
        RegReset();
        std::string error;
        if (!m_resources.LoadCompiledIn(error))
            return false;
        SetAppResources(&m_resources);
        m_app = std::make_unique<CAvApp>();
        if (!m_app->StartUp({}))
            return false;
        if (CSplashWnd* splash = CSplashWnd::GetSplashScreen())
            splash->HideSplashScreen();
        Prefs().m_backupPrompt = false;
        CMainFrame* frame = m_app->GetMainFrame();
        CRect window, client;
        frame->GetWindowRect(&window);
        frame->GetClientRect(&client);
        frame->MoveWindow(0, 0, 1024 + window.Width() - client.Width(),
                          700 + window.Height() - client.Height());
        TestHooks::DeliverPosted();
        return true;
    }

    /// The individuals list of the records window; null without one.
    CTagGrid* IndividualsGrid() const
    {
        auto* pane = dynamic_cast<CSubViewRec*>(m_app->FindRecordsView());
        return pane ? pane->GetRecLists().GetGrid(0) : nullptr;
    }

    CMainFrame* Frame() const { return m_app->GetMainFrame(); }

private:
    CResources m_resources;
    std::unique_ptr<CAvApp> m_app;
};

/// The file: 333 copies of the sample royal92.ged in UTF-8, made once.
const std::string& BigFile()
{
    static const std::string path = [] {
        std::string made = BenchFolder() + "/royal92-333.ged";
        if (!WriteRealFileCopiesFile(made, ARDENVEL_BENCH_REAL_FILE_DEFAULT, kCopies,
                                     CopyVariant::Utf8Numbered)) {
            std::fprintf(stderr, "benchmark: cannot make %s\n", made.c_str());
            std::exit(2);
        }
        return made;
    }();
    return path;
}

void OpenFile(benchmark::State& state)
{
    const std::string& path = BigFile();
    CProgram program;
    if (!program.Start())
        return state.SkipWithError("the program did not start");
    CTagGrid* grid = program.IndividualsGrid();
    if (!grid)
        return state.SkipWithError("no records window");
    IDataObserver* application = GetDataObserver();
    CLoadWatch loads(application);
    SetDataObserver(&loads);
    CPaintWatch paints;
    paints.HookWindow(&grid->GetBox());

    Moment start, painted;
    for (auto _ : state) {
        TestHooks::AnswerFilePicker({path});
        // The file holds values kept as text: the loader offers its exception report, declined.
        TestHooks::AnswerMessageBox(IDNO);
        start = Moment::Now();
        if (!TestHooks::RunCommand(*program.Frame(), ID_FILE_OPEN))
            return state.SkipWithError("File Open did not run");
        // The event loop's next passes: the window system's update requests paint the windows.
        for (int round = 0; round < 100 && !paints.m_painted.Taken(); ++round)
            TestHooks::ShownImage(grid->GetBox());
        painted = paints.m_painted;
    }
    paints.HookWindow(nullptr);
    SetDataObserver(application);
    if (!loads.m_loaded.Taken() || !painted.Taken())
        return state.SkipWithError("the file did not load, or its list did not paint");
    const double load = Seconds(loads.m_cleared, loads.m_loaded);
    const double rest = Seconds(loads.m_loaded, painted);
    state.counters["rows"] = double(grid->GetBox().GetCount());
    state.counters["load_s"] = load;
    state.counters["rest_s"] = rest;
    state.counters["before_load_s"] = Seconds(start, loads.m_cleared);
    state.counters["open_s"] = Seconds(start, painted);
    state.counters["rest_cpu_s"] = ProcessorSeconds(loads.m_loaded, painted);
    std::printf("File Open of %s: load %.2f s, then %.2f s until the records window painted "
                "(%.2f s processor); %.2f s in all, %.2f s more than the load alone\n",
                path.c_str(), load, rest, ProcessorSeconds(loads.m_loaded, painted),
                Seconds(start, painted), Seconds(start, painted) - load);
}
BENCHMARK(OpenFile)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    // The hooks start the offscreen application the windows need, and answer the file picker.
    TestHooks::Enable([](const std::string& failure) {
        std::fprintf(stderr, "benchmark: %s\n", failure.c_str());
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
