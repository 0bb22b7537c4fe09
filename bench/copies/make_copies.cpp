// bench/copies/make_copies.cpp: writes copies of a real GEDCOM file:
// make_copies K REAL.ged OUT.ged VARIANT.
#include "bench/copies/real_file_copies.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::int32_t kMaxCopies = 2000;

int Usage()
{
    std::fprintf(stderr,
                 "usage: make_copies K REAL.ged OUT.ged utf8|ansel|ansel-text-ids|utf16\n"
                 "  writes the records of REAL.ged K times (1 to %d), copy k's numbers offset by\n"
                 "  k x 1,000,000 (ansel-text-ids: identifiers \"Ck_I1\"), in the set the variant\n"
                 "  names\n",
                 kMaxCopies);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return Usage();
    const std::string_view count(argv[1]);
    std::int32_t copies = 0;
    const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), copies);
    const auto variant = CopyVariantByName(argv[4]);
    if (error != std::errc() || end != count.data() + count.size() || copies < 1 ||
        copies > kMaxCopies || !variant)
        return Usage();
    const auto start = std::chrono::steady_clock::now();
    const auto counts = WriteRealFileCopiesFile(argv[3], argv[2], copies, *variant);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!counts) {
        std::fprintf(stderr, "make_copies: cannot read %s or write %s\n", argv[2], argv[3]);
        return 1;
    }
    std::printf("%s: %lld bytes, %lld lines in %.2f s\n", argv[3],
                static_cast<long long>(counts->bytes), static_cast<long long>(counts->lines),
                elapsed.count());
    std::printf("%lld individuals, %lld families\n", static_cast<long long>(counts->individuals),
                static_cast<long long>(counts->families));
    return 0;
}
