// tests/database/nodes/change_tracking_test.cpp: Tests of change tracking: marks, the one notice
// per edit, stamps, deferred freeing, the family clean-up and the automatic source citation.
#include "database/nodes/change_hint.h"
#include "tests/database/nodes/node_test_support.h"

#include "common/preferences.h"
#include "platform/base/clock.h"

namespace node_test {
namespace {

using ChangeTrackingTest = CNodeTest;

TEST_F(ChangeTrackingTest, DeletedFieldIsFreedOnlyAfterTheObserverRan)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    Settle();
    const std::size_t liveBefore = CNodePool::Nodes().LiveBlocks();
    person->DeleteChild(birth);
    m_observer.m_check = [&] {
        // The deleted field and its subtree are still readable, flagged and detached.
        EXPECT_TRUE(birth->IsPendingDeletion());
        EXPECT_TRUE(birth->FindChild(nullptr, 0) == nullptr);
        EXPECT_EQ(GetChangedRecords(), person);
        EXPECT_TRUE(person->IsChanged());
        EXPECT_TRUE(HasNoDeletedChanges()) << "no record was deleted";
    };
    NotifyChanges();
    ASSERT_EQ(m_observer.m_notices.size(), 1u);
    EXPECT_EQ(m_observer.m_notices[0].hint, kHintRecordsEdited);
    EXPECT_TRUE(m_observer.m_notices[0].modify);
    EXPECT_FALSE(person->IsChanged());
    EXPECT_EQ(GetChangedRecords(), nullptr);
    EXPECT_EQ(GetPendingDeletions(), nullptr);
    EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), liveBefore - 3) << "BIRT, DATE and PLAC freed";
}

TEST_F(ChangeTrackingTest, DeletedRecordIsListedAsDeletedUntilTheNoticeEnds)
{
    CRecordNode* person = NewRecord(m_indi);
    Settle();
    m_indi->DeleteChild(person);
    m_observer.m_check = [&] {
        EXPECT_TRUE(person->IsPendingDeletion());
        EXPECT_FALSE(HasNoDeletedChanges());
    };
    NotifyChanges();
    EXPECT_EQ(m_observer.m_notices.size(), 1u);
    EXPECT_EQ(m_indi->GetFirstChild(), nullptr);
    // A node outside the tree goes at once, with its subtree.
    CDataNode::DeleteNode(CreateNodeFromDef(m_indi->GetFieldDef(), true, nullptr));
}

TEST_F(ChangeTrackingTest, EditsMarkTheNodeItsAncestorsAndTheRecord)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    CDataNode* place = birth->FindChild(nullptr, FIELD_PLAC);
    CDataNode* date = birth->FindChild(nullptr, FIELD_DATE);
    Settle();
    place->SetText("York");
    EXPECT_TRUE(place->IsChanged());
    EXPECT_TRUE(birth->IsChanged());
    EXPECT_TRUE(person->IsChanged());
    EXPECT_FALSE(date->IsChanged());
    EXPECT_FALSE(m_indi->IsChanged()) << "marking stops at the record";
    NotifyChanges();
    EXPECT_FALSE(place->IsChanged());
    EXPECT_FALSE(birth->IsChanged());
}

TEST_F(ChangeTrackingTest, TwoEditsListTheRecordOnceWithTheTimeOfTheFirst)
{
    CRecordNode* person = NewRecord(m_indi);
    CRecordNode* other = NewRecord(m_indi);
    Settle();
    clock_seam::SetLocalNow({2024, 5, 1, 10, 0, 0});
    person->GetFirstChild()->SetText("Ann");
    clock_seam::SetLocalNow({2024, 5, 1, 11, 30, 0});
    person->CreateChildById(FIELD_SEX);
    other->CreateChildById(FIELD_SEX);
    clock_seam::ReleaseLocalNow();
    EXPECT_EQ(GetChangedRecords(), other);
    EXPECT_EQ(other->GetNextChanged(), person);
    EXPECT_EQ(person->GetNextChanged(), nullptr);
    EXPECT_EQ(person->GetChangeStamp(), COleDateTime(2024, 5, 1, 10, 0, 0));
    EXPECT_EQ(other->GetChangeStamp(), COleDateTime(2024, 5, 1, 11, 30, 0));
    NotifyChanges();
    EXPECT_EQ(person->GetNextChanged(), nullptr);
    EXPECT_EQ(other->GetNextChanged(), nullptr);
}

TEST_F(ChangeTrackingTest, NotifyChangesWithNothingChangedTellsNoOne)
{
    NewRecord(m_indi);
    NotifyChanges();
    NotifyChanges();
    EXPECT_EQ(m_observer.m_notices.size(), 1u);
}

TEST_F(ChangeTrackingTest, ChangesWhileTrackingIsOffLeaveNoMarks)
{
    SetChangeTracking(false);
    CRecordNode* person = NewRecord(m_indi);
    person->CreateChildById(FIELD_BIRT)->FindChild(nullptr, FIELD_DATE)->SetText("1900");
    EXPECT_FALSE(person->IsChanged());
    EXPECT_FALSE(person->HasFlag(DNF_NEW));
    EXPECT_EQ(person->GetChangeStamp().GetStatus(), COleDateTime::null);
    EXPECT_EQ(GetChangedRecords(), nullptr);
    EXPECT_FALSE(WasNodeCreated());
    NotifyChanges();
    EXPECT_TRUE(m_observer.m_notices.empty());
}

struct CleanupCase {
    const char* name;
    bool withMarriage;
    bool preferenceOn;
    bool familyDeleted;
};

class FamilyCleanupTest : public CNodeTest, public ::testing::WithParamInterface<CleanupCase> {
protected:
    void TearDown() override
    {
        Prefs().m_autoCleanupFamilies = true;
        CNodeTest::TearDown();
    }
};

TEST_P(FamilyCleanupTest, RemovingTheHusbandOfAWifeOnlyFamilyDeletesIt)
{
    const CleanupCase& c = GetParam();
    Prefs().m_autoCleanupFamilies = c.preferenceOn;
    CRecordNode* family = NewRecord(m_fam);
    CDataNode* husband = family->AddLinkChild(FIELD_HUSB, NewRecord(m_indi));
    family->AddLinkChild(FIELD_WIFE, NewRecord(m_indi));
    if (c.withMarriage)
        family->CreateChildById(FIELD_MARR)->FindChild(nullptr, FIELD_DATE)->SetText("1901");
    Settle();
    family->DeleteChild(husband);
    SetFamilyCleanupFlag(); // as the link class does when a family link goes
    m_observer.m_check = [&] { EXPECT_EQ(family->IsPendingDeletion(), c.familyDeleted); };
    NotifyChanges();
    EXPECT_EQ(m_fam->GetFirstChild() == nullptr, c.familyDeleted);
    EXPECT_FALSE(IsFamilyCleanupFlagSet());
}

INSTANTIATE_TEST_SUITE_P(Rows, FamilyCleanupTest,
                         ::testing::Values(CleanupCase{"WifeOnly", false, true, true},
                                           CleanupCase{"WithMarriage", true, true, false},
                                           CleanupCase{"PreferenceOff", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

class AutoCitationTest : public CNodeTest {
protected:
    void SetUp() override
    {
        CNodeTest::SetUp();
        m_source = NewRecord(m_sour);
        m_citation.m_source = m_source;
        m_citation.m_date = "2 FEB 2020";
        m_citation.m_quality = 2;
        m_citation.m_page = "p. 7";
        m_citation.m_note = "seen";
        Settle();
    }

    CRecordNode* m_source = nullptr;
    CAutoCitation m_citation;
};

TEST_F(AutoCitationTest, CitationCarriesTheDetailsTheValueHolds)
{
    CRecordNode* person = NewRecord(m_indi);
    Settle();
    CDataNode* citation = AddSourceCitation(person, m_citation);
    ASSERT_NE(citation, nullptr);
    EXPECT_EQ(citation->GetLinkTarget(), m_source);
    EXPECT_EQ(ChildTags(citation), "PAGE DATA QUAY NOTE");
    EXPECT_EQ(ChildTags(citation->FindChild(nullptr, FIELD_DATA)), "DATE");
    std::string quality;
    citation->FindChild(nullptr, FIELD_QUAY)->GetText(quality, 0);
    EXPECT_EQ(quality, "2");
    EXPECT_EQ(m_observer.m_notices.size(), 1u) << "adding a citation ends the edit";
    EXPECT_EQ(AddSourceCitation(person->GetFirstChild(), m_citation), nullptr)
        << "NAME takes no citation";
}

TEST_F(AutoCitationTest, NewRecordsAreCitedWhenAsked)
{
    SetAutoCitation(&m_citation, true, false);
    CRecordNode* person = NewRecord(m_indi);
    EXPECT_EQ(ChildTags(person), "NAME SOUR");
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    EXPECT_EQ(ChildTags(birth), "DATE PLAC") << "fields are not cited";
}

TEST_F(AutoCitationTest, NewFieldsAreCitedWhereACitationMayStand)
{
    CRecordNode* earlier = NewRecord(m_indi);
    CDataNode* emptyDeath = earlier->CreateChildById(FIELD_DEAT, {.withChildren = false});
    Settle();
    SetAutoCitation(&m_citation, false, true);
    CRecordNode* person = NewRecord(m_indi);
    EXPECT_EQ(ChildTags(person), "NAME") << "the record itself is not cited";
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    EXPECT_EQ(ChildTags(birth), "DATE PLAC SOUR");
    EXPECT_EQ(ChildTags(birth->FindChild(nullptr, FIELD_SOUR)), "PAGE DATA QUAY NOTE")
        << "the citation's own fields are not cited again";
    EXPECT_EQ(earlier->CreateChildById(FIELD_DEAT, {.reuseEmpty = true}), emptyDeath);
    EXPECT_EQ(ChildTags(emptyDeath), "SOUR") << "a reused empty field is cited";
}

TEST_F(AutoCitationTest, CitationWithoutSourceOrWithADeletedSourceIsForgotten)
{
    SetAutoCitation(&m_citation, true, true);
    SetLastCitation(&m_citation);
    EXPECT_TRUE(CitesNewRecords());
    m_sour->DeleteChild(m_source);
    NotifyChanges();
    EXPECT_EQ(GetAutoCitation(), nullptr);
    EXPECT_EQ(GetLastCitation(), nullptr);
    EXPECT_FALSE(CitesNewRecords());
    EXPECT_FALSE(CitesNewFields());
    CAutoCitation noSource;
    SetLastCitation(&noSource);
    EXPECT_EQ(GetLastCitation(), nullptr);
}

} // namespace
} // namespace node_test
