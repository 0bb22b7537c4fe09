// tests/database/records/fam_rec_edit_test.cpp: tests of a family's sort order and of adding and
// linking its partners.
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ind_test;
using namespace record_test;

namespace {

class FamRecEditTest : public CIndRecTest {};

TEST_F(FamRecEditTest, FamiliesSortByHusbandThenWifeWithTheMissingLast)
{
    CIndRec* al = Person(SEX_MALE, "Al /Ash/");
    CFamRec* ashBell = Marry(al, Person(SEX_FEMALE, "Di /Bell/"));
    CFamRec* ashAdams = Marry(al, Person(SEX_FEMALE, "Cy /Adams/"));
    CFamRec* ashAlone = Marry(al, nullptr);
    CFamRec* wifeOnly = Marry(nullptr, Person(SEX_FEMALE, "Ann /Able/"));
    CFamRec* nobody = Marry(nullptr, nullptr);
    CFamRec* zed = Marry(Person(SEX_MALE, "Zed /Zane/"), nullptr);
    std::vector<CFamRec*> families = {nobody, wifeOnly, zed, ashAlone, ashBell, ashAdams};
    std::sort(families.begin(), families.end(),
              [](const CFamRec* a, const CFamRec* b) { return a->Compare(b, 0) < 0; });
    EXPECT_EQ(families,
              (std::vector<CFamRec*>{ashAdams, ashBell, ashAlone, zed, wifeOnly, nobody}));
}

TEST_F(FamRecEditTest, ANewSpouseFillsTheMissingPlaceOrAsks)
{
    CFamRec* family = Marry(nullptr, Person(SEX_FEMALE, "Eve"));
    bool cancelled = true;
    CIndRec* husband = family->AddNewSpouse(SEX_FEMALE, cancelled);
    ASSERT_NE(husband, nullptr);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(family->GetHusband(), husband);
    EXPECT_EQ(husband->GetSex(), SEX_MALE);
    EXPECT_EQ(family->AddNewSpouse(SEX_MALE, cancelled), nullptr) << "both places taken";

    CFamRec* empty = Marry(nullptr, nullptr);
    m_dialogs.m_sexes = {-1, SEX_FEMALE};
    EXPECT_EQ(empty->AddNewSpouse(SEX_UNDETERMINED, cancelled), nullptr);
    EXPECT_TRUE(cancelled);
    CIndRec* wife = empty->AddNewSpouse(SEX_UNDETERMINED, cancelled);
    EXPECT_EQ(empty->GetWife(), wife);
    EXPECT_EQ(m_dialogs.m_sexAsked,
              (std::vector<std::string>{"new parent/spouse", "new parent/spouse"}));
    EXPECT_EQ(CountRecords(kIndi), 3);
}

TEST_F(FamRecEditTest, LinkingAnExistingParentAsksAnUnknownSexOrSaysWhyNot)
{
    CFamRec* family = Marry(nullptr, Person(SEX_FEMALE, "Eve"));
    CIndRec* unknown = Person(SEX_UNDETERMINED, "Sky");
    m_dialogs.m_selections = {Person(SEX_FEMALE, "Ann"), unknown};
    m_dialogs.m_sexes = {SEX_MALE};
    test_support::Prompt().Answer(IDOK);
    EXPECT_FALSE(family->LinkExistingParent(true));
    EXPECT_EQ(Messages(), std::vector<std::string>{"This family already has a mother/wife"});
    EXPECT_TRUE(family->LinkExistingParent(true));
    EXPECT_EQ(family->GetHusband(), unknown);
    EXPECT_EQ(unknown->GetSex(), SEX_MALE);
    const CRecordSelectRequest& request = m_dialogs.m_selectRequests.at(0);
    EXPECT_EQ(request.m_title, "Select Individual to Link as Father");
    EXPECT_EQ(request.m_filterFieldId, FIELD_HUSB);
    EXPECT_EQ(request.m_holder, family);
    EXPECT_FALSE(family->LinkExistingParent(true)) << "no dialog with both partners";
}

} // namespace
