// tests/records/grid/name_rank_sort_test.cpp: the sort by name ranks against a stable sort by
// the individuals' own comparison of sort keys, on many rows sharing names, surname leads, date
// keys and numbers, and the names and dates it must leave to that comparison.
#include "records/grid/name_rank_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {

/// A key as an individual gives it: the surname lead its first five letters, kept the whole
/// name; an empty surname makes an unmarked name.
CIndRec::SortKey Key(const std::string& given, const std::string& surname,
                     std::optional<CDateValue> date, std::int32_t number)
{
    CIndRec::SortKey key;
    key.hasName = !given.empty() || !surname.empty();
    key.name.hasSlash = !surname.empty();
    for (std::size_t at = 0, letters = 0; at < surname.size(); ++at) {
        const bool starts = (std::uint8_t(surname[at]) & 0xC0) != 0x80;
        if (starts && ++letters > 5)
            break;
        key.name.lead += surname[at];
    }
    key.name.surname = surname;
    key.name.kept = given + (given.empty() || surname.empty() ? "" : " ") + surname;
    key.date = date;
    key.number = number;
    return key;
}

/// The rows' places in a stable sort by CIndRec::CompareSortKeys, rows without a key last.
std::vector<std::uint32_t> Expected(const std::vector<std::optional<CIndRec::SortKey>>& keys)
{
    std::vector<std::uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (!keys[a] || !keys[b])
            return keys[a] && !keys[b];
        return CIndRec::CompareSortKeys(*keys[a], *keys[b]) < 0;
    });
    return order;
}

std::optional<std::vector<std::uint32_t>>
Ranked(const std::vector<std::optional<CIndRec::SortKey>>& keys)
{
    CNameRankSort sort(keys.size());
    for (const auto& key : keys) {
        if (!key)
            sort.AddEmpty();
        else if (!sort.Add(*key))
            return std::nullopt;
    }
    return sort.Order();
}

TEST(NameRankSort, GivesTheComparisonsOrderOnRowsSharingNamesDatesAndNumbers)
{
    // Surnames that share their lead or are one another's start, unmarked names, no name;
    // dates of every precision, B.C. and far-off years; numbers repeated and negative, in half
    // the rounds rising with the rows as a file's often do. In half the rounds a date with a
    // dual year stands beside the same date without: the comparison finds neither before the
    // other and yet not equal, so that their rows keep no order of their own, and the sort must
    // come to the comparison's answer by the comparison.
    const char* const kSurnames[] = {"smith", "smithson",     "smithers",   "smit", "sm",
                                     "",      "\xc3\xa9mile", "de la cruz", "zz"};
    const char* const kGiven[] = {"", "amy", "amy ann", "bert", "zed", "a"};
    const CDateValue kDates[] = {CDateValue(1800, 0, 0), CDateValue(1800, 6, 0),
                                 CDateValue(1800, 6, 5), CDateValue(1800, 12, 31),
                                 CDateValue(1799, 0, 0), CDateValue(1, 1, 1),
                                 CDateValue(9999, 0, 0), CDateValue(2000, 2, 29)};
    // In some rounds 1 B.C. beside a year 0, which lies where 1 B.C. does on the line of years
    // and yet comes after it.
    CDateValue bc(44, 3, 15), bc1(1, 1, 1), year0(0, 1, 1);
    bc.SetBC(true);
    bc1.SetBC(true);
    CDateValue dual(1800, 6, 5);
    dual.SetDualYear(1);
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::optional<CIndRec::SortKey>> keys;
        for (int i = 0; i < 3000; ++i) {
            if (random() % 50 == 0) {
                keys.emplace_back();
                continue;
            }
            std::optional<CDateValue> date;
            if (const auto pick = random() % (std::size(kDates) + 2); pick < std::size(kDates))
                date = kDates[pick];
            else if (pick == std::size(kDates))
                date = round % 2 ? dual : round / 4 % 2 ? (random() % 2 ? bc1 : year0) : bc;
            keys.push_back(Key(kGiven[random() % std::size(kGiven)],
                               kSurnames[random() % std::size(kSurnames)], date,
                               round / 2 % 2 ? i / 3 - 20 : std::int32_t(random() % 400) - 20));
        }
        const auto ranked = Ranked(keys);
        ASSERT_TRUE(ranked.has_value()) << round;
        EXPECT_EQ(*ranked, Expected(keys)) << round;
    }
}

/// Rows added by their names' stored texts, as the records window's fill adds a name met
/// before: the row of a text met before takes that row's name, also while that row's name still
/// waits for its index (the next rows), and a text never added with a key is not known.
TEST(NameRankSort, RowsAddedByStoredTextsOrderAsTheirKeys)
{
    const char* const kSurnames[] = {"smith", "smithson", "", "de la cruz"};
    const char* const kGiven[] = {"amy", "bert", "zed"};
    std::mt19937 random(3);
    std::vector<std::optional<CIndRec::SortKey>> keys;
    CNameRankSort sort(4000);
    EXPECT_FALSE(sort.AddByStoredName("amy /smith/", std::nullopt, 1));
    std::size_t byText = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string given = kGiven[random() % std::size(kGiven)];
        const std::string surname = kSurnames[random() % std::size(kSurnames)];
        std::optional<CDateValue> date;
        if (random() % 2)
            date = CDateValue(1700 + int(random() % 50), 0, 0);
        const auto number = std::int32_t(random() % 300);
        keys.push_back(Key(given, surname, date, number));
        const std::string stored = surname.empty() ? given : given + " /" + surname + "/";
        if (sort.AddByStoredName(stored, date, number)) {
            ++byText;
            continue;
        }
        ASSERT_TRUE(sort.Add(*keys.back(), stored));
    }
    EXPECT_EQ(byText, keys.size() - std::size(kSurnames) * std::size(kGiven));
    const auto ranked = sort.Order();
    ASSERT_TRUE(ranked.has_value());
    EXPECT_EQ(*ranked, Expected(keys));
}

TEST(NameRankSort, LongSharedStartsAndManyEqualRowsKeepTheComparisonsOrder)
{
    // Names first differing past the eight, sixteen and twenty-four bytes the ranks compare as
    // numbers; far more rows of one name, date key and number than a sort leaves to insertion,
    // alone, beside a dual year that sends the sort to the comparison itself, and as every row
    // (no key then tells any two apart); many rows without a record.
    enum Date { kNone, kYear, kDualYear };
    struct Rows {
        const char* given;
        const char* surname;
        Date date;
        std::int32_t number;
        int count;
    };
    const struct {
        const char* what;
        std::vector<Rows> rows;
        int empty;
    } kCases[] = {
        {"surnames sharing long starts",
         {{"a", "featherstonehaugh", kNone, 1, 1},
          {"a", "featherstonehaigh", kNone, 2, 1},
          {"a", "feathers", kNone, 3, 1},
          {"a", "featherstonehaughsmythe-jones", kNone, 4, 1},
          {"a", "featherstonehaughsmythe-jonas", kNone, 5, 1},
          {"a", "featherstonehaughsmythe-jones", kNone, 0, 1}},
         0},
        {"given names sharing long starts",
         {{"alexandra maximiliane b", "doe", kNone, 1, 1},
          {"alexandra maximiliane a", "doe", kNone, 2, 1},
          {"alexandra maximiliane", "doe", kNone, 3, 1},
          {"alexandra maximiliane a", "", kNone, 4, 1},
          {"alexandra maximilianea", "", kNone, 5, 1}},
         0},
        {"one name, date and number",
         {{"ned", "doe", kYear, 5, 40}, {"amy", "doe", kNone, 5, 3}},
         0},
        {"every row alike", {{"ned", "doe", kYear, 5, 40}}, 0},
        {"rows without a record", {{"ned", "doe", kYear, 5, 3}}, 40},
        {"equal rows beside a dual year",
         {{"ned", "doe", kYear, 5, 40},
          {"ned", "doe", kDualYear, 5, 2},
          {"ned", "doe", kNone, 5, 20}},
         30},
    };
    CDateValue dual(1800, 0, 0);
    dual.SetDualYear(1);
    for (const auto& test : kCases) {
        std::vector<std::optional<CIndRec::SortKey>> keys;
        for (const Rows& rows : test.rows) {
            std::optional<CDateValue> date;
            if (rows.date != kNone)
                date = rows.date == kYear ? CDateValue(1800, 0, 0) : dual;
            for (int i = 0; i < rows.count; ++i)
                keys.push_back(Key(rows.given, rows.surname, date, rows.number));
        }
        keys.resize(keys.size() + std::size_t(test.empty));
        std::shuffle(keys.begin(), keys.end(), std::mt19937(5));
        const auto ranked = Ranked(keys);
        ASSERT_TRUE(ranked.has_value()) << test.what;
        EXPECT_EQ(*ranked, Expected(keys)) << test.what;
    }
}

TEST(NameRankSort, RefusesNamesThatRanksCannotOrder)
{
    // Leads that are not their surname's start order marked names apart from their surnames;
    // ranks give that order only while no unmarked name is compared without leads.
    std::vector<std::optional<CIndRec::SortKey>> keys = {Key("amy", "smith", {}, 2),
                                                         Key("bo", "smith", {}, 1)};
    keys[0]->name.lead = "zz";
    const auto marked = Ranked(keys);
    ASSERT_TRUE(marked.has_value());
    EXPECT_EQ(*marked, Expected(keys));
    keys.push_back(Key("smith", "", {}, 3));
    EXPECT_FALSE(Ranked(keys).has_value());

    // A name compared as formatted, and a part holding the part end, are refused at once.
    CNameRankSort sort(2);
    CIndRec::SortKey formatted = Key("amy", "smith", {}, 1);
    formatted.name.formatted = true;
    EXPECT_FALSE(sort.Add(formatted));
    EXPECT_FALSE(sort.Add(Key("amy", "sm\x01ith", {}, 1)));
}

} // namespace
