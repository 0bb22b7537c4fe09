// tests/database/nodes/merge_support_test.cpp: Tests of the merge marks and of pairing, finding and
// merging fields of two records.
#include "tests/database/nodes/node_test_support.h"

namespace node_test {
namespace {

class MergeSupportTest : public CNodeTest {
protected:
    /// A person with a name, and births in the given years.
    CRecordNode* Person(const char* name, std::initializer_list<const char*> births)
    {
        CRecordNode* person = NewRecord(m_indi);
        person->GetFirstChild()->SetText(name);
        for (const char* year : births)
            person->CreateChildById(FIELD_BIRT)->FindChild(nullptr, FIELD_DATE)->SetText(year);
        return person;
    }

    static std::string Text(const CDataNode* node)
    {
        std::string text;
        node->GetText(text, 0);
        return text;
    }
};

TEST_F(MergeSupportTest, SubtreeMarksCoverEveryNodeAndClearPairing)
{
    CRecordNode* person = Person("Ann", {"1900"});
    person->SetFlag(DNF_PAIRED, true);
    person->SetSubtreeMark(true);
    person->SetSubtreeMergeFlag(true);
    const CDataNode* date = person->FindChild(nullptr, FIELD_BIRT)->GetFirstChild();
    for (const CDataNode* node : {static_cast<const CDataNode*>(person), date}) {
        EXPECT_TRUE(node->HasFlag(DNF_MARK));
        EXPECT_TRUE(node->HasFlag(DNF_MERGE));
        EXPECT_FALSE(node->HasFlag(DNF_PAIRED));
    }
    person->SetSubtreeMark(false);
    person->SetSubtreeMergeFlag(false);
    EXPECT_FALSE(person->GetFirstChild()->HasFlag(DNF_MARK));
    EXPECT_FALSE(person->GetFirstChild()->HasFlag(DNF_MERGE));
}

TEST_F(MergeSupportTest, SubtreeMarksReportUnpairedVisibleNodesOnly)
{
    CRecordNode* person = Person("Ann", {});
    person->SetSubtreeMark(false);
    CDataNode* hidden = person->CreateChildById(FIELD_AFN);
    hidden->SetFlag(DNF_MARK, true);
    bool unmarked = false;
    bool marked = false;
    person->GetSubtreeMarks(unmarked, marked);
    EXPECT_TRUE(unmarked);
    EXPECT_FALSE(marked) << "the hidden field does not count";
    person->GetFirstChild()->SetFlag(DNF_MARK, true);
    person->SetFlag(DNF_PAIRED, true);
    unmarked = marked = false;
    person->GetSubtreeMarks(unmarked, marked);
    EXPECT_FALSE(unmarked);
    EXPECT_TRUE(marked);
}

TEST_F(MergeSupportTest, PairingMatchesEqualFieldsAndKeepsTheirOrder)
{
    CRecordNode* current = Person("Ann", {"1900", "1901"});
    CRecordNode* incoming = Person("Ann", {"1901", "1900", "1902"});
    current->PairSubtrees(incoming, nullptr);
    EXPECT_TRUE(current->HasFlag(DNF_PAIRED));
    EXPECT_TRUE(incoming->HasFlag(DNF_PAIRED));
    const CDataNode* first = incoming->FindChild(nullptr, FIELD_BIRT);
    const CDataNode* second = incoming->FindChild(first, FIELD_BIRT);
    const CDataNode* third = incoming->FindChild(second, FIELD_BIRT);
    EXPECT_EQ(Text(first), "1900") << "the partner of the first birth moved first";
    EXPECT_EQ(Text(second), "1901");
    EXPECT_TRUE(second->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(third->HasFlag(DNF_PAIRED));
    EXPECT_FALSE(third->HasFlag(DNF_MARK)) << "births are unbounded: the extra one is kept";
    EXPECT_EQ(current->FindChild(nullptr, FIELD_BIRT)->FindCounterpart(incoming), first);
    EXPECT_EQ(current->FindCounterpart(incoming), incoming);
}

TEST_F(MergeSupportTest, PartnersKeepTheirOrderAcrossFieldsOfOtherTags)
{
    // Births in one order here and the other way round there, a death between them on both
    // sides: each birth must still find the birth of its own year.
    CRecordNode* current = Person("Ann", {"1900", "1901"});
    CRecordNode* incoming = Person("Ann", {"1901", "1900"});
    for (CRecordNode* person : {current, incoming}) {
        person->CreateChildById(FIELD_DEAT)
            ->MoveTo(person, person->FindChild(nullptr, FIELD_BIRT), false);
    }
    current->PairSubtrees(incoming, nullptr);
    for (const CDataNode* birth = current->FindChild(nullptr, FIELD_BIRT); birth;
         birth = current->FindChild(birth, FIELD_BIRT)) {
        const CDataNode* partner = birth->FindCounterpart(incoming);
        ASSERT_NE(partner, nullptr);
        EXPECT_EQ(Text(partner), Text(birth));
    }
}

TEST_F(MergeSupportTest, UnpairedFieldsBeyondTheMaximumAreMarkedForDiscarding)
{
    CRecordNode* current = Person("Ann", {});
    current->AddTextChild(FIELD_SEX, "F");
    CRecordNode* incoming = Person("Ann", {});
    CDataNode* otherSex = incoming->AddTextChild(FIELD_SEX, "M");
    current->PairSubtrees(incoming, nullptr);
    EXPECT_FALSE(otherSex->HasFlag(DNF_PAIRED));
    EXPECT_TRUE(otherSex->HasFlag(DNF_MARK)) << "SEX may stand once";
}

TEST_F(MergeSupportTest, MergingTakesKeptFieldsWithACitationOfTheSource)
{
    CRecordNode* source = NewRecord(m_sour);
    CRecordNode* current = Person("Ann", {"1900"});
    CDataNode* oldSex = current->AddTextChild(FIELD_SEX, "F");
    CRecordNode* incoming = Person("Ann", {"1900"});
    CDataNode* death = incoming->CreateChildById(FIELD_DEAT);
    incoming->AddTextChild(FIELD_RIN, "77");
    current->PairSubtrees(incoming, nullptr);
    oldSex->SetSubtreeMark(true);
    Settle();
    current->MergeChildren(incoming, source, true);
    EXPECT_EQ(ChildTags(current), "NAME BIRT DEAT RIN");
    EXPECT_TRUE(oldSex->IsPendingDeletion());
    EXPECT_EQ(death->GetParent(), current);
    EXPECT_EQ(death->FindChild(nullptr, FIELD_SOUR)->GetLinkTarget(), source);
    EXPECT_EQ(ChildTags(incoming), "NAME BIRT") << "paired fields stay on the other side";
    NotifyChanges();
}

TEST_F(MergeSupportTest, CitationClimbsToTheNearestFieldThatCanCarryIt)
{
    CRecordNode* source = NewRecord(m_sour);
    CRecordNode* person = Person("Ann", {"1900"});
    CDataNode* date = person->FindChild(nullptr, FIELD_BIRT)->FindChild(nullptr, FIELD_DATE);
    std::string path;
    EXPECT_EQ(date->CiteMergeSource(source, false, path), nullptr);
    CDataNode* citation = date->CiteMergeSource(source, true, path);
    ASSERT_NE(citation, nullptr);
    EXPECT_EQ(citation->GetParent(), date->GetParent());
    std::string note;
    citation->FindChild(nullptr, FIELD_NOTE_TEXT)->GetText(note, 0);
    EXPECT_EQ(note, "Source for field: Date");
    EXPECT_EQ(date->CiteMergeSource(source, true, path = ""), citation)
        << "an existing citation of the source is used again";
    CDataNode* recordId = person->AddTextChild(FIELD_RIN, "5");
    EXPECT_EQ(recordId->CiteMergeSource(source, true, path = ""), nullptr)
        << "a field kept out of the Add menus stops the search";
}

} // namespace
} // namespace node_test
