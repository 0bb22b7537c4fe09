// bench/generator/random_stream.h: a small pseudo-random stream that gives the same numbers
// everywhere.
#pragma once

#include <cstdint>

/// splitmix64. The standard library's distributions may differ between implementations, so every
/// number the generator draws comes from this stream and plain integer arithmetic, which keeps a
/// generated file byte-identical on every machine.
class CRandomStream {
public:
    explicit CRandomStream(std::uint64_t seed) : m_state(seed) {}

    /// The stream of one record: the same seed, record kind and index always give the same
    /// numbers, whatever was drawn for other records.
    static CRandomStream ForRecord(std::uint64_t seed, char kind, std::uint64_t index)
    {
        const std::uint64_t key = (std::uint64_t(std::uint8_t(kind)) << 56) ^ index;
        return CRandomStream(Mix(seed ^ Mix(key)));
    }

    std::uint64_t Next()
    {
        m_state += 0x9E3779B97F4A7C15ull;
        return Mix(m_state);
    }
    /// A number in [0, bound); bound must be positive.
    std::int32_t Below(std::int32_t bound) { return std::int32_t(Next() % std::uint64_t(bound)); }
    /// A number in [low, high].
    std::int32_t Between(std::int32_t low, std::int32_t high)
    {
        return low + Below(high - low + 1);
    }
    /// True in percent cases out of a hundred.
    bool Percent(std::int32_t percent) { return Below(100) < percent; }
    /// An index in [0, size) that favours the small ones: a few sources are cited far more often
    /// than the rest, as in real trees.
    std::int32_t Skewed(std::int32_t size)
    {
        const std::int32_t a = Below(size);
        const std::int32_t b = Below(size);
        return a < b ? a : b;
    }

private:
    static std::uint64_t Mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};
