// tests/database/nodes/data_node_test.cpp: Tests of the node tree: definition order, created
// subtrees, finding, moving, deleting, instance numbers, labels and display texts.
#include "tests/database/nodes/node_test_support.h"

#include "database/nodes/complex_node.h"
#include "database/nodes/root_node.h"

#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace node_test {
namespace {

using DataNodeTest = CNodeTest;

TEST_F(DataNodeTest, NewRecordHasItsMandatoryChildAndANumber)
{
    CRecordNode* first = NewRecord(m_indi);
    CRecordNode* second = NewRecord(m_indi);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ChildTags(first), "NAME");
    EXPECT_TRUE(first->IsRecord());
    EXPECT_EQ(first->GetRecordNumber(), 1);
    EXPECT_EQ(second->GetRecordNumber(), 2);
    EXPECT_EQ(m_indi->GetFirstChild(), first) << "records are appended in creation order";
    EXPECT_EQ(first->GetNextSibling(), second);
}

TEST_F(DataNodeTest, ChildrenStayInDefinitionOrderWithEventsAsOneGroup)
{
    CRecordNode* person = NewRecord(m_indi);
    person->CreateChildById(FIELD_NOTE_TEXT);
    person->CreateChildById(FIELD_DEAT);
    person->CreateChildById(FIELD_BIRT);
    person->CreateChildById(FIELD_SEX);
    EXPECT_EQ(ChildTags(person), "NAME SEX DEAT BIRT NOTE");
    person->CreateChildById(FIELD_BIRT);
    EXPECT_EQ(ChildTags(person), "NAME SEX DEAT BIRT BIRT NOTE")
        << "a new event goes after the last event, before the note";
}

TEST_F(DataNodeTest, CreateOptionsPlaceTheChildBesideItsSiblingOrInOrder)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* death = person->CreateChildById(FIELD_DEAT);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    CDataNode* afterBirth = person->CreateChildById(FIELD_DEAT, {.sibling = birth, .after = true});
    CDataNode* beforeDeath = person->CreateChildById(FIELD_BIRT, {.sibling = death});
    EXPECT_EQ(ChildTags(person), "NAME BIRT DEAT BIRT DEAT");
    EXPECT_EQ(beforeDeath->GetNextSibling(), death);
    EXPECT_EQ(birth->GetNextSibling(), afterBirth);
    person->CreateChildById(FIELD_NOTE_TEXT, {.after = true});
    EXPECT_EQ(ChildTags(person), "NAME BIRT DEAT BIRT DEAT NOTE")
        << "a field without a sibling keeps definition order either way";

    CRecordNode* second = NewRecord(m_indi);
    auto* first = static_cast<CRecordNode*>(m_indi->CreateChild(nullptr, {.after = true}));
    auto* last = static_cast<CRecordNode*>(m_indi->CreateChild(nullptr));
    EXPECT_EQ(m_indi->GetFirstChild(), first);
    EXPECT_EQ(second->GetNextSibling(), last);
}

TEST_F(DataNodeTest, CreatedFieldGetsDefaultChildrenFromItsValueList)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    EXPECT_EQ(ChildTags(birth), "DATE PLAC");
    CDataNode* custom = person->CreateChildById(FIELD_EVEN);
    EXPECT_EQ(ChildTags(custom), "TYPE DATE PLAC");
    EXPECT_EQ(custom->GetTypeText(), "Graduation");
    EXPECT_EQ(ChildTags(person->CreateChildById(FIELD_BIRT, {.withChildren = false})), "")
        << "without children only the field itself is made";
}

TEST_F(DataNodeTest, SharedStructuresStandExpandedUnderEveryUser)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birthDate = person->CreateChildById(FIELD_BIRT)->FindChild(nullptr, FIELD_DATE);
    CDataNode* deathDate = person->CreateChildById(FIELD_DEAT)->FindChild(nullptr, FIELD_DATE);
    ASSERT_NE(birthDate, nullptr);
    ASSERT_NE(deathDate, nullptr);
    EXPECT_NE(birthDate->GetFieldDef(), deathDate->GetFieldDef());
    EXPECT_EQ(birthDate->GetFieldDef()->GetSource(), deathDate->GetFieldDef()->GetSource());
    // Two levels of structures: the citation under an event, and its details.
    CDataNode* citation = birthDate->GetParent()->CreateChildById(FIELD_SOUR);
    ASSERT_NE(citation, nullptr);
    ASSERT_NE(citation->AddTextChild(FIELD_PAGE, "p. 12"), nullptr);
    EXPECT_EQ(ChildTags(citation), "PAGE");
}

TEST_F(DataNodeTest, ReuseEmptyReturnsTheEmptyChildInsteadOfANewOne)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* sex = person->CreateChildById(FIELD_SEX, {.reuseEmpty = true});
    EXPECT_EQ(person->CreateChildById(FIELD_SEX, {.reuseEmpty = true}), sex);
    sex->SetText("M");
    EXPECT_NE(person->CreateChildById(FIELD_SEX, {.reuseEmpty = true}), sex);
}

TEST_F(DataNodeTest, FailedCreationFreesEverythingItMade)
{
    FindNodeClass("CEditNode")->SetFactory(nullptr);
    EXPECT_EQ(NewRecord(m_indi), nullptr) << "the mandatory NAME cannot be made";
    EXPECT_EQ(m_indi->GetFirstChild(), nullptr);
    Settle();
}

struct InsertCase {
    const char* name;
    int siblingIndex; // among NAME, SEX, BIRT; -1 for none
    bool before;
    int newFieldId;
    const char* expected;
};

class DataNodeInsertTest : public CNodeTest, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(DataNodeInsertTest, KeepsTheSiblingOnlyWhereDefinitionOrderAllows)
{
    const InsertCase& c = GetParam();
    CRecordNode* person = NewRecord(m_indi);
    person->CreateChildById(FIELD_SEX);
    person->CreateChildById(FIELD_BIRT, {.withChildren = false});
    CDataNode* sibling = c.siblingIndex < 0 ? nullptr : person->GetFirstChild();
    for (int i = 0; sibling && i < c.siblingIndex; ++i)
        sibling = sibling->GetNextSibling();
    CDataNode* node = CreateNodeFromDef(Def(person, c.newFieldId), false, nullptr);
    person->InsertChild(node, sibling, c.before);
    EXPECT_EQ(ChildTags(person), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DataNodeInsertTest,
    ::testing::Values(InsertCase{"SameOrderBefore", 0, true, FIELD_NAME, "NAME NAME SEX BIRT"},
                      InsertCase{"SameOrderAfter", 0, false, FIELD_NAME, "NAME NAME SEX BIRT"},
                      InsertCase{"EventBeforeEvent", 2, true, FIELD_DEAT, "NAME SEX DEAT BIRT"},
                      InsertCase{"EventAfterEvent", 2, false, FIELD_DEAT, "NAME SEX BIRT DEAT"},
                      InsertCase{"OtherGroupFallsBack", 0, true, FIELD_DEAT, "NAME SEX BIRT DEAT"},
                      InsertCase{"NoteBeforeNameFallsBack", 0, true, FIELD_NOTE_TEXT,
                                 "NAME SEX BIRT NOTE"},
                      InsertCase{"NoSiblingIsOrdered", -1, true, FIELD_SEX, "NAME SEX SEX BIRT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataNodeTest, RecordsGoFirstOrLastUnderTheirRoot)
{
    CRecordNode* first = NewRecord(m_indi);
    CDataNode* front = CreateNodeFromDef(m_indi->GetFieldDef(), false, nullptr);
    m_indi->InsertChild(front, nullptr, false);
    CDataNode* back = CreateNodeFromDef(m_indi->GetFieldDef(), false, nullptr);
    m_indi->InsertChild(back, nullptr, true);
    EXPECT_EQ(m_indi->GetFirstChild(), front);
    EXPECT_EQ(front->GetNextSibling(), first);
    EXPECT_EQ(first->GetNextSibling(), back);
}

TEST_F(DataNodeTest, FindChildWalksByIdAndSkipsEmptyOnes)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* name1 = person->GetFirstChild();
    CDataNode* name2 = person->AddTextChild(FIELD_NAME, "Ann /Lee/");
    CDataNode* sex = person->CreateChildById(FIELD_SEX);
    EXPECT_EQ(person->FindChild(nullptr, FIELD_NAME), name1);
    EXPECT_EQ(person->FindChild(name1, FIELD_NAME), name2);
    EXPECT_EQ(person->FindChild(nullptr, FIELD_NAME, true), name2);
    EXPECT_EQ(person->FindChild(name2, 0), sex);
    EXPECT_EQ(person->FindChild(sex, 0), nullptr);
    EXPECT_EQ(person->CountChildren(0), 3);
    EXPECT_EQ(person->CountChildren(FIELD_NAME), 2);
    CRecordNode* other = NewRecord(m_indi);
    EXPECT_EQ(person->FindChild(other->GetFirstChild(), 0), nullptr)
        << "a starting child of another node gives nothing";
    EXPECT_EQ(name2->GetPrevSibling(), name1);
}

TEST_F(DataNodeTest, DeletingAFieldMarksTheLaterFieldsOfItsKindChanged)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* name1 = person->GetFirstChild();
    CDataNode* name2 = person->CreateChildById(FIELD_NAME);
    CDataNode* name3 = person->CreateChildById(FIELD_NAME);
    CDataNode* sex = person->CreateChildById(FIELD_SEX);
    Settle();
    person->DeleteChild(name1);
    EXPECT_TRUE(name1->IsPendingDeletion());
    EXPECT_EQ(name1->GetParent(), nullptr);
    EXPECT_TRUE(name2->IsChanged());
    EXPECT_TRUE(name3->IsChanged());
    EXPECT_FALSE(sex->IsChanged());
    EXPECT_EQ(ChildTags(person), "NAME NAME SEX");
    NotifyChanges();
    EXPECT_EQ(GetPendingDeletions(), nullptr);
}

TEST_F(DataNodeTest, MoveUpAndDownStayWithinAnOrderGroup)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* name1 = person->GetFirstChild();
    CDataNode* name2 = person->AddTextChild(FIELD_NAME, "second");
    CDataNode* sex = person->CreateChildById(FIELD_SEX);
    EXPECT_TRUE(name2->MoveUp());
    EXPECT_EQ(person->GetFirstChild(), name2);
    EXPECT_FALSE(name2->MoveUp());
    EXPECT_FALSE(name1->MoveDown()) << "SEX belongs to another group";
    EXPECT_TRUE(name2->MoveDown());
    EXPECT_EQ(name1->GetNextSibling(), name2);
    EXPECT_EQ(name2->GetNextSibling(), sex);
}

TEST_F(DataNodeTest, MoveToAnotherRecordMarksTheFieldNew)
{
    CRecordNode* from = NewRecord(m_indi);
    CRecordNode* to = NewRecord(m_indi);
    CDataNode* birth = from->CreateChildById(FIELD_BIRT);
    Settle();
    birth->MoveTo(to, nullptr, true);
    EXPECT_EQ(birth->GetParent(), to);
    EXPECT_EQ(ChildTags(from), "NAME");
    EXPECT_EQ(ChildTags(to), "NAME BIRT");
    EXPECT_TRUE(birth->HasFlag(DNF_NEW));
    EXPECT_TRUE(to->IsChanged());
}

TEST_F(DataNodeTest, TypedFieldsAreLabelledAndNumberedByTheirType)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* first = person->CreateChildById(FIELD_EVEN);
    CDataNode* wedding = person->CreateChildById(FIELD_EVEN);
    wedding->FindChild(nullptr, FIELD_TYPE)->SetText("Wedding");
    CDataNode* second = person->CreateChildById(FIELD_EVEN);
    second->FindChild(nullptr, FIELD_TYPE)->SetText("graduation.");
    CDataNode* birth2 = person->CreateChildById(FIELD_BIRT);
    person->CreateChildById(FIELD_BIRT, {.sibling = birth2});
    std::string label;
    wedding->GetLabel(label);
    EXPECT_EQ(label, "Wedding");
    EXPECT_EQ(first->GetSiblingIndex(), 0);
    EXPECT_EQ(wedding->GetSiblingIndex(), 0);
    EXPECT_EQ(second->GetSiblingIndex(), 1);
    EXPECT_EQ(birth2->GetSiblingIndex(), 1);
    EXPECT_EQ(person->GetSiblingIndex(), 0);
}

TEST_F(DataNodeTest, PathTextJoinsLabelsBelowTheRecordAndKeepsItsEnd)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* date = person->CreateChildById(FIELD_BIRT)->FindChild(nullptr, FIELD_DATE);
    EXPECT_EQ(date->GetPathText(100), "Birth\\Date");
    EXPECT_EQ(date->GetPathText(6), "h\\Date");
    EXPECT_EQ(person->GetPathText(100), "");
}

struct ComposeCase {
    const char* name;
    int fieldId;
    const char* first;  // text of the first key field; null: no such field
    const char* second; // text of the second key field
    bool withoutDates;
    const char* expected;
};

class ComposeTextTest : public CNodeTest, public ::testing::WithParamInterface<ComposeCase> {};

TEST_P(ComposeTextTest, FillsTheDisplayTemplateFromTheKeyFields)
{
    const ComposeCase& c = GetParam();
    CDataNode* field = NewRecord(m_indi)->CreateChildById(c.fieldId, {.withChildren = false});
    const std::vector<std::string>& keys = field->GetFieldDef()->GetValues().m_items;
    if (c.first)
        field->CreateChildByTag(keys[0])->SetText(c.first);
    if (c.second)
        field->CreateChildByTag(keys[1])->SetText(c.second);
    std::string text;
    field->ComposeText(text, c.withoutDates);
    EXPECT_EQ(text, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComposeTextTest,
    ::testing::Values(
        ComposeCase{"Both", FIELD_BIRT, "1 JAN 1900", "London", false, "1 JAN 1900, London"},
        ComposeCase{"DateOnly", FIELD_BIRT, "1 JAN 1900", nullptr, false, "1 JAN 1900"},
        ComposeCase{"EmptyPlaceIsAbsent", FIELD_BIRT, "1 JAN 1900", "", false, "1 JAN 1900"},
        ComposeCase{"PlaceOnly", FIELD_BIRT, nullptr, "London", false, "London"},
        ComposeCase{"WithoutDates", FIELD_BIRT, "1 JAN 1900", "London", true, "London"},
        ComposeCase{"Neither", FIELD_BAPL, nullptr, nullptr, false, "none"},
        ComposeCase{"FirstAlone", FIELD_BAPL, "1850", nullptr, false, "only 1850 any"},
        ComposeCase{"SecondAlone", FIELD_BAPL, nullptr, "Logan", false, "only Logan any"},
        ComposeCase{"BothNoBang", FIELD_BAPL, "1850", "Logan", false, " any"},
        ComposeCase{"BothDatesOff", FIELD_BAPL, "1850", "Logan", true, " any"},
        ComposeCase{"OwnTextEndsItemAndBadConditionEnds", FIELD_SLGC, nullptr, nullptr, false,
                    "a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataNodeTest, ContextMenuOffersSubFieldsInDefinitionOrder)
{
    CRecordNode* person = NewRecord(m_indi);
    person->CreateChildById(FIELD_SEX);
    person->CreateChildById(FIELD_SLGC);
    CRecordingMenu menu;
    EXPECT_TRUE(person->CDataNode::AddContextMenu(menu));
    const std::vector<std::string> expected = {
        "Add Name",
        "(greyed) Add Sex",
        "Add Events>{Birth; Death; Custom Event}",
        "Add Spouse Family>{Add Link to New Family Record; Add Link to Existing Family Record}",
        "Add Source>{Add Link to New Source Record; Add Link to Existing Source Record; "
        "Add Source Text to this Record}",
        "Add Note>{Add Link to New Note Record; Add Link to Existing Note Record; "
        "Add Note to this Record}",
        "LDS>{Add LDS Ordinances>{LDS Baptism; (greyed) LDS Sealing}}",
    };
    EXPECT_EQ(menu.m_items, expected);
    EXPECT_EQ(menu.m_commands[0], UINT(FIELD_NAME + FIELD_COMMAND_OFFSET));
}

TEST_F(DataNodeTest, ChoiceListNamesThePlacesThatCarryOrMayTakeACitation)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    birth->AddLinkChild(FIELD_SOUR, NewRecord(m_sour));
    person->CreateChildById(FIELD_BIRT);
    CDataNode* death = person->CreateChildById(FIELD_DEAT);
    death->AddTextChild(FIELD_SOUR_TEXT, "a letter");
    CRecordingChoiceList list;
    person->FillChoiceList(list, false);
    const std::vector<std::string> expected = {"<whole record>", "Birth*", "Birth[2]", "(Death*)"};
    EXPECT_EQ(list.m_texts, expected);
    EXPECT_EQ(list.m_nodes[1], birth);
    CRecordingChoiceList restricted;
    person->FillChoiceList(restricted, true);
    EXPECT_EQ(restricted.m_texts, (std::vector<std::string>{"(Birth*)", "(Death*)"}));
}

struct MatchCase {
    const char* name;
    const char* value;
    int op;
    bool caseSensitive;
    const char* operand; // null: no operand
    bool expected;
};

class MatchTextTest : public CNodeTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchTextTest, ComparesTheDisplayText)
{
    const MatchCase& c = GetParam();
    CDataNode* name = NewRecord(m_indi)->GetFirstChild();
    name->SetText(c.value);
    const auto operand = c.operand ? std::optional<std::string_view>(c.operand) : std::nullopt;
    EXPECT_EQ(name->MatchText(0, c.op, c.caseSensitive, operand), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MatchTextTest,
    ::testing::Values(MatchCase{"EqualIgnoringCase", "Smith", 3, false, "SMITH", true},
                      MatchCase{"EqualExactly", "Smith", 3, true, "SMITH", false},
                      MatchCase{"SortsAfter", "Smith", 4, false, "brown", true},
                      MatchCase{"BeginsWith", "Smithson", 6, false, "smith", true},
                      MatchCase{"LongerOperandNeverEnds", "son", 7, false, "Smithson", false},
                      MatchCase{"ContainsExactly", "Smithson", 8, true, "THS", false},
                      MatchCase{"NoOperand", "Smith", 3, false, nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataNodeTest, NumbersMatchByTheirLeadingNumberAndNeverTheirEqualAsGreaterOrLess)
{
    constexpr int equal = 3, greater = 4, less = 5;
    const struct {
        const char* text;
        int op;
        long operand;
        bool expected;
    } rows[] = {
        {"12", equal, 12, true},
        {"12", greater, 12, false},
        {"12", less, 12, false},
        {"12", greater, 11, true},
        {"12", less, 13, true},
        {"12 children", equal, 12, true},
        {"12 children", greater, 12, false},
        {"-3", less, -2, true},
        {"-3", greater, -3, false},
    };
    CDataNode* name = NewRecord(m_indi)->GetFirstChild();
    for (const auto& row : rows) {
        name->SetText(row.text);
        EXPECT_EQ(name->MatchNumber(0, row.op, row.operand), row.expected)
            << row.text << " op " << row.op << " " << row.operand;
    }
}

TEST_F(DataNodeTest, TextBufferIsCutOnACharacterBoundary)
{
    CDataNode* name = NewRecord(m_indi)->GetFirstChild();
    name->SetText("Zo\xC3\xAB");
    char buffer[4];
    EXPECT_EQ(name->GetTextBuf(buffer, sizeof buffer, 0), 2);
    EXPECT_STREQ(buffer, "Zo");
    EXPECT_EQ(name->CopyNodeText(buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(DataNodeTest, NotesAreFoundThroughLinksAndInPlace)
{
    CRecordNode* person = NewRecord(m_indi);
    CRecordNode* noteRecord = NewRecord(m_note);
    CDataNode* noteText = noteRecord->AddTextChild(FIELD_TEXT, "shared");
    CDataNode* emptyLink = person->CreateChildById(FIELD_NOTE);
    CDataNode* link = person->AddLinkChild(FIELD_NOTE, noteRecord);
    CDataNode* local = person->AddTextChild(FIELD_NOTE_TEXT, "here");
    bool isLocal = true;
    CDataNode* text = nullptr;
    EXPECT_EQ(person->GetNextNoteText(nullptr, isLocal, text, false), emptyLink);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(person->GetNextNoteText(nullptr, isLocal, text, true), link);
    EXPECT_FALSE(isLocal);
    EXPECT_EQ(text, noteText);
    EXPECT_EQ(person->GetNextNoteText(link, isLocal, text, true), local);
    EXPECT_TRUE(isLocal);
    EXPECT_EQ(text, local);
    EXPECT_TRUE(person->LinksTo(noteRecord, false));
    EXPECT_EQ(person->FindLinkChild(FIELD_NOTE, noteRecord), link);
    int links = 0;
    person->CountLinksTo(noteRecord, links);
    EXPECT_EQ(links, 1);
}

TEST_F(DataNodeTest, DeleteMarkedChildrenDeletesMarkedDescendants)
{
    CRecordNode* person = NewRecord(m_indi);
    CDataNode* birth = person->CreateChildById(FIELD_BIRT);
    birth->FindChild(nullptr, FIELD_PLAC)->SetFlag(DNF_MARK, true);
    EXPECT_TRUE(person->DeleteMarkedChildren());
    EXPECT_EQ(ChildTags(birth), "DATE");
    EXPECT_FALSE(person->DeleteMarkedChildren());
}

TEST_F(DataNodeTest, RecordsPickedForDeletionLeaveInOneWalkAndTheChainStaysWhole)
{
    std::vector<CRecordNode*> records;
    for (int i = 0; i < 6; ++i)
        records.push_back(NewRecord(m_indi));
    // The first, two in the middle and the last go: every kind of position in the chain.
    const std::set<const CDataNode*> leaving = {records[0], records[2], records[3], records[5]};
    static_cast<CRootNode*>(m_indi)->DeleteRecordsWhere(
        [&](const CDataNode* record) { return leaving.count(record) != 0; });
    EXPECT_EQ(m_indi->GetFirstChild(), records[1]);
    EXPECT_EQ(records[1]->GetNextSibling(), records[4]);
    EXPECT_EQ(records[4]->GetNextSibling(), nullptr);
    EXPECT_EQ(records[4]->GetParent(), m_indi);
    for (const CDataNode* gone : leaving)
        EXPECT_TRUE(gone->IsPendingDeletion());
    // The root's last record moved back: a new record is appended after the last one kept.
    CRecordNode* added = NewRecord(m_indi);
    EXPECT_EQ(records[4]->GetNextSibling(), added);
    NotifyChanges();
    EXPECT_EQ(m_indi->GetFirstChild(), records[1]);
}

TEST_F(DataNodeTest, ARootKeepsItsRecordCountAndEachRecordItsPredecessorThroughEveryChange)
{
    // Walks the chain, checking that each record names the one before it; the count walked.
    const auto walked = [this] {
        std::size_t count = 0;
        const CDataNode* prev = nullptr;
        for (const CDataNode* r = m_indi->GetFirstChild(); r; prev = r, r = r->GetNextSibling()) {
            EXPECT_EQ(r->GetPrevSibling(), prev) << "record " << count;
            ++count;
        }
        return count;
    };
    const std::size_t before = m_indi->CountChildren();
    ASSERT_EQ(before, walked());
    std::vector<CRecordNode*> records;
    for (int i = 0; i < 5; ++i)
        records.push_back(NewRecord(m_indi));
    EXPECT_EQ(m_indi->CountChildren(), before + 5);
    m_indi->DeleteChild(records[1]);
    EXPECT_EQ(m_indi->CountChildren(), before + 4);
    EXPECT_EQ(m_indi->CountChildren(), walked());
    EXPECT_EQ(records[1]->GetPrevSibling(), nullptr) << "a deleted record names no neighbour";
    records[3]->MoveTo(m_indi, records[2], true);
    EXPECT_EQ(records[3]->GetNextSibling(), records[2]);
    EXPECT_EQ(m_indi->CountChildren(), walked());
    static_cast<CRootNode*>(m_indi)->DeleteRecordsWhere(
        [&](const CDataNode* record) { return record == records[0] || record == records[4]; });
    EXPECT_EQ(m_indi->CountChildren(), before + 2);
    EXPECT_EQ(m_indi->CountChildren(), walked());
    m_indi->DeleteChild(m_indi->GetFirstChild());
    EXPECT_EQ(m_indi->CountChildren(), walked()) << "the first record gone";
    NewRecord(m_indi);
    EXPECT_EQ(m_indi->CountChildren(), walked());
    NotifyChanges();
    m_indi->DeleteChildren();
    EXPECT_EQ(m_indi->CountChildren(), 0u);
    NewRecord(m_indi);
    EXPECT_EQ(m_indi->CountChildren(), 1u);
    EXPECT_EQ(walked(), 1u);
}

TEST_F(DataNodeTest, ARecordNamesItsParentUnderAnyRootAndUnderANodeOfThePool)
{
    CRecordNode* person = NewRecord(m_indi);
    CRecordNode* family = NewRecord(m_fam);
    CRecordNode* moved = NewRecord(m_indi);
    auto spare = std::make_unique<CRootNode>();
    spare->SetFieldDef(m_indi->GetFieldDef());
    moved->MoveTo(spare.get(), nullptr, false);
    EXPECT_EQ(person->GetParent(), m_indi);
    EXPECT_EQ(family->GetParent(), m_fam);
    EXPECT_EQ(moved->GetParent(), spare.get());
    EXPECT_EQ(spare->GetFirstChild(), moved);
    EXPECT_EQ(m_indi->CountChildren(), 1u);
    moved->MoveTo(m_indi, nullptr, false);
    // A root made after one was freed takes its slot; the records moved back keep theirs.
    spare.reset();
    const auto successor = std::make_unique<CRootNode>();
    EXPECT_EQ(moved->GetParent(), m_indi);
    EXPECT_EQ(person->GetPrevSibling(), moved);
    EXPECT_EQ(m_indi->CountChildren(), 2u);
    NotifyChanges();

    // A record may also hang under a node of the pool, as a load holds what it reads.
    CDataNode* holder = new CDataNode;
    CDataNode* first = CreateNodeFromDef(m_indi->GetFieldDef(), false, nullptr);
    CDataNode* second = CreateNodeFromDef(m_indi->GetFieldDef(), false, nullptr);
    holder->LinkLoadedChild(first, nullptr);
    holder->LinkLoadedChild(second, first);
    EXPECT_EQ(second->GetParent(), holder);
    EXPECT_EQ(second->GetPrevSibling(), first);
    holder->UnlinkLoadedChild(first, nullptr);
    EXPECT_EQ(holder->GetFirstChild(), second);
    EXPECT_EQ(second->GetPrevSibling(), nullptr);
    EXPECT_EQ(first->GetParent(), nullptr);
    DestroyNodeTree(first);
    DestroyNodeTree(holder);
}

TEST(RootSlotTest, RootsBeyondTheLimitAreRefusedAndAFreedSlotServesAgain)
{
    std::vector<std::unique_ptr<CRootNode>> roots;
    try {
        while (roots.size() <= CRootNode::kMaxLive)
            roots.push_back(std::make_unique<CRootNode>());
    } catch (const std::length_error&) {
    }
    ASSERT_FALSE(roots.empty());
    ASSERT_LE(roots.size(), std::size_t(CRootNode::kMaxLive));
    EXPECT_THROW(std::make_unique<CRootNode>(), std::length_error);
    roots.erase(roots.begin());
    EXPECT_NO_THROW(roots.push_back(std::make_unique<CRootNode>()));
    for (const auto& root : roots)
        EXPECT_EQ(CRootNode::AtSlot(CRootNode::SlotOf(root.get())), root.get());
}

} // namespace
} // namespace node_test
