// tests/database/kin/ind_rec_test.cpp: tests of an individual's family links: walks over parents,
// spouses and children, and the sex.
#include "database/fields/sex_node.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

using namespace ind_test;
using namespace record_test;

namespace {

/// Paul has two parent families (Gus and Gwen; Hal alone) and two marriages: Wilma (children
/// Ann, Ben) and Wendy (children Cal, Dot, Eve), linked in that order.
class IndRecNavigation : public CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_paul = Person(SEX_MALE, "Paul /Pry/");
        for (const char* name : {"Ann", "Ben", "Cal", "Dot", "Eve"})
            m_children.push_back(Person(SEX_UNDETERMINED, name));
        m_gus = Person(SEX_MALE, "Gus");
        m_hal = Person(SEX_MALE, "Hal");
        Marry(m_gus, Person(SEX_FEMALE, "Gwen"), {m_paul});
        Marry(m_hal, nullptr, {m_paul});
        m_wilma = Person(SEX_FEMALE, "Wilma");
        m_wendy = Person(SEX_FEMALE, "Wendy");
        m_first = Marry(m_paul, m_wilma, {m_children[0], m_children[1]});
        m_second = Marry(m_paul, m_wendy, {m_children[2], m_children[3], m_children[4]});
    }

    /// Every child a walk meets; stops (failing) after 50 steps.
    std::vector<CIndRec*> WalkChildren(const CIndRec* person, bool withoutPartnerOnly)
    {
        std::vector<CIndRec*> children;
        CFamRec* family = nullptr;
        for (CIndRec* child = person->GetNextChild(family, nullptr, withoutPartnerOnly); child;
             child = person->GetNextChild(family, child, withoutPartnerOnly)) {
            children.push_back(child);
            if (children.size() > 50) {
                ADD_FAILURE() << "the walk does not end";
                break;
            }
        }
        EXPECT_EQ(family, nullptr);
        return children;
    }

    CIndRec* m_paul = nullptr;
    CIndRec* m_gus = nullptr;
    CIndRec* m_hal = nullptr;
    CIndRec* m_wilma = nullptr;
    CIndRec* m_wendy = nullptr;
    CFamRec* m_first = nullptr;
    CFamRec* m_second = nullptr;
    std::vector<CIndRec*> m_children;
};

TEST_F(IndRecNavigation, ChildrenFollowTheFamiliesAndTheirLinksInOrder)
{
    EXPECT_EQ(WalkChildren(m_paul, false), m_children);
    EXPECT_TRUE(WalkChildren(m_paul, true).empty()) << "both families have a wife";
    bool notApplicable = true;
    EXPECT_EQ(m_paul->CountLinkedChildren(notApplicable), 5);
    EXPECT_FALSE(notApplicable);
    const struct {
        int index;
        bool lastWhenShort;
        int expected; // index into m_children, -1 for null
    } rows[] = {{0, false, 0},  {1, false, 1}, {2, false, 2},  {4, false, 4},
                {5, false, -1}, {9, true, 4},  {-1, false, -1}};
    for (const auto& row : rows) {
        CIndRec* expected = row.expected < 0 ? nullptr : m_children[std::size_t(row.expected)];
        EXPECT_EQ(m_paul->GetChild(row.index, row.lastWhenShort), expected) << row.index;
    }
}

TEST_F(IndRecNavigation, ParentsAndSpousesAreTakenByLinkPosition)
{
    EXPECT_EQ(m_paul->GetParent(true, 0, false), m_gus);
    EXPECT_EQ(m_paul->GetParent(true, 1, false), m_hal);
    EXPECT_EQ(m_paul->GetParent(false, 1, false), nullptr) << "Hal's family has no wife";
    EXPECT_EQ(m_paul->GetParent(true, 3, true), m_hal);
    EXPECT_EQ(m_paul->GetParent(true, 3, false), nullptr);
    EXPECT_EQ(m_paul->GetSpouse(0, false), m_wilma);
    EXPECT_EQ(m_paul->GetSpouse(1, false), m_wendy);
    EXPECT_EQ(m_paul->GetSpouse(7, true), m_wendy);
    EXPECT_EQ(m_wendy->GetSpouse(0, false), m_paul);
    EXPECT_EQ(m_paul->FindFamilyWithSpouse(m_wendy, nullptr), m_second);
    EXPECT_EQ(m_paul->FindFamilyWithSpouse(m_wilma, m_first), nullptr);
    EXPECT_EQ(m_wilma->FindFamilyWithSpouse(m_paul, nullptr), m_first);
    // Siblings: Cal's parent family lists its children in link order.
    const CFamRec* parents = m_children[2]->GetNextParentFamily(nullptr);
    EXPECT_EQ(parents, m_second);
    EXPECT_EQ(parents->GetNextChild(m_children[2]), m_children[3]);
}

TEST_F(IndRecTest, AnEmptyFirstSpouseLinkCountsOnlyForPositions)
{
    CIndRec* person = Person(SEX_FEMALE, "Ada");
    person->CreateChildByTag("FAMS");
    CIndRec* husband = Person(SEX_MALE, "Abe");
    CFamRec* family = Marry(husband, person);
    EXPECT_EQ(person->GetNextSpouseFamily(nullptr), family);
    EXPECT_EQ(person->GetSpouse(0, false), nullptr);
    EXPECT_EQ(person->GetSpouse(1, false), husband);
    EXPECT_EQ(person->CountSpouseFamilies(false), 1);
    EXPECT_EQ(person->CountSpouseFamilies(true), 2);
}

TEST_F(IndRecTest, WalksEndWhenAFileLinksAFamilyOrChildTwice)
{
    CRecordNode* person = LoadRecord(kIndi, "I1");
    LoadField(person, "SEX", "F");
    CRecordNode* wife = LoadRecord(kIndi, "I2");
    CRecordNode* elder = LoadRecord(kIndi, "I3");
    CRecordNode* younger = LoadRecord(kIndi, "I4");
    CRecordNode* husband = LoadRecord(kIndi, "I5");
    CRecordNode* a = LoadRecord(kFam, "F1");
    CRecordNode* b = LoadRecord(kFam, "F2");
    for (const char* xref : {"@F1@", "@F2@", "@F1@"})
        LoadLink(person, "FAMS", xref);
    LoadLink(a, "WIFE", "@I2@");
    for (const char* xref : {"@I3@", "@I3@", "@I4@"})
        LoadLink(a, "CHIL", xref);
    LoadLink(b, "HUSB", "@I5@");
    LoadLink(b, "CHIL", "@I4@");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    const CIndRec* individual = AsIndividual(person);
    const auto walk = [&](bool withoutPartnerOnly) {
        std::vector<CRecordNode*> children;
        CFamRec* family = nullptr;
        for (CIndRec* child = individual->GetNextChild(family, nullptr, withoutPartnerOnly);
             child && children.size() < 20;
             child = individual->GetNextChild(family, child, withoutPartnerOnly))
            children.push_back(child);
        return children;
    };
    EXPECT_EQ(walk(false), (std::vector<CRecordNode*>{elder, younger, younger}));
    EXPECT_EQ(walk(true), (std::vector<CRecordNode*>{elder, younger}))
        << "a female's families with a husband are skipped; F1 has only a wife";
    EXPECT_EQ(individual->GetChild(9, true), younger);
    EXPECT_EQ(individual->FindFamilyWithSpouse(AsIndividual(husband), nullptr), b);
    EXPECT_EQ(individual->FindFamilyWithSpouse(AsIndividual(wife), nullptr), nullptr)
        << "a female's spouse is the husband";
}

TEST_F(IndRecTest, TheSexComesFromTheFirstSexFieldThatIsNotEmpty)
{
    CIndRec* person = Person(SEX_UNDETERMINED, "Kim");
    CDataNode* empty = LoadField(person, "SEX", "");
    EXPECT_EQ(person->GetSex(), SEX_UNDETERMINED);
    LoadField(person, "SEX", "F");
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    EXPECT_TRUE(person->SetSex(SEX_MALE, false)) << "the first field is undetermined";
    EXPECT_EQ(dynamic_cast<CSexNode*>(empty)->GetValueIndex(), SEX_MALE);
    EXPECT_EQ(person->GetSex(), SEX_MALE);
    EXPECT_FALSE(person->SetSex(SEX_FEMALE, false)) << "a recorded sex needs force";
    EXPECT_TRUE(person->SetSex(SEX_FEMALE, true));
    EXPECT_TRUE(person->SetSex(SEX_UNDETERMINED, true));
    EXPECT_EQ(person->CountChildren(FIELD_SEX), 1) << "code 2 deletes the first field";
}

TEST_F(IndRecTest, APartnersSexIsGuarded)
{
    CIndRec* man = Person(SEX_MALE, "Max");
    Marry(man, Person(SEX_FEMALE, "Mia"));
    CDataNode* sex = man->FindChild(nullptr, FIELD_SEX);
    std::string reason;
    EXPECT_FALSE(man->CanModifyChild(sex, reason));
    EXPECT_EQ(reason, "You may not modify or delete an Individual's sex if he or she is a spouse "
                      "in a Family record.");
    EXPECT_FALSE(man->CanDeleteChild(sex, reason));
    test_support::Prompt().Answer(IDOK);
    man->DeleteChild(sex);
    EXPECT_EQ(Messages(), std::vector<std::string>{reason});
    EXPECT_EQ(man->GetSex(), SEX_MALE);
    dynamic_cast<CSexNode*>(sex)->SetSex(-1);
    man->DeleteChild(sex);
    EXPECT_EQ(man->CountChildren(FIELD_SEX), 0) << "an empty sex may go";
    EXPECT_TRUE(Person(SEX_MALE, "Solo")->CanModifyChild(sex, reason)) << "no spouse family";
}

TEST_F(IndRecTest, SwappingSexesExchangesThePartners)
{
    CIndRec* man = Person(SEX_MALE, "Tom");
    CIndRec* woman = Person(SEX_FEMALE, "Tess");
    CFamRec* family = Marry(man, woman);
    EXPECT_FALSE(man->SwapSexWithSpouse(SEX_UNDETERMINED));
    EXPECT_TRUE(man->SwapSexWithSpouse(SEX_FEMALE));
    EXPECT_EQ(man->GetSex(), SEX_FEMALE);
    EXPECT_EQ(woman->GetSex(), SEX_MALE);
    EXPECT_EQ(family->GetHusband(), woman);
    EXPECT_EQ(family->GetWife(), man);

    CIndRec* twice = Person(SEX_MALE, "Ted");
    CFamRec* first = Marry(twice, Person(SEX_FEMALE, "Una"));
    Marry(twice, Person(SEX_FEMALE, "Vi"));
    EXPECT_FALSE(twice->SwapSexWithSpouse(SEX_FEMALE));
    EXPECT_EQ(twice->GetSex(), SEX_MALE);
    EXPECT_EQ(first->GetHusband(), twice);
    CIndRec* single = Person(SEX_MALE, "Sid");
    EXPECT_TRUE(single->SwapSexWithSpouse(SEX_FEMALE)) << "without a family only the sex";
    EXPECT_EQ(single->GetSex(), SEX_FEMALE);
}

} // namespace
