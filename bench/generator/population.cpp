// bench/generator/population.cpp: founders, couples and children, generation by generation.
#include "bench/generator/population.h"

#include "bench/generator/generator_tables.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace {

/// The year the youngest complete generation is born around; the founders are placed so many
/// generations earlier that the tree ends there.
constexpr std::int32_t kLastGenerationYear = 1965;
constexpr std::int32_t kYearsPerGeneration = 31;
/// How often a person of a later generation marries at all, and how often a person left without
/// a partner still has children alone (a family with one parent).
constexpr std::int32_t kMarryPercent = 82;
constexpr std::int32_t kSingleParentPercent = 25;
constexpr std::int32_t kMaxChildren = 8;
/// How far apart the age keys of a couple may be (the keys add up to six years of chance to the
/// birth), and the births of a second spouse and the one remarrying.
constexpr std::int32_t kPairKeyGap = 5 * kDaysPerYear;
constexpr std::int32_t kRemarriageAgeGap = 8 * kDaysPerYear;
/// Weights of 0..8 children per family; their mean, about 2.5, keeps the generations even.
constexpr std::int32_t kChildWeights[kMaxChildren + 1] = {18, 18, 20, 16, 11, 7, 5, 3, 2};

struct CCandidate {
    std::int32_t key;
    std::int32_t id;
    bool operator<(const CCandidate& other) const
    {
        return key != other.key ? key < other.key : id < other.id;
    }
};

std::int32_t Years(std::int32_t years)
{
    return years * kDaysPerYear;
}

} // namespace

CPopulation::CPopulation(std::int32_t individuals, std::uint64_t seed) : m_random(seed)
{
    const std::int32_t total = std::max<std::int32_t>(individuals, 0);
    // More generations for larger trees, so that a walk from one person has room to spread.
    const std::int32_t generations =
        10 + std::int32_t(std::bit_width(std::uint32_t(total))) * 2 / 3;
    m_generationSize = std::max<std::int32_t>(4, (total + generations - 1) / generations);
    m_people.reserve(std::size_t(total));
    m_families.reserve(std::size_t(total / 2));

    const std::int32_t firstYear = kLastGenerationYear - (generations - 1) * kYearsPerGeneration;
    AddFounders(std::min(m_generationSize, total), Years(firstYear - 15));
    std::int32_t begin = 0;
    std::int32_t sinceFounders = 0;
    while (std::int32_t(m_people.size()) < total) {
        const std::int32_t end = std::int32_t(m_people.size());
        const std::int32_t firstFamily = std::int32_t(m_families.size());
        // The founders and their children all marry, which joins the founder families together.
        MarryGeneration(begin, end, sinceFounders < 2);
        const std::int32_t target = std::min(m_generationSize, total - end);
        if (std::int32_t(m_families.size()) == firstFamily) {
            AddFounders(target, m_people[std::size_t(end - 1)].birth + Years(15));
            sinceFounders = 0;
        } else {
            BearChildren(firstFamily, target, sinceFounders == 0);
            ++sinceFounders;
        }
        begin = end;
    }
}

void CPopulation::AddFounders(std::int32_t count, std::int32_t firstBirth)
{
    const std::int32_t surnames = std::int32_t(SurnameTable().size());
    const std::int32_t places = std::int32_t(PlaceTable().size());
    for (std::int32_t i = 0; i < count; ++i) {
        CSyntheticPerson founder;
        founder.male = i % 2 == 0;
        founder.birth = firstBirth + m_random.Below(Years(30));
        founder.surname = std::uint16_t(m_random.Below(surnames));
        founder.place = std::uint16_t(m_random.Below(places));
        m_people.push_back(founder);
    }
}

/// Pairs the generation's people by age: both sexes in order of age, a man and a woman at most
/// kPairKeyGap apart become a couple, and whoever has no partner near in age is left unpaired.
/// With everyone, the unpaired have a family alone; otherwise some do and the rest stay single.
void CPopulation::MarryGeneration(std::int32_t begin, std::int32_t end, bool everyone)
{
    std::vector<CCandidate> men, women;
    std::vector<std::int32_t> singleMen, singleWomen;
    for (std::int32_t id = begin; id < end; ++id) {
        const CSyntheticPerson& person = m_people[std::size_t(id)];
        if (!everyone && !m_random.Percent(kMarryPercent)) {
            (person.male ? singleMen : singleWomen).push_back(id);
            continue;
        }
        const std::int32_t key = person.birth + m_random.Below(Years(6));
        (person.male ? men : women).push_back({key, id});
    }
    std::sort(men.begin(), men.end());
    std::sort(women.begin(), women.end());

    std::vector<std::int32_t> husbands, wives, unpaired;
    for (std::size_t man = 0, woman = 0; man < men.size() || woman < women.size();) {
        const bool bothLeft = man < men.size() && woman < women.size();
        if (bothLeft && std::abs(men[man].key - women[woman].key) <= kPairKeyGap) {
            AddFamily(men[man].id, women[woman].id);
            husbands.push_back(men[man++].id);
            wives.push_back(women[woman++].id);
            continue;
        }
        const bool manFirst =
            woman == women.size() || (bothLeft && men[man].key < women[woman].key);
        unpaired.push_back(manFirst ? men[man++].id : women[woman++].id);
    }
    for (std::int32_t id : unpaired) {
        const bool male = m_people[std::size_t(id)].male;
        if (everyone || m_random.Percent(kSingleParentPercent))
            AddFamily(male ? id : -1, male ? -1 : id);
        else
            (male ? singleMen : singleWomen).push_back(id);
    }
    RemarrySome(husbands, singleWomen, true, 5);
    RemarrySome(wives, singleMen, false, 3);
}

/// A second marriage for some of the married (who come eldest first), each with a partner
/// who had not married yet and is at most kRemarriageAgeGap older or younger.
void CPopulation::RemarrySome(const std::vector<std::int32_t>& married,
                              std::vector<std::int32_t>& single, bool husbands,
                              std::int32_t percent)
{
    const auto birth = [&](std::int32_t id) { return m_people[std::size_t(id)].birth; };
    std::sort(single.begin(), single.end(), [&](std::int32_t a, std::int32_t b) {
        return birth(a) != birth(b) ? birth(a) < birth(b) : a < b;
    });
    std::size_t next = 0;
    for (std::int32_t id : married) {
        if (!m_random.Percent(percent))
            continue;
        while (next < single.size() && birth(single[next]) < birth(id) - kRemarriageAgeGap)
            ++next;
        if (next == single.size())
            return;
        if (birth(single[next]) > birth(id) + kRemarriageAgeGap)
            continue;
        const std::int32_t partner = single[next++];
        AddFamily(husbands ? id : partner, husbands ? partner : id);
    }
}

/// The wedding comes when both spouses are of age, and a second one some years after the first.
void CPopulation::AddFamily(std::int32_t husband, std::int32_t wife)
{
    CSyntheticFamily family;
    family.husband = husband;
    family.wife = wife;
    const std::int32_t index = std::int32_t(m_families.size());
    const auto join = [&](std::int32_t id, std::int32_t minimumAge, std::int32_t spread) {
        if (id < 0)
            return;
        CSyntheticPerson& spouse = m_people[std::size_t(id)];
        family.marriage = std::max(family.marriage, spouse.birth + Years(minimumAge) +
                                                        m_random.Below(Years(spread)));
        const bool remarriage = spouse.spouseIn[0] >= 0;
        if (remarriage) {
            const std::int32_t first = m_families[std::size_t(spouse.spouseIn[0])].marriage;
            family.marriage =
                std::max(family.marriage, first + Years(3) + m_random.Below(Years(10)));
        }
        spouse.spouseIn[remarriage ? 1 : 0] = index;
    };
    join(husband, 19, 10);
    join(wife, 17, 8);
    m_families.push_back(family);
}

/// Child counts drawn from the weights, then evened out so that the next generation has its
/// planned size. With atLeastOne (and children enough to go round) no family stays childless.
std::vector<std::int32_t> CPopulation::DrawChildCounts(std::int32_t families, std::int32_t target,
                                                       bool atLeastOne)
{
    target = std::min(target, families * kMaxChildren);
    const std::int32_t least = atLeastOne && target >= families ? 1 : 0;
    std::vector<std::int32_t> counts(std::size_t(families), 0);
    std::int32_t sum = 0;
    for (std::int32_t& count : counts) {
        std::int32_t draw = m_random.Below(100);
        while (draw >= kChildWeights[count]) {
            draw -= kChildWeights[count];
            ++count;
        }
        count = std::max(count, least);
        sum += count;
    }
    while (sum != target) {
        std::int32_t& count = counts[std::size_t(m_random.Below(families))];
        if (sum < target && count < kMaxChildren) {
            ++count;
            ++sum;
        } else if (sum > target && count > least) {
            --count;
            --sum;
        }
    }
    return counts;
}

/// The children of each family, born one to three years apart after the wedding (and never
/// after the day the file is dated). Every founder couple has children, so that no founder
/// stands apart from the tree.
void CPopulation::BearChildren(std::int32_t firstFamily, std::int32_t target, bool founders)
{
    const std::int32_t families = std::int32_t(m_families.size()) - firstFamily;
    const std::vector<std::int32_t> counts = DrawChildCounts(families, target, founders);
    for (std::int32_t i = 0; i < families; ++i) {
        CSyntheticFamily& family = m_families[std::size_t(firstFamily + i)];
        if (counts[std::size_t(i)] == 0)
            continue;
        family.firstChild = std::int32_t(m_people.size());
        family.children = counts[std::size_t(i)];
        std::int32_t birth = family.marriage + 280 + m_random.Below(500);
        for (std::int32_t child = 0; child < family.children; ++child) {
            AddChild(firstFamily + i, std::min(birth, kPresentDay - (family.children - child)));
            birth += 330 + m_random.Below(900);
        }
    }
}

/// A child takes the father's surname (the mother's when there is no father) and mostly stays
/// where the family lives.
void CPopulation::AddChild(std::int32_t family, std::int32_t birth)
{
    const CSyntheticFamily& parents = m_families[std::size_t(family)];
    const CSyntheticPerson& parent =
        m_people[std::size_t(parents.husband >= 0 ? parents.husband : parents.wife)];
    CSyntheticPerson child;
    child.parents = family;
    child.birth = birth;
    child.male = m_random.Below(2) == 0;
    child.surname = parent.surname;
    child.place = m_random.Percent(85)
                      ? parent.place
                      : std::uint16_t(m_random.Below(std::int32_t(PlaceTable().size())));
    m_people.push_back(child);
}
