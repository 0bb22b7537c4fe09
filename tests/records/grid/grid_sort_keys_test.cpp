// tests/records/grid/grid_sort_keys_test.cpp: the grid's sort keys without a window, against a
// stable sort by the records' own comparisons: texts that first differ at every byte of the
// entries' compared prefix and past it, names sharing long starts, many rows with equal keys and
// many rows without a node, and the sorts the keys refuse.
#include "records/grid/grid_sort_keys.h"

#include "database/fields/name_node.h"
#include "database/paths/data_ref.h"
#include "platform/base/text.h"
#include "queries/expression.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace record_test;
using Before = std::function<bool(CDataNode*, CDataNode*)>;

class GridSortKeysTest : public CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        InstallExpressionEngine();
    }

    /// The places of a stable sort of the rows by before, rows without a node last.
    static std::vector<std::uint32_t> Expected(const std::vector<CDataNode*>& rows,
                                               const Before& before)
    {
        std::vector<std::uint32_t> places(rows.size());
        std::iota(places.begin(), places.end(), 0u);
        std::stable_sort(places.begin(), places.end(), [&](std::uint32_t a, std::uint32_t b) {
            if (!rows[a] || !rows[b])
                return rows[a] && !rows[b];
            return before(rows[a], rows[b]);
        });
        return places;
    }

    /// The nodes in a shuffled order with empty rows (null) put among them.
    static std::vector<CDataNode*> Shuffled(std::vector<CDataNode*> nodes, std::size_t empty,
                                            unsigned seed)
    {
        std::mt19937 random(seed);
        std::shuffle(nodes.begin(), nodes.end(), random);
        for (std::size_t i = 0; i < empty; ++i)
            nodes.insert(nodes.begin() + std::ptrdiff_t(random() % (nodes.size() + 1)), nullptr);
        return nodes;
    }

    CRecordNode* NewNote(const std::string& text)
    {
        CRecordNode* note = NewRecord(kNote);
        EXPECT_TRUE(note->SetText(text));
        return note;
    }
    CIndRec* NewBorn(const char* name, const char* date, const char* place)
    {
        CIndRec* individual = NewIndividual(SEX_FEMALE);
        static_cast<CNameNode*>(SetField(individual, "NAME", "x"))->SetValue(name);
        if (*date || *place) {
            CDataNode* birth = individual->CreateChildByTag("BIRT");
            if (*date)
                SetField(birth, "DATE", date);
            if (*place)
                SetField(birth, "PLAC", place);
        }
        return individual;
    }

    static bool ByOwnComparison(CDataNode* a, CDataNode* b) { return a->Compare(b, 0) < 0; }
    /// The order of a reference's text without regard to case.
    static Before ByFoldedText(const CDataRef& reference, bool descending)
    {
        return [&reference, descending](CDataNode* a, CDataNode* b) {
            const auto key = [&](CDataNode* node) {
                std::string text;
                reference.Evaluate(text, static_cast<CRecordNode*>(node));
                return text::FoldedSortKey(text);
            };
            return descending ? key(b) < key(a) : key(a) < key(b);
        };
    }
};

TEST_F(GridSortKeysTest, TextsOrderAsTheirComparisonWhereverTheyFirstDiffer)
{
    // Two texts a place: the greater first, as they differ at that byte and after it; the
    // other way round after it; one the start of the other; and the same text in other case.
    // The entries keep twenty-four bytes as three numbers and compare the rest from the texts.
    const std::size_t kFirstDifference[] = {0, 1, 7, 8, 9, 12, 15, 16, 17, 20, 23, 24, 25, 31, 40};
    const std::string kTails[] = {"", "x", "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"};
    CDataRef place;
    ASSERT_TRUE(place.SetText("INDI.BIRT.PLAC"));
    for (const std::size_t at : kFirstDifference) {
        for (const std::string& tail : kTails) {
            SCOPED_TRACE("first difference at byte " + std::to_string(at) + ", tail of " +
                         std::to_string(tail.size()));
            const std::string start(at, 'q');
            const std::string texts[] = {start + "b" + tail,
                                         start + "a" + tail,
                                         start + "a" + tail + "a",
                                         start + "a" + tail + "B",
                                         start,
                                         start + "B" + tail,
                                         start + "A" + "zz" + tail};
            std::vector<CDataNode*> notes, people;
            for (const std::string& text : texts) {
                notes.push_back(NewNote(text));
                people.push_back(NewBorn("Al /Doe/", "", text.c_str()));
            }
            EXPECT_EQ(GridSortOrder(notes, GridSortBy::kText), Expected(notes, ByOwnComparison))
                << "notes";
            for (const bool descending : {false, true})
                EXPECT_EQ(GridSortOrder(people, GridSortBy::kValue, &place, descending),
                          Expected(people, ByFoldedText(place, descending)))
                    << "places, descending " << descending;
        }
    }
}

TEST_F(GridSortKeysTest, NamesSharingLongStartsOrderAsTheirComparison)
{
    // Names whose surnames, given names or kept forms first differ past eight, sixteen and
    // twenty-four bytes, with equal names on either side of them; each set alone goes through
    // the ranks of the names, and with names the ranks refuse through the compact entries.
    const char* const kNames[] = {
        "Alexandra Maximiliane /Featherstonehaugh/",
        "Alexandra Maximiliane /Featherstonehaigh/",
        "Alexandra Maximiliana /Featherstonehaugh/",
        "Alexandra Maximiliane /Featherstonehaugh/ Jr",
        "Alexandra Maximiliane /Featherstonehaugh/",
        "Alexandra /Featherstonehaughton/",
        "/Featherstonehaugh/",
        "Alexandra Maximiliane /Feathe/",
        "Alexandra Maximiliane /Featherstonehaugh-Smythe/",
        "Alexandra Maximiliane /Featherstonehaugh/",
    };
    const struct {
        const char* what;
        std::vector<const char*> more;
    } kSets[] = {
        {"ranked", {}},
        {"an unmarked name among leads that are not their surnames' start",
         {"NoSlash Person", " Al / Featherstonehaugh/"}},
        {"a surname holding a control byte", {"Odd /Feather\x01stonehaugh/"}},
    };
    const char* const kDates[] = {"", "1800", "JUN 1800", "1799"};
    for (const auto& set : kSets) {
        SCOPED_TRACE(set.what);
        std::vector<CDataNode*> people;
        for (std::size_t i = 0; i < std::size(kNames); ++i)
            for (const char* date : kDates)
                people.push_back(NewBorn(kNames[i], date, ""));
        for (const char* name : set.more)
            people.push_back(NewBorn(name, "", ""));
        const std::vector<CDataNode*> rows = Shuffled(people, 20, 3);
        EXPECT_EQ(GridSortOrder(rows, GridSortBy::kName), Expected(rows, ByOwnComparison));
    }
}

TEST_F(GridSortKeysTest, EqualKeysAndEmptyRowsKeepTheOrderTheyCameIn)
{
    // Far more equal keys than a sort leaves to insertion: forty individuals of one name,
    // place and life dates, thirty of them never changed and ten changed at one moment; forty
    // notes of one text in three cases; twenty rows without a node among them.
    std::vector<CDataNode*> people, notes;
    const COleDateTime moment(2020, 5, 1, 12, 0, 0);
    for (int i = 0; i < 40; ++i) {
        CIndRec* same = NewBorn("Ned /Doe/", "1850", "Aachen");
        same->SetChangeStamp(i % 4 == 0 ? moment : COleDateTime());
        people.push_back(same);
        notes.push_back(NewNote(i % 3 == 0 ? "same" : i % 3 == 1 ? "Same" : "SAME"));
    }
    for (const char* other : {"Amy /Doe/", "Zed /Doe/", "Ned /Adams/"}) {
        CIndRec* individual = NewBorn(other, "1900", "Zurich");
        individual->SetChangeStamp(COleDateTime(2021, 1, 1, 0, 0, 0));
        people.push_back(individual);
    }
    for (const char* other : {"other", "a note"})
        notes.push_back(NewNote(other));

    CDataRef place, dates;
    ASSERT_TRUE(place.SetText("INDI.BIRT.PLAC"));
    ASSERT_TRUE(dates.SetText("=LifeDates()"));
    auto* expression = dynamic_cast<CExpression*>(dates.GetExpression());
    ASSERT_NE(expression, nullptr);
    const auto byDates = [expression](bool descending) -> Before {
        return [expression, descending](CDataNode* a, CDataNode* b) {
            const CExprSortKey first = expression->MakeSortKey(static_cast<CRecordNode*>(a));
            const CExprSortKey second = expression->MakeSortKey(static_cast<CRecordNode*>(b));
            return (descending ? CExpression::CompareSortKeys(second, first)
                               : CExpression::CompareSortKeys(first, second)) < 0;
        };
    };
    const auto stamped = [](CDataNode* node) {
        const COleDateTime& stamp = static_cast<CRecordNode*>(node)->GetChangeStamp();
        return std::pair(stamp.GetStatus() == COleDateTime::valid, stamp);
    };
    const struct {
        const char* what;
        const std::vector<CDataNode*>& nodes;
        GridSortBy by;
        const CDataRef* reference;
        bool descending;
        Before before;
    } kCases[] = {
        {"notes by text", notes, GridSortBy::kText, nullptr, false, ByOwnComparison},
        {"by name", people, GridSortBy::kName, nullptr, false, ByOwnComparison},
        {"by place", people, GridSortBy::kValue, &place, false, ByFoldedText(place, false)},
        {"by place, descending", people, GridSortBy::kValue, &place, true,
         ByFoldedText(place, true)},
        {"by life dates", people, GridSortBy::kValue, &dates, false, byDates(false)},
        {"by life dates, descending", people, GridSortBy::kValue, &dates, true, byDates(true)},
        {"by creation", people, GridSortBy::kCreation, nullptr, false,
         [](CDataNode* a, CDataNode* b) {
             return static_cast<CRecordNode*>(a)->GetRecordNumber() <
                    static_cast<CRecordNode*>(b)->GetRecordNumber();
         }},
        {"by last update", people, GridSortBy::kLastUpdate, nullptr, false,
         [&](CDataNode* a, CDataNode* b) {
             const auto [stampedA, stampA] = stamped(a);
             const auto [stampedB, stampB] = stamped(b);
             return stampedA != stampedB ? stampedA : stampedA && stampB < stampA;
         }},
    };
    for (const auto& test : kCases) {
        const std::vector<CDataNode*> rows = Shuffled(test.nodes, 20, 11);
        EXPECT_EQ(GridSortOrder(rows, test.by, test.reference, test.descending),
                  Expected(rows, test.before))
            << test.what;
    }
}

TEST_F(GridSortKeysTest, RefusesWhatItsKeysCannotOrder)
{
    // The grid then leaves the rows to the nodes' own comparison.
    std::vector<CDataNode*> mixed = {NewIndividual(SEX_MALE, "Al /Doe/"), NewNote("note")};
    EXPECT_FALSE(GridSortOrder(mixed, GridSortBy::kName).has_value());
    EXPECT_FALSE(NameRankOrder(mixed).has_value());
    EXPECT_FALSE(GridSortOrder(mixed, GridSortBy::kText).has_value());
    EXPECT_FALSE(GridSortOrder(mixed, GridSortBy::kValue).has_value()) << "no reference";
    EXPECT_TRUE(GridSortOrder(mixed, GridSortBy::kCreation).has_value());
}

} // namespace
