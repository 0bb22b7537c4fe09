// tests/database/kin/kinship_test.cpp: Tests of the kinship walks: marking within generations, the
// collecting operations, the kinship map and Ahnentafel numbers, on broken files (loops, repeated
// links), on a line far deeper than any stack, and on two threads at once.
#include "database/kin/kinship.h"
#include "database/kin/kinship_map.h"
#include "tests/database/kin/kinship_test_support.h"

#include <atomic>
#include <thread>

namespace {

/// Adam and Eve are the parents of John and Jane; Walt and Wilma of Mary. John and Mary are the
/// parents of Ann and Sam; Ann is also the child of Pete and Polly (her second parent family).
/// Ann married Bob (son Carl, whose son with Cora is Dan) and then Fred (son Gus).
class CKinshipFamilyTest : public CKinshipTest {
protected:
    void SetUp() override
    {
        CKinshipTest::SetUp();
        for (const char* name :
             {"Adam", "Walt", "John", "Sam", "Pete", "Bob", "Carl", "Dan", "Fred", "Gus"})
            m_people[name] = Person(name, SEX_MALE);
        for (const char* name : {"Eve", "Wilma", "Jane", "Mary", "Ann", "Polly", "Cora"})
            m_people[name] = Person(name, SEX_FEMALE);
        Family(P("Adam"), P("Eve"), {P("John"), P("Jane")});
        Family(P("Walt"), P("Wilma"), {P("Mary")});
        Family(P("John"), P("Mary"), {P("Ann"), P("Sam")});
        Family(P("Pete"), P("Polly"), {P("Ann")});
        Family(P("Bob"), P("Ann"), {P("Carl")});
        Family(P("Carl"), P("Cora"), {P("Dan")});
        Family(P("Fred"), P("Ann"), {P("Gus")});
    }

    CIndRec* P(const std::string& name) { return m_people.at(name); }

    std::map<std::string, CIndRec*> m_people;
};

TEST_F(CKinshipFamilyTest, MarksRelativesWithinGenerations)
{
    struct Row {
        const char* start;
        bool up;
        int generations;
        const char* expected;
        const char* probe; // its mark carries probeGeneration (-1: unmarked)
        int probeGeneration;
    };
    const Row rows[] = {
        // The second parent family is never taken.
        {"Ann", true, 1, "John Mary", "Pete", -1},
        {"Ann", true, 2, "Adam Eve John Mary Walt Wilma", "Walt", 2},
        {"Ann", true, 0, "Adam Eve John Mary Walt Wilma", "Ann", -1},
        {"Dan", true, 2, "Ann Bob Carl Cora", "Carl", 1},
        {"Adam", false, 1, "Jane John", "John", 1},
        {"Adam", false, 2, "Ann Jane John Sam", "Ann", 2},
        {"Adam", false, 0, "Ann Carl Dan Gus Jane John Sam", "Dan", 4},
        {"Ann", false, 1, "Carl Gus", "Ann", -1},
        {"Ann", true, -1, "", "John", -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.start) + (row.up ? " up " : " down ") +
                     std::to_string(row.generations));
        CMapPtrToWord result;
        CKinshipMarks marks;
        if (row.up)
            MarkAncestors(P(row.start), result, row.generations, marks);
        else
            MarkDescendants(P(row.start), result, row.generations, marks);
        EXPECT_EQ(Names(result), row.expected);
        EXPECT_EQ(marks.GetCount(), result.size());
        EXPECT_EQ(marks.GetGeneration(P(row.probe)), row.probeGeneration);
    }
}

TEST_F(CKinshipFamilyTest, AnAncestorOnTwoLinesIsFoundByTheShorterOne)
{
    // Kim's parents are Lou and his aunt Meg: Meg's father Zed is Kim's grandfather and also
    // his great-grandfather. Zed's father Yul is three generations up through Meg, which a
    // walk that first met Zed four generations up through Lou would miss.
    CIndRec* yul = Person("Yul", SEX_MALE);
    CIndRec* zed = Person("Zed", SEX_MALE);
    CIndRec* nat = Person("Nat", SEX_MALE);
    CIndRec* meg = Person("Meg", SEX_FEMALE);
    CIndRec* lou = Person("Lou", SEX_MALE);
    CIndRec* kim = Person("Kim", SEX_MALE);
    Family(yul, nullptr, {zed});
    Family(zed, nullptr, {nat, meg});
    Family(nat, nullptr, {lou});
    Family(lou, meg, {kim});
    CMapPtrToWord result;
    CKinshipMarks marks;
    MarkAncestors(kim, result, 3, marks);
    EXPECT_EQ(Names(result), "Lou Meg Nat Yul Zed");
    EXPECT_EQ(marks.GetGeneration(zed), 2);
}

TEST_F(CKinshipFamilyTest, CollectsAncestorsOfEachStartingIndividual)
{
    struct Row {
        std::vector<const char*> start;
        int generations;
        const char* expected;
    };
    const Row rows[] = {
        // Common ancestors once; neither sibling enters the result.
        {{"Ann", "Sam"}, 0, "Adam Eve John Mary Walt Wilma"},
        // John is an ancestor of Ann, whichever of them comes first.
        {{"Ann", "John"}, 0, "Adam Eve John Mary Walt Wilma"},
        {{"John", "Ann"}, 0, "Adam Eve John Mary Walt Wilma"},
        {{"Dan", "John"}, 1, "Adam Carl Cora Eve"},
        {{"Dan", "Mary"}, 2, "Ann Bob Carl Cora Walt Wilma"},
        {{"Ann"}, -1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        CMapPtrToWord start;
        for (const char* name : row.start)
            start.emplace(P(name), 0);
        CMapPtrToWord result;
        CollectAncestors(start, result, nullptr, row.generations);
        EXPECT_EQ(Names(result), row.expected);
    }
}

TEST_F(CKinshipFamilyTest, CollectsDescendantsCountedFromEachStartingIndividual)
{
    CMapPtrToWord result;
    CollectDescendants(Set({P("Adam"), P("Ann")}), result, nullptr, 2);
    EXPECT_EQ(Names(result), "Ann Carl Dan Gus Jane John Sam");
    result.clear();
    CollectDescendants(Set({P("Adam"), P("John")}), result, nullptr, 0);
    EXPECT_EQ(Names(result), "Ann Carl Dan Gus Jane John Sam");
    result.clear();
    CollectDescendants(Set({P("Adam")}), result, nullptr, -3);
    EXPECT_EQ(Names(result), "");
}

TEST_F(CKinshipFamilyTest, ACancelledCollectionStopsAndKeepsWhatItHas)
{
    std::atomic<bool> cancel{true};
    CMapPtrToWord result = Set({P("Bob")});
    CollectAncestors(Set({P("Ann")}), result, &cancel, 0);
    CollectDescendants(Set({P("Ann")}), result, &cancel, 0);
    CollectSpouses(Set({P("Ann")}), result, &cancel);
    EXPECT_EQ(Names(result), "Bob");
}

TEST_F(CKinshipFamilyTest, CollectsThePartnerOfEverySpouseFamily)
{
    // Una's sex is not recorded: her partner is taken as the wife, which is Una herself here,
    // so the husband is taken instead.
    CIndRec* una = Person("Una");
    CIndRec* vic = Person("Vic");
    Family(vic, una, {});
    CMapPtrToWord result;
    CollectSpouses(Set({P("Ann"), P("Carl"), P("Sam"), una}), result, nullptr);
    EXPECT_EQ(Names(result), "Bob Cora Fred Vic");
    result.clear();
    CollectSpouses(Set({vic}), result, nullptr);
    EXPECT_EQ(Names(result), "Una");
}

TEST_F(CKinshipTest, PedigreeLoopsEnd)
{
    // Ada is her own grandmother, and Cy is his own father.
    CIndRec* ada = Person("Ada", SEX_FEMALE);
    CIndRec* ben = Person("Ben", SEX_MALE);
    CIndRec* cy = Person("Cy", SEX_MALE);
    Family(ben, nullptr, {ada});
    Family(nullptr, ada, {ben});
    Family(cy, nullptr, {cy});
    CMapPtrToWord result;
    CKinshipMarks marks;
    MarkAncestors(ada, result, 0, marks);
    EXPECT_EQ(Names(result), "Ada Ben");
    EXPECT_EQ(marks.GetGeneration(ada), 2);
    result.clear();
    CollectDescendants(Set({ada, cy}), result, nullptr, 0);
    EXPECT_EQ(Names(result), "Ada Ben Cy");
    result.clear();
    CollectAncestors(Set({ada, cy}), result, nullptr, 5);
    EXPECT_EQ(Names(result), "Ada Ben Cy");

    std::int64_t number = 0;
    int count = 0;
    EXPECT_TRUE(FindAhnentafelNumber(cy, cy, number, count, 1, 10));
    EXPECT_EQ(number, 1);
    count = 3;
    EXPECT_TRUE(FindAhnentafelNumber(cy, cy, number, count, 1, 10));
    EXPECT_EQ(number, 8);
    count = 1000;
    EXPECT_FALSE(FindAhnentafelNumber(ada, cy, number, count, 1, 1000));
    EXPECT_EQ(count, 1000);
}

TEST_F(CKinshipTest, RepeatedLinksAreFollowedOnce)
{
    // Every family link of a loaded file repeated: two FAMC, FAMS, CHIL, HUSB and WIFE links
    // to the same record.
    CIndRec* dad = Person("Dad", SEX_MALE);
    CIndRec* mum = Person("Mum", SEX_FEMALE);
    CIndRec* kid = Person("Kid", SEX_MALE);
    CFamRec* family = Family(dad, mum, {kid});
    LinkBothWays(family, FIELD_CHIL, kid, FIELD_FAMC);
    LinkBothWays(family, FIELD_HUSB, dad, FIELD_FAMS);
    LinkBothWays(family, FIELD_WIFE, mum, FIELD_FAMS);
    CMapPtrToWord result;
    CollectAncestors(Set({kid}), result, nullptr, 0);
    EXPECT_EQ(Names(result), "Dad Mum");
    result.clear();
    CollectDescendants(Set({dad, mum}), result, nullptr, 0);
    EXPECT_EQ(Names(result), "Kid");
    result.clear();
    CollectSpouses(Set({dad, mum}), result, nullptr);
    EXPECT_EQ(Names(result), "Dad Mum");
    bool notFound = true;
    EXPECT_EQ(GetRelationPoolNumber(kid, notFound), 1);
    EXPECT_FALSE(notFound);
}

TEST_F(CKinshipTest, PoolNumbersFollowTheRecordOrder)
{
    CIndRec* loner = Person("Loner");
    CIndRec* a = Person("A", SEX_MALE);
    CIndRec* b = Person("B", SEX_FEMALE);
    CIndRec* c = Person("C");
    CIndRec* d = Person("D", SEX_MALE);
    CIndRec* e = Person("E");
    CIndRec* f = Person("F", SEX_FEMALE);
    const std::vector<CFamRec*> families = {
        Family(a, nullptr, {c}),
        Family(d, b, {}), // B and D join A's group through C's second parent family
        Family(nullptr, b, {c}),
        Family(nullptr, f, {e}),
    };
    const std::vector<std::pair<CIndRec*, int>> expected = {{loner, 1}, {a, 2}, {b, 2}, {c, 2},
                                                            {d, 2},     {e, 3}, {f, 3}};
    // The groups and their numbers follow the records, whatever their record numbers: in
    // record order, against it, shared, missing or far beyond the count.
    const auto renumber = [&](std::vector<std::int32_t> people, std::vector<std::int32_t> fams) {
        for (std::size_t i = 0; i < expected.size(); ++i)
            expected[i].first->SetRecordNumber(people[i]);
        for (std::size_t i = 0; i < families.size(); ++i)
            families[i]->SetRecordNumber(fams[i]);
    };
    const std::vector<std::pair<std::vector<std::int32_t>, std::vector<std::int32_t>>> numberings =
        {{{1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 4}}, {{7, 6, 5, 4, 3, 2, 1}, {4, 3, 2, 1}},
         {{1, 2, 3, 4, 5, 6, 7}, {2, 1, 2, 3}}, {{3, 2, 1, 3, 5, 6, 7}, {1, 2, 3, 4}},
         {{1, 2, 0, 4, 5, 6, 7}, {1, 2, 3, 4}}, {{1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 900000}}};
    bool notFound = true;
    for (const auto& [people, fams] : numberings) {
        renumber(people, fams);
        ASSERT_TRUE(AcquireKinshipMap());
        for (const auto& [individual, pool] : expected) {
            EXPECT_EQ(GetRelationPoolNumber(individual, notFound), pool)
                << Name(individual) << " numbered " << individual->GetRecordNumber();
            EXPECT_FALSE(notFound);
        }
        ReleaseKinshipMap();
    }
    renumber({1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 4});
    ASSERT_TRUE(AcquireKinshipMap());
    // A map in use is kept: someone added since is not in it until every user let go.
    CIndRec* late = Person("Late");
    ASSERT_TRUE(AcquireKinshipMap());
    ReleaseKinshipMap();
    EXPECT_EQ(GetRelationPoolNumber(late, notFound), 0);
    EXPECT_TRUE(notFound);
    ReleaseKinshipMap();
    EXPECT_EQ(GetRelationPoolNumber(late, notFound), 4);
    EXPECT_FALSE(notFound);
}

TEST_F(CKinshipTest, AFamilyJoinsItsMembersOnlyWhenSomeoneNamesIt)
{
    CIndRec* child = Person("Child");
    CIndRec* father = Person("Father", SEX_MALE);
    CIndRec* named = Person("Named");
    CIndRec* wife = Person("Wife", SEX_FEMALE);
    // A family that no one names back: its links alone join no one.
    CFamRec* unnamed = Family(nullptr, nullptr, {});
    LinkOneWay(unnamed, FIELD_CHIL, child);
    LinkOneWay(unnamed, FIELD_HUSB, father);
    // A family named by one link: it joins everyone it names as well.
    CFamRec* family = Family(nullptr, nullptr, {});
    LinkOneWay(named, FIELD_FAMC, family);
    LinkOneWay(family, FIELD_WIFE, wife);
    ASSERT_TRUE(AcquireKinshipMap());
    const std::vector<std::pair<CIndRec*, int>> expected = {
        {child, 1}, {father, 2}, {named, 3}, {wife, 3}};
    for (const auto& [individual, pool] : expected) {
        bool notFound = true;
        EXPECT_EQ(GetRelationPoolNumber(individual, notFound), pool) << Name(individual);
        EXPECT_FALSE(notFound);
    }
    bool notFound = false;
    EXPECT_EQ(GetRelationPoolNumber(nullptr, notFound), 0);
    EXPECT_TRUE(notFound);
    ReleaseKinshipMap();
}

TEST_F(CKinshipTest, GroupsAreLookedUpSafelyWhileAnotherThreadTakesAndDropsTheMap)
{
    CIndRec* a = Person("A", SEX_MALE);
    CIndRec* b = Person("B", SEX_FEMALE);
    Family(a, b, {});
    std::atomic<bool> asking = true;
    std::atomic<int> wrong = 0;
    // A query row on the worker thread asks while a window takes and drops the map; without
    // the map's lock the map is freed under the lookup (AddressSanitizer, ThreadSanitizer).
    std::thread window([&] {
        while (asking) {
            AcquireKinshipMap();
            ReleaseKinshipMap();
        }
    });
    for (int i = 0; i < 2000; ++i) {
        bool notFound = true;
        if (GetRelationPoolNumber(i % 2 ? a : b, notFound) != 1 || notFound)
            ++wrong;
    }
    asking = false;
    window.join();
    EXPECT_EQ(wrong, 0);
}

TEST_F(CKinshipFamilyTest, AhnentafelNumbersCountFatherFirst)
{
    struct Row {
        const char* target;
        int count;
        int generations;
        std::int64_t expected; // 0: not found
    };
    const Row rows[] = {
        {"Dan", 0, 1, 1},   {"Carl", 0, 2, 2},  {"Ann", 0, 3, 5},
        {"Mary", 0, 4, 11}, {"Walt", 0, 5, 22}, {"Walt", 0, 4, 0},
        {"Pete", 0, 9, 0},  {"Dan", 1, 9, 0},   {"Dan", -1, 9, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target);
        std::int64_t number = 0;
        int count = row.count;
        const bool found =
            FindAhnentafelNumber(P("Dan"), P(row.target), number, count, 1, row.generations);
        EXPECT_EQ(found ? number : 0, row.expected);
    }
}

TEST_F(CKinshipTest, AhnentafelCountSelectsTheOccurrence)
{
    // Cousins Ray and Sue (children of the siblings Tom and Uma, children of Vin) are the
    // parents of Wes: Vin is Wes's father's father's father (8) and mother's mother's father
    // (14).
    CIndRec* vin = Person("Vin", SEX_MALE);
    CIndRec* tom = Person("Tom", SEX_MALE);
    CIndRec* uma = Person("Uma", SEX_FEMALE);
    CIndRec* ray = Person("Ray", SEX_MALE);
    CIndRec* sue = Person("Sue", SEX_FEMALE);
    CIndRec* wes = Person("Wes", SEX_MALE);
    Family(vin, nullptr, {tom, uma});
    Family(tom, nullptr, {ray});
    Family(nullptr, uma, {sue});
    Family(ray, sue, {wes});
    std::int64_t number = 0;
    int count = 0;
    ASSERT_TRUE(FindAhnentafelNumber(wes, vin, number, count, 1, 4));
    EXPECT_EQ(number, 8);
    count = 1;
    ASSERT_TRUE(FindAhnentafelNumber(wes, vin, number, count, 1, 4));
    EXPECT_EQ(number, 14);
    count = 2;
    EXPECT_FALSE(FindAhnentafelNumber(wes, vin, number, count, 1, 4));
    EXPECT_EQ(count, 0);
    count = 0;
    EXPECT_FALSE(FindAhnentafelNumber(wes, vin, number, count, 1, 3));
}

} // namespace
