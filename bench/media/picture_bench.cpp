// bench/media/picture_bench.cpp: a 6000 x 4000 JPEG made at the start, read into packed rows,
// fitted into 1000 x 750 and made a screen bitmap: time and the memory a read takes.
#include "bench/bench_folder.h"
#include "database/multimedia/picture_format.h"
#include "media/picture.h"
#include "platform/ui/drawing/bitmap.h"
#include "platform/ui/image/image_writer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>

namespace {

constexpr std::uint32_t kWidth = 6000;
constexpr std::uint32_t kHeight = 4000;

/// A photograph-like picture: smooth gradients with fine noise, written once at quality 90.
const std::string& BigJpeg()
{
    static const std::string path = [] {
        image::RgbImage picture;
        if (!image::AllocateRgb(picture, kWidth, kHeight))
            std::abort();
        std::uint32_t noise = 12345;
        for (std::uint32_t y = 0; y < kHeight; ++y) {
            for (std::uint32_t x = 0; x < kWidth; ++x) {
                noise = noise * 1664525u + 1013904223u;
                std::uint8_t* p = &picture.pixels[(std::size_t(y) * kWidth + x) * 3];
                const int grain = int(noise >> 28) - 8;
                p[0] = std::uint8_t(std::clamp(int(x * 255 / kWidth) + grain, 0, 255));
                p[1] = std::uint8_t(std::clamp(int(y * 255 / kHeight) + grain, 0, 255));
                p[2] = std::uint8_t(std::clamp(int((x + y) % 256) + grain, 0, 255));
            }
        }
        const std::string file = BenchFolder() + "/big.jpg";
        if (!image::WriteJpeg(picture, file, 90))
            std::abort();
        return file;
    }();
    return path;
}

double StatusBytes(const char* key)
{
    std::ifstream status("/proc/self/status");
    for (std::string name; status >> name;) {
        if (name == key) {
            double kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void ResetPeakMemory()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

void BM_ReadJpeg(benchmark::State& state)
{
    const std::string& path = BigJpeg();
    double extra = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CPicture picture;
        ResetPeakMemory();
        const double before = StatusBytes("VmRSS:");
        state.ResumeTiming();
        if (picture.LoadPicture(path, PICTURE_FORMAT_JPEG) != 0)
            state.SkipWithError("the picture did not load");
        state.PauseTiming();
        extra = StatusBytes("VmHWM:") - before;
        state.ResumeTiming();
    }
    const double packed = double(kWidth) * kHeight * 3;
    state.counters["packed_MB"] = packed / 1e6;
    state.counters["peak_MB"] = extra / 1e6;
    state.counters["peak_per_packed"] = extra / packed;
}

const CPicture& LoadedPicture()
{
    static CPicture* picture = [] {
        auto* loaded = new CPicture;
        if (loaded->LoadPicture(BigJpeg(), PICTURE_FORMAT_JPEG) != 0)
            std::abort();
        return loaded;
    }();
    return *picture;
}

void BM_FitInto1000x750(benchmark::State& state)
{
    const CPicture& source = LoadedPicture();
    CPicture fitted;
    for (auto _ : state) {
        if (fitted.Resize(CSize(1000, 750), source) != 0)
            state.SkipWithError("resizing failed");
    }
}

/// The picture window's case: the bitmap made again for the same picture.
void BM_ScreenBitmap(benchmark::State& state)
{
    CPicture& source = const_cast<CPicture&>(LoadedPicture());
    CBitmap bitmap;
    for (auto _ : state) {
        if (source.CreateBitmap(bitmap) != 0)
            state.SkipWithError("no bitmap");
    }
}

/// The first bitmap of a picture, in fresh memory.
void BM_ScreenBitmapFirst(benchmark::State& state)
{
    CPicture& source = const_cast<CPicture&>(LoadedPicture());
    for (auto _ : state) {
        CBitmap bitmap;
        if (source.CreateBitmap(bitmap) != 0)
            state.SkipWithError("no bitmap");
        state.PauseTiming();
        bitmap.DeleteObject();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ReadJpeg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FitInto1000x750)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenBitmapFirst)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
