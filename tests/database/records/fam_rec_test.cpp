// tests/database/records/fam_rec_test.cpp: tests of the family record: walks over duplicate links,
// linking, title, match score and menu.
#include "database/document/merge_record_map.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

using namespace record_test;

namespace {

class FamRecTest : public CRecordTest {
protected:
    /// Every child a walk from the first meets, in order; stops (failing) after 100 steps.
    std::vector<CIndRec*> WalkChildren(const CFamRec* family)
    {
        std::vector<CIndRec*> children;
        for (CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child)) {
            children.push_back(child);
            if (children.size() > 100) {
                ADD_FAILURE() << "the walk does not end";
                break;
            }
        }
        return children;
    }
};

TEST_F(FamRecTest, DuplicateChildLinksWalkEachChildOnceAndEnd)
{
    CRecordNode* family = LoadRecord(kFam, "F1");
    CRecordNode* first = LoadRecord(kIndi, "I1");
    CRecordNode* second = LoadRecord(kIndi, "I2");
    for (const char* xref : {"@I1@", "@I2@", "@I1@", "@I9@", "@I2@"})
        LoadLink(family, "CHIL", xref);
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    const CFamRec* fam = AsFamily(family);
    EXPECT_EQ(WalkChildren(fam),
              (std::vector<CIndRec*>{AsIndividual(first), AsIndividual(second)}));
    EXPECT_EQ(fam->CountChildren(), 4);
    int actual = 0;
    EXPECT_EQ(fam->GetChildAt(2, actual), first);
    EXPECT_EQ(fam->GetChildAt(9, actual), second);
    EXPECT_EQ(actual, 3);
    bool notApplicable = true;
    EXPECT_EQ(fam->CountLinkedChildren(notApplicable), 4);
    EXPECT_FALSE(notApplicable);
}

TEST_F(FamRecTest, DuplicateFamilyLinksOfAnIndividualWalkEachFamilyOnce)
{
    CRecordNode* person = LoadRecord(kIndi, "I1");
    CRecordNode* a = LoadRecord(kFam, "F1");
    CRecordNode* b = LoadRecord(kFam, "F2");
    for (const char* xref : {"@F1@", "@F2@", "@F1@"})
        LoadLink(person, "FAMS", xref);
    LoadLink(person, "FAMC", "@F2@");
    LoadLink(person, "FAMC", "@F2@");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    const CIndRec* individual = AsIndividual(person);
    std::vector<CFamRec*> families;
    for (CFamRec* family = individual->GetNextSpouseFamily(nullptr); family && families.size() < 10;
         family = individual->GetNextSpouseFamily(family))
        families.push_back(family);
    EXPECT_EQ(families, (std::vector<CFamRec*>{AsFamily(a), AsFamily(b)}));
    EXPECT_EQ(individual->GetNextParentFamily(nullptr), b);
    EXPECT_EQ(individual->GetNextParentFamily(AsFamily(b)), nullptr);
    EXPECT_EQ(individual->GetNextSpouseFamily(AsFamily(NewFamily())), nullptr);
    EXPECT_EQ(individual->CountSpouseFamilies(false), 3);
}

TEST_F(FamRecTest, LinkingAChildTwiceAddsOneLink)
{
    CFamRec* family = NewFamily();
    CIndRec* child = NewIndividual();
    family->LinkChild(child, nullptr);
    family->LinkChild(child, nullptr);
    EXPECT_EQ(LinksTo(family, child), "CHIL");
    EXPECT_EQ(LinksTo(child, family), "FAMC");
    CIndRec* elder = NewIndividual();
    family->LinkChild(elder, dynamic_cast<CAssocNode*>(family->FindChild(nullptr, FIELD_CHIL)));
    EXPECT_EQ(family->GetNextChild(nullptr), elder);
}

TEST_F(FamRecTest, LinkingASpouseFollowsTheSex)
{
    CFamRec* family = NewFamily();
    CIndRec* man = NewIndividual(SEX_MALE);
    CIndRec* person = NewIndividual();
    EXPECT_TRUE(family->LinkSpouse(man, SEX_FEMALE));
    EXPECT_EQ(family->GetHusband(), man);
    EXPECT_FALSE(family->LinkSpouse(NewIndividual(SEX_MALE), SEX_MALE)) << "the place is taken";
    EXPECT_FALSE(family->LinkSpouse(person, SEX_UNDETERMINED));
    EXPECT_TRUE(family->LinkSpouse(person, SEX_FEMALE));
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    EXPECT_EQ(person->GetSpouseInFamily(family), man);
    EXPECT_EQ(man->GetSpouseInFamily(family), person);
    EXPECT_TRUE(family->SwapPartners());
    EXPECT_EQ(family->GetHusband(), person);
    EXPECT_EQ(family->GetWife(), man);
}

struct TitleCase {
    const char* name;
    const char* husband; // null: none
    const char* wife;
    const char* title; // %H and %W stand for the partners' display texts
};

class FamRecTitle : public FamRecTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(FamRecTitle, NamesThePartners)
{
    const TitleCase& c = GetParam();
    CFamRec* family = NewFamily();
    std::string expected = c.title;
    const auto put = [&](const char* mark, const char* tag, const char* name, int sex) {
        if (!name)
            return;
        CIndRec* partner = NewIndividual(sex, name);
        Link(family, tag, partner);
        std::string text;
        partner->GetText(text, 0);
        if (const std::size_t at = expected.find(mark); at != std::string::npos)
            expected.replace(at, 2, text);
    };
    put("%H", "HUSB", c.husband, SEX_MALE);
    put("%W", "WIFE", c.wife, SEX_FEMALE);
    std::string title;
    family->GetTitle(title);
    EXPECT_EQ(title, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, FamRecTitle,
    ::testing::Values(TitleCase{"Both", "John /Ash/", "Mary /Bell/", "Family of %H and %W"},
                      TitleCase{"OnlyWife", nullptr, "Mary /Bell/", "Family of %W"},
                      TitleCase{"Neither", nullptr, nullptr, "Family of (parents not known)"},
                      TitleCase{"Nameless", "", "Mary /Bell/", "Family of (no name) and %W"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FamRecTest, MatchScoreFollowsThePairing)
{
    CFamRec* mine = NewFamily();
    CFamRec* theirs = NewFamily();
    CIndRec* people[4];
    for (int i = 0; i < 4; ++i)
        people[i] = NewIndividual(i % 2 ? SEX_FEMALE : SEX_MALE);
    Link(mine, "HUSB", people[0]);
    Link(mine, "WIFE", people[1]);
    Link(theirs, "HUSB", people[2]);
    Link(theirs, "WIFE", people[3]);
    CMergeRecordMap map;
    map.m_tables[2] = {{people[0], people[2]}, {people[1], people[3]}};
    EXPECT_EQ(mine->MatchScore(theirs, &map), 100);
    map.m_tables[2][people[1]] = people[0];
    EXPECT_EQ(mine->MatchScore(theirs, &map), -50);
    EXPECT_EQ(mine->MatchScore(NewRecord(kNote), &map), -10000);
}

TEST_F(FamRecTest, ChildrenCountWhenAPartnerIsMissing)
{
    CFamRec* mine = NewFamily();
    CFamRec* theirs = NewFamily();
    CIndRec* a = NewIndividual();
    CIndRec* b = NewIndividual();
    mine->LinkChild(a, nullptr);
    theirs->LinkChild(b, nullptr);
    CMergeRecordMap map;
    map.m_tables[2] = {{a, b}};
    EXPECT_EQ(mine->MatchScore(theirs, &map), 25);
}

TEST_F(FamRecTest, ContextMenuSortsTheAddItems)
{
    CFamRec* family = NewFamily();
    CTextMenu menu;
    family->AddContextMenu(menu);
    ASSERT_EQ(menu.m_items.size(), 9u);
    EXPECT_EQ(menu.m_items[0], "Add Husband:1");
    EXPECT_EQ(menu.m_items[2], "Add Child:1");
    EXPECT_EQ(menu.m_items[3].substr(0, 10), "Add Event:");
    EXPECT_EQ(menu.m_items[7], "-");
    EXPECT_EQ(menu.m_items[8], "Properties 32802");
    EXPECT_EQ(menu.m_popups[0], std::vector<std::string>{"Add Husband 25072"});
    EXPECT_EQ(menu.m_popups[4].back(), "LDS:1") << "the LDS submenu closes Miscellaneous";
    EXPECT_EQ(menu.m_popups[3].front().substr(0, 14), "Add Annulment ");
}

} // namespace
