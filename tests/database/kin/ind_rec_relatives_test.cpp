// tests/database/kin/ind_rec_relatives_test.cpp: tests of adding new parents, spouses and children
// of an individual, and linking existing ones.
#include "database/fields/name_node.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

using namespace ind_test;
using namespace record_test;

namespace {

/// The tags of a record's children in order, joined by blanks.
std::string Tags(const CDataNode* record)
{
    std::string tags;
    for (const CDataNode* child = record->GetFirstChild(); child; child = child->GetNextSibling())
        tags += (tags.empty() ? "" : " ") + std::string(child->GetFieldDef()->GetTag());
    return tags;
}

/// Takes the FAM root away for the life of a scope, so that no family record can be made.
class CNoFamilyRoot {
public:
    CNoFamilyRoot() : m_root(GetRecordTypeRoot(kFam)) { SetRecordTypeRoot(nullptr, kFamCode); }
    ~CNoFamilyRoot() { SetRecordTypeRoot(m_root, kFamCode); }
    CNoFamilyRoot(const CNoFamilyRoot&) = delete;
    CNoFamilyRoot& operator=(const CNoFamilyRoot&) = delete;

private:
    static constexpr int kFamCode = 1; // the FAM row of the table order
    CDataNode* m_root;
};

// ---- Creating relatives -------------------------------------------------------------------

TEST_F(IndRecTest, ANewParentTakesTheMissingPlaceWithoutAsking)
{
    CIndRec* child = Person(SEX_MALE, "Carl");
    CIndRec* father = Person(SEX_MALE, "Frank");
    CFamRec* family = Marry(father, nullptr, {child});
    bool cancelled = true;
    CIndRec* mother = child->AddNewParent(SEX_UNDETERMINED, cancelled);
    ASSERT_NE(mother, nullptr);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(mother->GetSex(), SEX_FEMALE);
    EXPECT_EQ(family->GetWife(), mother);
    EXPECT_EQ(child->AddNewParent(SEX_MALE, cancelled), nullptr) << "both parents are there";
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(CountRecords(kIndi), 3);
}

TEST_F(IndRecTest, ACancelledNewParentLeavesNothingBehind)
{
    CIndRec* child = Person(SEX_MALE, "Carl");
    m_dialogs.m_sexes = {-1};
    bool cancelled = false;
    EXPECT_EQ(child->AddNewParent(SEX_UNDETERMINED, cancelled), nullptr);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(m_dialogs.m_sexAsked, std::vector<std::string>{"new parent"});
    EXPECT_EQ(CountRecords(kFam), 0);
    EXPECT_EQ(child->CountParentFamilies(true), 0);
}

TEST_F(IndRecTest, ANewParentWithoutFamilyMakesOneAndReusesAnEmptyChildLink)
{
    CIndRec* child = Person(SEX_MALE, "Carl");
    child->CreateChildByTag("FAMC");
    bool cancelled = false;
    CIndRec* father = child->AddNewParent(SEX_MALE, cancelled);
    ASSERT_NE(father, nullptr);
    EXPECT_EQ(child->CountParentFamilies(true), 1) << "the empty FAMC was reused";
    EXPECT_EQ(child->GetParent(true, 0, false), father);
    EXPECT_EQ(LinksTo(child->GetNextParentFamily(nullptr), child), "CHIL");
}

TEST_F(IndRecTest, ANewSpouseOfAManMakesOneFamilyInDefinitionOrder)
{
    CIndRec* man = Person(SEX_MALE, "Sam", "1850");
    man->AddTextChild(FIELD_NOTE_TEXT, "a note");
    bool cancelled = false;
    CIndRec* wife = man->AddNewSpouse(nullptr, SEX_UNDETERMINED, cancelled);
    ASSERT_NE(wife, nullptr);
    EXPECT_EQ(CountRecords(kFam), 1);
    const CFamRec* family = man->GetNextSpouseFamily(nullptr);
    EXPECT_EQ(family->GetHusband(), man);
    EXPECT_EQ(family->GetWife(), wife);
    EXPECT_EQ(wife->GetSex(), SEX_FEMALE);
    const std::string tags = Tags(man);
    EXPECT_LT(tags.find("BIRT"), tags.find("FAMS"));
    EXPECT_LT(tags.find("FAMS"), tags.find("NOTE"));
}

TEST_F(IndRecTest, ASpouseFamilyRecordsAnAskedSexAndGoesBesideTheNearFamily)
{
    CIndRec* person = Person(SEX_UNDETERMINED, "Lee");
    m_dialogs.m_sexes = {SEX_FEMALE};
    bool cancelled = false;
    CFamRec* first = person->AddSpouseFamily(SEX_UNDETERMINED, nullptr, false, true, cancelled);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(m_dialogs.m_sexAsked, std::vector<std::string>{"Lee"});
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    EXPECT_EQ(first->GetWife(), person);
    CFamRec* last = person->AddSpouseFamily(SEX_MALE, nullptr, false, true, cancelled);
    CFamRec* before = person->AddSpouseFamily(SEX_MALE, last, true, true, cancelled);
    CFamRec* after = person->AddSpouseFamily(SEX_MALE, first, false, true, cancelled);
    EXPECT_EQ(Links(person, FIELD_FAMS), (std::vector<CRecordNode*>{first, after, before, last}));
    EXPECT_EQ(person->GetSex(), SEX_FEMALE) << "a recorded sex is not changed by the hint";
}

TEST_F(IndRecTest, AFamilyThatCannotBeMadeLeavesNoEmptyLinkBehind)
{
    CIndRec* person = Person(SEX_MALE, "Lou");
    bool cancelled = false;
    {
        const CNoFamilyRoot noRoot;
        EXPECT_EQ(person->AddSpouseFamily(SEX_MALE, nullptr, false, false, cancelled), nullptr);
        EXPECT_EQ(person->AddParentFamily(nullptr, false, false), nullptr);
        EXPECT_EQ(person->AddNewSpouse(nullptr, SEX_FEMALE, cancelled), nullptr);
    }
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(person->CountSpouseFamilies(true), 0);
    EXPECT_EQ(person->CountParentFamilies(true), 0);
    EXPECT_EQ(CountRecords(kIndi), 1);
}

TEST_F(IndRecTest, ANewChildTakesTheHusbandsSurnameWhenAsked)
{
    for (const bool autoAdd : {true, false}) {
        Prefs().m_autoAddSurnames = autoAdd;
        CIndRec* father = Person(SEX_MALE, "John /Smith/");
        CFamRec* family = Marry(father, Person(SEX_FEMALE, "Jane /Doe/"));
        bool cancelled = false;
        CIndRec* child = father->AddNewChild(family, SEX_UNDETERMINED, cancelled);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(family->GetNextChild(nullptr), child);
        const CNameNode* name = child->GetName();
        EXPECT_EQ(name ? name->GetSurname() : std::string(), autoAdd ? "Smith" : "") << autoAdd;
    }
}

// ---- Linking existing individuals ---------------------------------------------------------

TEST_F(IndRecTest, LinkingASpouseMakesTheirFamily)
{
    CIndRec* man = Person(SEX_MALE, "Tom");
    CIndRec* woman = Person(SEX_UNDETERMINED, "Tina");
    m_dialogs.m_selections = {woman};
    CFamRec* family = nullptr;
    bool linked = true;
    bool cancelled = true;
    EXPECT_EQ(man->LinkExistingSpouse(family, nullptr, false, linked, cancelled, true), woman);
    EXPECT_FALSE(linked);
    EXPECT_FALSE(cancelled);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetHusband(), man);
    EXPECT_EQ(family->GetWife(), woman);
    EXPECT_EQ(woman->GetSex(), SEX_FEMALE);
    const CRecordSelectRequest& request = m_dialogs.m_selectRequests.at(0);
    EXPECT_EQ(request.m_title, "Select Individual to Link as Wife");
    EXPECT_EQ(request.m_filterFieldId, FIELD_WIFE);
    EXPECT_TRUE(request.m_filterOn);
    EXPECT_EQ(request.m_root, GetRecordTypeRoot(kIndi));
}

TEST_F(IndRecTest, LinkingASpouseIntoAChosenFamilyFillsItsFreePlace)
{
    CIndRec* woman = Person(SEX_FEMALE, "Ruth");
    CFamRec* earlier = Marry(Person(SEX_MALE, "Abe"), woman);
    CFamRec* open = Marry(nullptr, woman, {Person(SEX_MALE, "Kid")});
    CIndRec* man = Person(SEX_UNDETERMINED, "Ron");
    m_dialogs.m_selections = {man};
    m_dialogs.m_families = {CFamilyChoice{true, open}};
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(woman->LinkExistingSpouse(family, earlier, true, linked, cancelled, true), man);
    EXPECT_TRUE(linked);
    EXPECT_EQ(family, open);
    EXPECT_EQ(open->GetHusband(), man);
    EXPECT_EQ(man->GetSex(), SEX_MALE);
    EXPECT_EQ(m_dialogs.m_familyModes, std::vector<int>{FCM_SPOUSE});
    EXPECT_EQ(m_dialogs.m_familySubjects.at(0), woman);
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_title, "Select Individual to Link as Husband");
    EXPECT_EQ(Links(woman, FIELD_FAMS), (std::vector<CRecordNode*>{open, earlier}))
        << "the chosen family's link moved before the near family's";
}

TEST_F(IndRecTest, LinkingSpousesOfUnknownSexAsksAboutTheChosenOne)
{
    CIndRec* person = Person(SEX_UNDETERMINED, "Alex");
    CIndRec* chosen = Person(SEX_UNDETERMINED, "Sam");
    m_dialogs.m_selections = {chosen};
    m_dialogs.m_sexes = {SEX_MALE};
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(person->LinkExistingSpouse(family, nullptr, false, linked, cancelled, true), chosen);
    EXPECT_EQ(m_dialogs.m_sexAsked, std::vector<std::string>{"Sam"});
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_title, "Select Individual to Link as Spouse");
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_filterFieldId, 0);
    EXPECT_EQ(chosen->GetSex(), SEX_MALE);
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetHusband(), chosen);
}

TEST_F(IndRecTest, ALinkThatFailsLeavesNoSexSettledForIt)
{
    CIndRec* person = Person(SEX_UNDETERMINED, "Alex");
    CIndRec* spouse = Person(SEX_UNDETERMINED, "Sam");
    CIndRec* parent = Person(SEX_UNDETERMINED, "Robin");
    bool linked = false;
    bool cancelled = false;
    {
        const CNoFamilyRoot noFamilies;
        CFamRec* family = nullptr;
        m_dialogs.m_selections = {spouse};
        m_dialogs.m_sexes = {SEX_MALE};
        EXPECT_EQ(person->LinkExistingSpouse(family, nullptr, false, linked, cancelled, true),
                  nullptr);
        m_dialogs.m_selections = {parent};
        m_dialogs.m_sexes = {SEX_FEMALE};
        EXPECT_EQ(person->LinkExistingParent(family, nullptr, false, linked, cancelled, true),
                  nullptr);
    }
    EXPECT_EQ(m_dialogs.m_sexAsked, (std::vector<std::string>{"Sam", "Robin"}));
    for (CIndRec* individual : {person, spouse, parent}) {
        EXPECT_EQ(individual->GetSex(), SEX_UNDETERMINED);
        EXPECT_EQ(Tags(individual).find("SEX"), std::string::npos) << Tags(individual);
    }
}

TEST_F(IndRecTest, LinkingASpouseOfTheSameSexIsRefusedWithAReason)
{
    CIndRec* man = Person(SEX_MALE, "Al");
    m_dialogs.m_selections = {Person(SEX_MALE, "Bo")};
    test_support::Prompt().Answer(IDOK);
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(man->LinkExistingSpouse(family, nullptr, false, linked, cancelled, true), nullptr);
    EXPECT_EQ(Messages(), std::vector<std::string>{"The selected Individual has the same sex as "
                                                   "Al and cannot be linked as a spouse."});
    EXPECT_EQ(CountRecords(kFam), 0);
    m_dialogs.m_selections = {std::nullopt};
    EXPECT_EQ(man->LinkExistingSpouse(family, nullptr, false, linked, cancelled, true), nullptr);
    EXPECT_TRUE(cancelled);
}

TEST_F(IndRecTest, LinkingAChildMakesAFamilyOrJoinsTheChildsParents)
{
    CIndRec* father = Person(SEX_MALE, "Dan");
    CIndRec* child = Person(SEX_UNDETERMINED, "Kit");
    m_dialogs.m_selections = {child};
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(father->LinkExistingChild(family, nullptr, false, linked, cancelled, true, nullptr),
              child);
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetHusband(), father);
    EXPECT_EQ(child->GetNextParentFamily(nullptr), family);
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_filterFieldId, FIELD_CHIL);
    EXPECT_FALSE(m_dialogs.m_selectRequests.at(0).m_filterOn);

    CIndRec* stepFather = Person(SEX_MALE, "Hugh");
    m_dialogs.m_selections = {child};
    m_dialogs.m_families = {CFamilyChoice{true, family}};
    test_support::Prompt().Answer(IDOK);
    family = nullptr;
    EXPECT_EQ(
        stepFather->LinkExistingChild(family, nullptr, false, linked, cancelled, true, nullptr),
        nullptr);
    EXPECT_EQ(Messages(), std::vector<std::string>{"This family already has a father/husband"});
    EXPECT_EQ(m_dialogs.m_familyModes, std::vector<int>{FCM_PARENT_AND_CHILD});
    EXPECT_EQ(m_dialogs.m_familySubjects.at(0), child);
}

TEST_F(IndRecTest, LinkingASiblingJoinsItsParentsOrMakesNewOnes)
{
    CIndRec* person = Person(SEX_MALE, "Ed");
    CIndRec* sibling = Person(SEX_FEMALE, "Flo");
    CFamRec* parents = Marry(Person(SEX_MALE, "Pa"), nullptr, {sibling});
    m_dialogs.m_selections = {sibling};
    m_dialogs.m_families = {CFamilyChoice{true, parents}};
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(person->LinkExistingSibling(family, nullptr, false, linked, cancelled, true),
              sibling);
    EXPECT_TRUE(linked);
    EXPECT_EQ(family, parents);
    EXPECT_EQ(person->GetNextParentFamily(nullptr), parents);
    EXPECT_EQ(m_dialogs.m_familyModes, std::vector<int>{FCM_CHILDREN});

    CIndRec* orphan = Person(SEX_FEMALE, "Gil");
    m_dialogs.m_selections = {orphan};
    EXPECT_EQ(person->LinkExistingSibling(family, parents, true, linked, cancelled, true), orphan);
    EXPECT_FALSE(linked);
    EXPECT_EQ(Links(person, FIELD_FAMC), (std::vector<CRecordNode*>{family, parents}));
    EXPECT_EQ(orphan->GetNextParentFamily(nullptr), family);
}

struct ParentRefusal {
    const char* name;
    bool husbandThere; // else the wife is there
    int chosenSex;
    const char* title;
    const char* message;
};

class IndRecParentRefusal : public IndRecTest,
                            public ::testing::WithParamInterface<ParentRefusal> {};

TEST_P(IndRecParentRefusal, SaysWhyAndChangesNothing)
{
    const ParentRefusal& c = GetParam();
    CIndRec* child = Person(SEX_UNDETERMINED, "Joy");
    CIndRec* parent = Person(c.husbandThere ? SEX_MALE : SEX_FEMALE, "Pat");
    CFamRec* family =
        c.husbandThere ? Marry(parent, nullptr, {child}) : Marry(nullptr, parent, {child});
    CIndRec* chosen = Person(c.chosenSex, "Sky");
    m_dialogs.m_selections = {chosen};
    test_support::Prompt().Answer(IDOK);
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(child->LinkExistingParent(family, nullptr, false, linked, cancelled, true), nullptr);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_title, c.title);
    EXPECT_TRUE(m_dialogs.m_selectRequests.at(0).m_filterOn);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(chosen->GetSex(), c.chosenSex);
    EXPECT_EQ(chosen->CountSpouseFamilies(true), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndRecParentRefusal,
    ::testing::Values(
        ParentRefusal{"MaleAsMother", true, SEX_MALE, "Select Individual to Link as Mother",
                      "The selected Individual is male and cannot be linked as a mother."},
        ParentRefusal{"FemaleAsFather", false, SEX_FEMALE, "Select Individual to Link as Father",
                      "The selected Individual is female and cannot be linked as a father."},
        ParentRefusal{"UnknownAsMother", true, SEX_UNDETERMINED,
                      "Select Individual to Link as Mother",
                      "The sex of the selected Individual is not recorded.  Please record it "
                      "before linking the Individual as a mother."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndRecTest, LinkingAParentOfUnknownSexAsksAndMakesTheFamily)
{
    CIndRec* child = Person(SEX_UNDETERMINED, "Joy");
    CIndRec* parent = Person(SEX_UNDETERMINED, "Robin");
    m_dialogs.m_selections = {parent};
    m_dialogs.m_sexes = {SEX_FEMALE};
    CFamRec* family = nullptr;
    bool linked = false;
    bool cancelled = false;
    EXPECT_EQ(child->LinkExistingParent(family, nullptr, false, linked, cancelled, true), parent);
    EXPECT_EQ(m_dialogs.m_selectRequests.at(0).m_title, "Select Individual to Link as Parent");
    ASSERT_NE(family, nullptr);
    EXPECT_EQ(family->GetWife(), parent);
    EXPECT_EQ(child->GetParent(false, 0, false), parent);

    CFamRec* both = Marry(Person(SEX_MALE, "Pa"), Person(SEX_FEMALE, "Ma"));
    EXPECT_EQ(child->LinkExistingParent(both, nullptr, false, linked, cancelled, true), nullptr)
        << "no dialog for a family with both parents";
}

// ---- Unlinking ----------------------------------------------------------------------------

TEST_F(IndRecTest, UnlinkingRemovesBothLinksAndFamiliesLeftEmpty)
{
    CIndRec* man = Person(SEX_MALE, "Ike");
    CIndRec* wife = Person(SEX_FEMALE, "Ida");
    CFamRec* kept = Marry(man, wife, {Person(SEX_MALE, "Jon")});
    CFamRec* alone = Marry(man, nullptr);
    NotifyChanges(); // the families were made by an earlier edit
    m_dialogs.m_lists = {{RLA_OK, kept}, {RLA_OK, alone}, {RLA_NO_MEMORY, nullptr}};
    EXPECT_TRUE(UnlinkFromSpouseFamily(man));
    EXPECT_EQ(m_dialogs.m_listTitles.at(0), "Select spouse family to unlink from");
    EXPECT_EQ(m_dialogs.m_listRows, (std::vector<CRecordNode*>{kept, alone}));
    EXPECT_EQ(kept->GetHusband(), nullptr);
    EXPECT_EQ(kept->GetWife(), wife);
    EXPECT_FALSE(kept->IsPendingDeletion()) << "a family with members stays";
    EXPECT_TRUE(UnlinkFromSpouseFamily(man));
    EXPECT_EQ(CountRecords(kFam), 1) << "the family left without members went";
    EXPECT_EQ(man->CountSpouseFamilies(true), 0);
    CIndRec* child = kept->GetNextChild(nullptr);
    for (int i = 0; i < 2; ++i)
        test_support::Prompt().Answer(IDOK);
    EXPECT_FALSE(UnlinkFromParentFamily(child));
    EXPECT_EQ(m_dialogs.m_listTitles.back(), "Select parent family to unlink from");
    EXPECT_FALSE(UnlinkFromParentFamily(man));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Memory error", "The selected individual, Ike, does not "
                                                        "have a parent family to unlink from."}));
}

} // namespace
