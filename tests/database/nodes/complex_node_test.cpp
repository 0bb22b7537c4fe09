// tests/database/nodes/complex_node_test.cpp: Tests of complex fields and custom events: the "Y"
// marker, keyed equality, writing, and the chain of custom events.
#include "tests/database/nodes/node_test_support.h"

#include "database/gedcom/buffered_file.h"
#include "database/nodes/custom_event_node.h"
#include "tests/support/test_support.h"

namespace node_test {
namespace {

using ComplexNodeTest = CNodeTest;

struct SetTextCase {
    const char* value;
    bool accepted;
};

class ComplexSetTextTest : public ::testing::TestWithParam<SetTextCase> {};

TEST_P(ComplexSetTextTest, AcceptsOnlyTheEventMarker)
{
    CComplexNode node;
    EXPECT_EQ(node.SetText(GetParam().value), GetParam().accepted);
    EXPECT_EQ(node.GetFirstChild(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, ComplexSetTextTest,
                         ::testing::Values(SetTextCase{"", true}, SetTextCase{"   ", true},
                                           SetTextCase{"Y", true}, SetTextCase{"y ", true},
                                           SetTextCase{"yes", false}, SetTextCase{" Y", false},
                                           SetTextCase{"N", false}));

TEST_F(ComplexNodeTest, EmptyWhenEveryChildIsEmpty)
{
    CDataNode* birth = NewRecord(m_indi)->CreateChildById(FIELD_BIRT);
    EXPECT_TRUE(birth->IsEmpty());
    birth->FindChild(nullptr, FIELD_PLAC)->SetText("Leeds");
    EXPECT_FALSE(birth->IsEmpty());
    std::string text;
    EXPECT_TRUE(birth->GetText(text, 0));
    EXPECT_EQ(text, "Leeds");
}

TEST_F(ComplexNodeTest, KeyedFieldsAreEqualUnlessAKeyOnBothSidesDiffers)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* a = person->CreateChildById(FIELD_BIRT);
    CDataNode* b = person->CreateChildById(FIELD_BIRT, {.withChildren = false});
    a->FindChild(nullptr, FIELD_DATE)->SetText("1900");
    EXPECT_TRUE(a->IsEqual(b, nullptr)) << "a key missing on one side does not decide";
    b->AddTextChild(FIELD_DATE, "1901");
    EXPECT_FALSE(a->IsEqual(b, nullptr));
    b->FindChild(nullptr, FIELD_DATE)->SetText("1900");
    EXPECT_TRUE(a->IsEqual(b, nullptr));
    CRecordNode* family = NewRecord(m_fam);
    CDataNode* m1 = family->CreateChildById(FIELD_MARR);
    CDataNode* m2 = family->CreateChildById(FIELD_MARR);
    m1->FindChild(nullptr, FIELD_DATE)->SetText("1920");
    m2->FindChild(nullptr, FIELD_DATE)->SetText("1930");
    EXPECT_TRUE(m1->IsEqual(m2, nullptr)) << "fields without '!' are always equal";
}

TEST_F(ComplexNodeTest, WritesTheEventMarkerOnlyWhenNothingIsWrittenBelow)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* childless = person->CreateChildById(FIELD_BIRT, {.withChildren = false});
    CDataNode* emptyDate = person->CreateChildById(FIELD_BIRT);
    CDataNode* skipped = person->CreateChildById(FIELD_BAPL, {.withChildren = false});
    const std::string path = test_support::NewFolder("complex") + "/out.ged";
    test_support::WriteFile(path, "");
    ASSERT_TRUE(OpenGedcomInputFile(path, true));
    std::string line;
    EXPECT_TRUE(childless->WriteGedcom(1, line));
    EXPECT_TRUE(emptyDate->WriteGedcom(1, line));
    EXPECT_TRUE(skipped->WriteGedcom(1, line));
    ASSERT_TRUE(CloseGedcomInputFile());
    EXPECT_EQ(test_support::ReadFile(path), "1 BIRT Y\r\n1 BIRT Y\r\n");
}

TEST_F(ComplexNodeTest, CustomEventNamesAreCollectedOncePerRecordType)
{
    CRecordNode* person = NewRecord(m_indi);
    person->CreateChildById(FIELD_EVEN);
    CDataNode* same = person->CreateChildById(FIELD_EVEN);
    same->FindChild(nullptr, FIELD_TYPE)->SetText("GRADUATION");
    CDataNode* unnamed = person->CreateChildById(FIELD_EVEN);
    unnamed->FindChild(nullptr, FIELD_TYPE)->SetText("");
    CDataNode* gone = person->CreateChildById(FIELD_EVEN);
    gone->FindChild(nullptr, FIELD_TYPE)->SetText("Voyage");
    person->DeleteChild(gone);
    std::vector<std::string> individual;
    CollectCustomEventNames(&individual, nullptr);
    EXPECT_EQ(individual, std::vector<std::string>{"GRADUATION"})
        << "newest first, case-blind, deleted events and empty names skipped";
    NotifyChanges();
    int chained = 0;
    for (auto* event = CCustomEventNode::GetFirstCustomEvent(); event;
         event = event->GetNextCustomEvent())
        ++chained;
    EXPECT_EQ(chained, 3) << "a freed event leaves the chain";
}

} // namespace
} // namespace node_test
