// bench/generator/population.h: the people and families of a synthetic tree, before any text.
#pragma once

#include "bench/generator/random_stream.h"

#include <cstdint>
#include <vector>

/// Dates are day numbers in a plain calendar of 365-day years (day 0 is 1 January of year 0):
/// the dates only have to look plausible, and integer arithmetic keeps them the same everywhere.
constexpr std::int32_t kDaysPerYear = 365;
/// 1 July 2024, the day the file is dated: later deaths are left out, so those people are living.
constexpr std::int32_t kPresentDay = 2024 * kDaysPerYear + 181;

struct CSyntheticPerson {
    std::int32_t parents = -1;           // the family born into; -1 for a founder
    std::int32_t spouseIn[2] = {-1, -1}; // families as husband or wife, in marriage order
    std::int32_t birth = 0;              // day number
    std::uint16_t surname = 0;           // index into SurnameTable()
    std::uint16_t place = 0; // where the person lives as an adult, index into PlaceTable()
    bool male = false;
};

struct CSyntheticFamily {
    std::int32_t husband = -1;    // -1 when the family has no husband
    std::int32_t wife = -1;       // -1 when the family has no wife
    std::int32_t firstChild = -1; // the children are consecutive people, in birth order
    std::int32_t children = 0;
    std::int32_t marriage = 0; // day number
};

/// Builds the tree generation by generation: founders first, then each generation's couples
/// and the children born to them, who form the next generation. Spouses are paired by age
/// across the whole generation, so lines mix quickly and the ancestors or descendants of one
/// person reach a large part of the tree, as in a real population.
class CPopulation {
public:
    CPopulation(std::int32_t individuals, std::uint64_t seed);

    const std::vector<CSyntheticPerson>& People() const { return m_people; }
    const std::vector<CSyntheticFamily>& Families() const { return m_families; }

private:
    void AddFounders(std::int32_t count, std::int32_t firstBirth);
    void MarryGeneration(std::int32_t begin, std::int32_t end, bool everyone);
    void AddFamily(std::int32_t husband, std::int32_t wife);
    void RemarrySome(const std::vector<std::int32_t>& married, std::vector<std::int32_t>& single,
                     bool husbands, std::int32_t percent);
    std::vector<std::int32_t> DrawChildCounts(std::int32_t families, std::int32_t target,
                                              bool atLeastOne);
    void BearChildren(std::int32_t firstFamily, std::int32_t target, bool founders);
    void AddChild(std::int32_t family, std::int32_t birth);

    std::int32_t m_generationSize;
    CRandomStream m_random;
    std::vector<CSyntheticPerson> m_people;
    std::vector<CSyntheticFamily> m_families;
};
