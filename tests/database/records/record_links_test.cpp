// tests/database/records/record_links_test.cpp: tests of the order operations on spouse-family
// and child links, of the records that link to a record and of fact labels.
#include "database/records/record_links.h"

#include "common/abort.h"

#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ind_test;
using namespace record_test;

namespace {

class RecordLinksTest : public CIndRecTest {
protected:
    /// The given names of a family's children in CHIL order.
    static std::string ChildNames(const CFamRec* family)
    {
        std::string names;
        for (const CIndRec* child = family->GetNextChild(nullptr); child;
             child = family->GetNextChild(child))
            names += (names.empty() ? "" : " ") + TextOf(child);
        return names;
    }
};

class CRowList final : public IRecordRowSink {
public:
    void AddRecordRow(CRecordNode* record) override { m_rows.push_back(record); }
    std::vector<CRecordNode*> m_rows;
};

TEST_F(RecordLinksTest, AChildLinkMovesBeforeAnotherOrToTheEnd)
{
    CIndRec* a = Person(SEX_MALE, "A");
    CIndRec* b = Person(SEX_FEMALE, "B");
    CIndRec* c = Person(SEX_MALE, "C");
    CFamRec* family = Marry(Person(SEX_MALE, "Dad"), Person(SEX_FEMALE, "Mum"), {a, b, c});
    NotifyChanges();

    family->MoveChildLink(c, a);
    EXPECT_EQ(ChildNames(family), "C A B");
    EXPECT_TRUE(family->IsChanged());
    family->MoveChildLink(c, nullptr);
    EXPECT_EQ(ChildNames(family), "A B C");
    family->MoveChildLink(a, c);
    EXPECT_EQ(ChildNames(family), "B A C");
    family->MoveChildLink(a, c);
    EXPECT_EQ(ChildNames(family), "B A C") << "already in place";
    NotifyChanges();

    const std::string written = Written(*family);
    EXPECT_LT(written.find("CHIL @I" + std::to_string(b->GetRecordNumber()) + "@"),
              written.find("CHIL @I" + std::to_string(a->GetRecordNumber()) + "@"));
    EXPECT_THROW(family->MoveChildLink(Person(SEX_MALE, "Stranger"), a), COperationAborted);
    EXPECT_THROW(family->MoveChildLink(nullptr, a), COperationAborted);
    EXPECT_EQ(ChildNames(family), "B A C");
}

TEST_F(RecordLinksTest, ASpouseFamilyLinkMovesBeforeAnother)
{
    CIndRec* man = Person(SEX_MALE, "Al");
    CFamRec* first = Marry(man, Person(SEX_FEMALE, "Bea"));
    CFamRec* second = Marry(man, Person(SEX_FEMALE, "Cat"));
    CFamRec* third = Marry(man, nullptr);
    NotifyChanges();
    man->MoveFamilyLink(third, first, true);
    EXPECT_EQ(Links(man, FIELD_FAMS), (std::vector<CRecordNode*>{third, first, second}));
    EXPECT_TRUE(man->IsChanged());
    man->MoveFamilyLink(third, nullptr, true);
    EXPECT_EQ(Links(man, FIELD_FAMS), (std::vector<CRecordNode*>{first, second, third}));
    EXPECT_THROW(man->MoveFamilyLink(Marry(nullptr, nullptr), first, true), COperationAborted);
}

TEST_F(RecordLinksTest, LinkingRecordsAreListedOnceInTypeOrderAndFilteredByType)
{
    CIndRec* child = Person(SEX_FEMALE, "Kid");
    CIndRec* dad = Person(SEX_MALE, "Dad");
    CFamRec* family = Marry(dad, nullptr, {child});
    CRecordNode* note = NewRecord(kNote);
    Link(dad, "ASSO", child);
    Link(dad, "ASSO", child);
    NotifyChanges();

    CRowList all;
    FillLinksToGrid(all, *child, nullptr);
    EXPECT_EQ(all.m_rows, (std::vector<CRecordNode*>{family, dad}));
    CRowList families;
    FillLinksToGrid(families, *child, GetRecordTypeDef(kFam));
    EXPECT_EQ(families.m_rows, std::vector<CRecordNode*>{family});
    EXPECT_TRUE(FindRecordsLinkingTo(*note, nullptr).empty()) << "nothing links to it";
    EXPECT_TRUE(FindRecordsLinkingTo(*child, GetRecordTypeDef(kSour)).empty());

    EXPECT_EQ(GetRecordNameText(*family), "Dad and <unknown>")
        << "a family is named by its partners";
    EXPECT_EQ(GetRecordNameText(*child), TextOf(child));

    CDataNode::DeleteNode(family);
    EXPECT_EQ(FindRecordsLinkingTo(*child, nullptr), std::vector<CRecordNode*>{dad});
}

TEST_F(RecordLinksTest, AFactLabelIsItsCustomNameOrItsDefinitionsLabel)
{
    CIndRec* person = Person(SEX_MALE, "Al");
    std::string label;
    GetFactLabel(*Event(person, "OCCU", {}), label, true);
    EXPECT_EQ(label, "Occupation:");
    CDataNode* custom = person->CreateChildById(FIELD_CUSTOM_ATTR);
    ASSERT_NE(custom, nullptr);
    GetFactLabel(*custom, label, false);
    EXPECT_EQ(label, "Custom Attribute");
    SetField(custom, "TYPE", "Shoe size");
    GetFactLabel(*custom, label, true);
    EXPECT_EQ(label, "Shoe size:");
}

} // namespace
