// bench/generator/make_gedcom.cpp: writes a synthetic GEDCOM file: make_gedcom N OUT.ged [SEED],
// or an edited copy of one: make_gedcom --edited-copy IN.ged OUT.ged [SEED].
#include "bench/generator/edited_copy.h"
#include "bench/generator/gedcom_generator.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::int32_t kMaxIndividuals = 100000000;

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int Usage()
{
    std::fprintf(
        stderr,
        "usage: make_gedcom N OUT.ged [SEED]\n"
        "  writes a synthetic GEDCOM 5.5 file of N individuals (1 to %d); SEED defaults to 1\n"
        "       make_gedcom --edited-copy IN.ged OUT.ged [SEED]\n"
        "  writes a copy of a generated file with about 5 %% of its individuals edited, 1 %%\n"
        "  removed and 1 %% added\n",
        kMaxIndividuals);
    return 2;
}

int EditedCopy(int argc, char** argv)
{
    std::uint64_t seed = 1;
    if (argc < 4 || argc > 5 || (argc == 5 && !ParseNumber(argv[4], seed)))
        return Usage();
    const auto counts = WriteEditedCopyFile(argv[2], argv[3], seed);
    if (!counts) {
        std::fprintf(stderr, "make_gedcom: cannot read %s or write %s\n", argv[2], argv[3]);
        return 1;
    }
    std::printf("%s: of %lld individuals %lld edited, %lld removed, %lld added\n", argv[3],
                static_cast<long long>(counts->individuals), static_cast<long long>(counts->edited),
                static_cast<long long>(counts->removed), static_cast<long long>(counts->added));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string_view(argv[1]) == "--edited-copy")
        return EditedCopy(argc, argv);
    if (argc < 3 || argc > 4)
        return Usage();
    std::int32_t individuals = 0;
    std::uint64_t seed = 1;
    if (!ParseNumber(argv[1], individuals) || individuals < 1 || individuals > kMaxIndividuals)
        return Usage();
    if (argc == 4 && !ParseNumber(argv[3], seed))
        return Usage();

    const auto start = std::chrono::steady_clock::now();
    const auto counts = WriteSyntheticGedcomFile(argv[2], individuals, seed);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!counts) {
        std::fprintf(stderr, "make_gedcom: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s: %lld bytes, %lld lines in %.2f s\n", argv[2],
                static_cast<long long>(counts->bytes), static_cast<long long>(counts->lines),
                elapsed.count());
    std::printf("%lld individuals, %lld families, %lld notes, %lld sources, %lld repositories\n",
                static_cast<long long>(counts->individuals),
                static_cast<long long>(counts->families), static_cast<long long>(counts->notes),
                static_cast<long long>(counts->sources),
                static_cast<long long>(counts->repositories));
    return 0;
}
