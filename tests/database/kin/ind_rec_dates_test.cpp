// tests/database/kin/ind_rec_dates_test.cpp: tests of an individual's life dates, ages, sort order
// and the order of spouse families and children.
#include "tests/database/kin/ind_rec_test_support.h"

#include "database/dictionary/qualifier_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace ind_test;
using namespace record_test;

namespace {

struct LifeDatesCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> events; // tag, date
    const char* expected;
};

class IndRecLifeDates : public IndRecTest, public ::testing::WithParamInterface<LifeDatesCase> {};

TEST_P(IndRecLifeDates, ComposeBirthAndDeath)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    for (const auto& [tag, date] : GetParam().events)
        Event(person, tag, date);
    char buffer[100];
    EXPECT_STREQ(person->GetLifeDates(buffer, 45), GetParam().expected);
    EXPECT_STREQ(person->GetLifeDates(buffer, 44), "") << "a buffer under 45 bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndRecLifeDates,
    ::testing::Values(
        LifeDatesCase{"BirthAndDeath", {{"BIRT", "1850"}, {"DEAT", "1920"}}, "1850-1920"},
        LifeDatesCase{
            "ChristeningAndBurial", {{"CHR", "1850"}, {"BURI", "1920"}}, "chr.1850, bur.1920"},
        LifeDatesCase{"BirthAndBurial", {{"BIRT", "1850"}, {"BURI", "1920"}}, "b.1850, bur.1920"},
        LifeDatesCase{"DeathOnly", {{"DEAT", "1920"}}, " -1920"},
        LifeDatesCase{"BurialOnly", {{"BURI", "1920"}}, "bur.1920"},
        LifeDatesCase{"BirthOnly", {{"BIRT", "1850"}}, "1850- "},
        LifeDatesCase{"BaptismOnly", {{"BAPM", "1851"}}, "bap.1851"},
        LifeDatesCase{"PhraseIsNoDate", {{"BIRT", "(in the war)"}, {"CHR", "1850"}}, "chr.1850"},
        LifeDatesCase{"BirthAfterOtherEvents",
                      {{"BURI", "1921"}, {"CHR", "1850"}, {"DEAT", "1920"}, {"BIRT", "1849"}},
                      "1849-1920"},
        LifeDatesCase{"DeathRangeEnds", {{"DEAT", "BET 1910 AND 1920"}}, " -bef1920"},
        LifeDatesCase{"None", {}, " - "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndRecTest, TheSortKeyEstimatesABirthFromADeath)
{
    CIndRec* buried1900 = Person(SEX_MALE, "Al");
    Event(buried1900, "BURI", "1900");
    CIndRec* buried30 = Person(SEX_MALE, "Al");
    Event(buried30, "BURI", "30");
    const struct {
        CIndRec* person;
        const char* born;
        int expected;
    } rows[] = {{buried1900, "1850", 0},  {buried1900, "1851", -1}, {buried1900, "1849", 1},
                {buried30, "21 B.C.", 0}, {buried30, "22 B.C.", 1}, {buried30, "20 B.C.", -1}};
    for (const auto& row : rows) {
        CIndRec* other = Person(SEX_MALE, "Al", row.born);
        EXPECT_EQ(row.person->CompareByDate(other), row.expected) << row.born;
    }
    Prefs().m_stdLifeInYears = 70;
    EXPECT_EQ(buried1900->CompareByDate(Person(SEX_MALE, "Al", "1830")), 0);
    EXPECT_EQ(buried1900->CompareByDate(nullptr), -1);
    EXPECT_EQ(buried1900->CompareByDate(Person(SEX_MALE, "Al")), 1) << "only this one has a key";
}

TEST_F(IndRecTest, IndividualsSortByNameThenLaterBirthThenNumber)
{
    CIndRec* born1800 = Person(SEX_MALE, "Al /Ash/", "1800");
    CIndRec* undated = Person(SEX_MALE, "Al /Ash/");
    CIndRec* born1850 = Person(SEX_MALE, "Al /Ash/", "1850");
    CIndRec* twin = Person(SEX_MALE, "Al /Ash/", "1850");
    CIndRec* nameless = Person(SEX_MALE, "", "1900");
    CIndRec* other = Person(SEX_MALE, "Bo /Ash/", "1700");
    std::vector<CIndRec*> people = {other, undated, born1800, twin, nameless, born1850};
    std::sort(people.begin(), people.end(),
              [](const CIndRec* a, const CIndRec* b) { return a->Compare(b, 0) < 0; });
    EXPECT_EQ(people, (std::vector<CIndRec*>{nameless, born1850, twin, born1800, undated, other}));
}

TEST_F(IndRecTest, SortKeysReadOnceOrderAsCompareDoes)
{
    // Surnames marked and not, equal leads, case, accents, no name, dates and their absence:
    // every pair and every name format the lists sort by.
    const std::vector<CIndRec*> people = {Person(SEX_MALE, "Al /Ash/", "1800"),
                                          Person(SEX_MALE, "al /ASH/"),
                                          Person(SEX_MALE, "Al /Ashton/", "1850"),
                                          Person(SEX_FEMALE, "Zoë /Ashby/", "1850"),
                                          Person(SEX_MALE, "Bo Ash"),
                                          Person(SEX_MALE, "", "1900"),
                                          Person(SEX_MALE, "Ed /Émile/", "BET 1700 AND 1710"),
                                          Person(SEX_MALE, "/Ash/ Al"),
                                          Person(SEX_MALE, "Cy //"),
                                          Person(SEX_MALE, "Al /Ash/ Jr", "ABT 1800")};
    for (const int format : {0, int(QUAL_SURNAME_FIRST), int(QUAL_GIVEN)})
        for (const CIndRec* a : people)
            for (const CIndRec* b : people) {
                std::string an, bn;
                a->GetText(an, 0);
                b->GetText(bn, 0);
                EXPECT_EQ(CIndRec::CompareSortKeys(a->GetSortKey(format), b->GetSortKey(format)),
                          a->Compare(b, format))
                    << an << " / " << bn << " format " << format;
            }
}

TEST_F(IndRecTest, SpouseFamiliesGoInMarriageOrder)
{
    CIndRec* man = Person(SEX_MALE, "Al");
    CFamRec* undated = Marry(man, Person(SEX_FEMALE, "Cy"));
    CFamRec* later = Marry(man, Person(SEX_FEMALE, "Di"));
    CFamRec* earlier = Marry(man, Person(SEX_FEMALE, "Em"));
    CFamRec* after = Marry(man, Person(SEX_FEMALE, "Fay"));
    Event(later, "MARR", "1850");
    Event(earlier, "MARR", "1840");
    Event(after, "MARR", "AFT 1840");
    EXPECT_TRUE(man->ReorderData(true, false, false, false, false));
    EXPECT_EQ(Links(man, FIELD_FAMS), (std::vector<CRecordNode*>{undated, earlier, after, later}));
    EXPECT_FALSE(man->SortSpouseFamilies()) << "nothing left to move";
}

TEST_F(IndRecTest, ChildrenGoInBirthOrderAndUndatedOnesStay)
{
    CIndRec* a = Person(SEX_MALE, "A", "1850");
    CIndRec* b = Person(SEX_MALE, "B", "ABT 1845");
    CIndRec* c = Person(SEX_MALE, "C");
    CFamRec* family = Marry(nullptr, nullptr, {a, b, c});
    EXPECT_TRUE(family->ReorderData(false, true, false, false, false));
    EXPECT_EQ(family->GetNextChild(nullptr), b);
    EXPECT_EQ(family->GetNextChild(b), a);
    EXPECT_EQ(family->GetNextChild(a), c);
}

struct AgeCase {
    const char* name;
    const char* born;
    const char* tag; // the event's tag, under the individual (role 0) or a family (role 1)
    const char* date;
    const char* age; // stored AGE, or null
    int role;
    bool storedOnly;
    bool brackets;
    const char* expected;
};

class IndRecAgeAtEvent : public IndRecTest, public ::testing::WithParamInterface<AgeCase> {};

TEST_P(IndRecAgeAtEvent, ShowsTheStoredOrComputedAge)
{
    const AgeCase& c = GetParam();
    CIndRec* person = Person(SEX_MALE, "Al", c.born);
    CDataNode* holder = person;
    if (c.role == AGE_ROLE_FAMILY_EVENT)
        holder = Marry(person, nullptr);
    CDataNode* event = Event(holder, c.tag, c.date);
    if (c.age && c.role == AGE_ROLE_FAMILY_EVENT)
        SetField(SetField(event, "HUSB", ""), "AGE", c.age);
    else if (c.age)
        SetField(event, "AGE", c.age);
    std::string text = "old";
    FormatAgeAtEvent(*person, text, *event, c.role, c.storedOnly, c.brackets);
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndRecAgeAtEvent,
    ::testing::Values(
        AgeCase{"Computed", "1850", "DEAT", "1880", nullptr, 0, false, false, "29-30"},
        AgeCase{"Exact", "5 JUN 1850", "DEAT", "10 JUN 1880", nullptr, 0, false, true, "(30)"},
        AgeCase{"BeforeBirth", "1 JAN 1850", "RESI", "1 JAN 1840", nullptr, 0, false, false,
                "-10 (!)"},
        AgeCase{"StoredAgrees", "1 JAN 1850", "DEAT", "2 JAN 1890", "40", 0, false, false,
                "40 yrs"},
        AgeCase{"StoredDisagrees", "1 JAN 1850", "DEAT", "2 JAN 1890", "30", 0, false, false,
                "30 yrs (!)"},
        AgeCase{"StoredOnlyWithout", "1850", "DEAT", "1890", nullptr, 0, true, false, ""},
        AgeCase{"OwnBirth", "1850", "BIRT", "1850", nullptr, 0, false, false, ""},
        AgeCase{"HusbandsAge", "1 JAN 1850", "MARR", "2 JAN 1875", "25", 1, false, false, "25 yrs"},
        AgeCase{"OtherRoleStoredOnly", "1850", "DEAT", "1890", nullptr, 2, true, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndRecTest, APartnerOfUnknownSexReadsTheFamilyEventsOwnAge)
{
    CIndRec* partner = Person(SEX_UNDETERMINED, "Sky", "1 JAN 1850");
    CFamRec* family = Marry(nullptr, nullptr);
    CDataNode* marriage = Event(family, "MARR", "2 JAN 1875");
    SetField(marriage, "AGE", "25");
    SetField(SetField(marriage, "HUSB", ""), "AGE", "40");
    std::string text;
    FormatAgeAtEvent(*partner, text, *marriage, AGE_ROLE_FAMILY_EVENT, true, false);
    EXPECT_EQ(text, "25 yrs");
    FormatAgeAtEvent(*Person(SEX_MALE, "Al", "1 JAN 1835"), text, *marriage, AGE_ROLE_FAMILY_EVENT,
                     true, false);
    EXPECT_EQ(text, "40 yrs") << "a husband reads his own part";
}

TEST_F(IndRecTest, AgesAndReportNames)
{
    CIndRec* person = Person(SEX_MALE, "John /Smith/", "5 JUN 1700");
    Event(person, "DEAT", "1760");
    const CDateValue at(1750, 6, 4);
    bool noAge = true;
    EXPECT_EQ(person->GetAgeAtDate(at, noAge), 49);
    EXPECT_FALSE(noAge);
    EXPECT_EQ(Person(SEX_MALE, "Nobody")->GetAgeAtDate(at, noAge), 0);
    EXPECT_TRUE(noAge);
    std::string text = "Seen: ";
    person->FormatNameForReport(text, true, true, true);
    EXPECT_EQ(text,
              "Seen: John Smith (1700-1760) [" + std::to_string(person->GetRecordNumber()) + "]");
    person->FormatNameForReport(text, false, false, false);
    EXPECT_EQ(text, "John Smith");
}

} // namespace
