// tests/database/records/assoc_node_test.cpp: tests of record links: cross-references read,
// resolved both ways, dangling and written back.
#include "common/preferences.h"
#include "database/records/record_links.h"
#include "platform/base/progress.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace record_test;

namespace {

class AssocNodeTest : public CRecordTest {};

// ---- Reading cross-references --------------------------------------------------------------

struct XrefCase {
    const char* name;
    const char* text;
    bool accepted;
    std::int32_t number; // 0: kept as text (when accepted)
    const char* written; // the cross-reference written back for a dangling reference
};

class AssocNodeXref : public AssocNodeTest, public ::testing::WithParamInterface<XrefCase> {};

TEST_P(AssocNodeXref, ReadsTheNumberOrKeepsTheText)
{
    const XrefCase& c = GetParam();
    LoadRecord(kFam, "F1"); // teaches the prefix F
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    const CFieldDef* def = FindChildDefByTag(individual->GetFieldDef(), "FAMC");
    auto* link = dynamic_cast<CAssocNode*>(CreateNodeFromDef(def, false, nullptr));
    individual->AppendChild(link, true);
    EXPECT_EQ(link->SetText(c.text), c.accepted);
    EXPECT_EQ(link->HasCrossReference(), c.accepted);
    EXPECT_EQ(link->GetReferenceNumber(), c.number);
    EXPECT_EQ(link->GetXrefText(), c.written);
}

INSTANTIATE_TEST_SUITE_P(Xrefs, AssocNodeXref,
                         ::testing::Values(XrefCase{"Standard", "@F12@", true, 12, "@F12@"},
                                           XrefCase{"LeadingZeros", "@F007@", true, 7, "@F7@"},
                                           XrefCase{"ZeroIsText", "@F0@", true, 0, "@F0@"},
                                           XrefCase{"OtherFormIsText", "@FX1@", true, 0, "@FX1@"},
                                           XrefCase{"TwoAtSignsAlone", "@@", false, 0, ""},
                                           XrefCase{"NoAtSigns", "F12", false, 0, ""},
                                           XrefCase{"OpenEnded", "@F12", false, 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssocNodeTest, ALinkReadAgainDropsWhatItHeld)
{
    // Over a target (whose count goes down), a kept text and a kept number.
    CRecordNode* family = LoadRecord(kFam, "F12");
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    CAssocNode* link = LoadLink(individual, "FAMS", "@F12@");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    ASSERT_EQ(family->GetLinkCount(), 1);
    EXPECT_TRUE(link->SetText("@F-odd@"));
    EXPECT_EQ(family->GetLinkCount(), 0);
    EXPECT_EQ(link->GetLinkTarget(), nullptr);
    EXPECT_EQ(link->GetXrefText(), "@F-odd@");
    EXPECT_TRUE(link->SetText("@F13@"));
    EXPECT_EQ(link->GetReferenceNumber(), 13);
    EXPECT_EQ(CAssocNode::CountKeptTexts(), 0u) << "the text is freed";
    EXPECT_TRUE(link->SetText("@F14@"));
    EXPECT_EQ(link->GetXrefText(), "@F14@");
}

TEST_F(AssocNodeTest, EveryLinkDefinitionNamesItsOwnTargetsType)
{
    // Links of every definition, asked in turn and then again in the other order, so that
    // definitions sharing a remembered answer ask after one another.
    std::vector<const CFieldDef*> pending;
    for (const CRecordType& row : GetRecordTypeTable().Rows()) {
        if (row.m_topDef)
            pending.push_back(row.m_topDef);
    }
    std::set<const CFieldDef*> seen;
    std::vector<CDataNode*> links;
    std::set<int> types;
    while (!pending.empty()) {
        const CFieldDef* def = pending.back();
        pending.pop_back();
        if (!seen.insert(def).second)
            continue;
        for (const CFieldDef* child = def->GetFirstChild(); child; child = child->GetNextSibling())
            pending.push_back(child);
        if (def->GetDataType() == FDT_LINK) {
            links.push_back(CreateNodeFromDef(def, false, nullptr));
            types.insert(GetRecordTypeIndex(def->GetLinkTarget()));
        }
    }
    std::vector<std::string> wrong;
    for (int round = 0; round < 2; ++round) {
        for (const CDataNode* node : links) {
            const auto* link = dynamic_cast<const CAssocNode*>(node);
            const CFieldDef* def = node->GetFieldDef();
            if (!link || link->GetTargetTypeIndex() != GetRecordTypeIndex(def->GetLinkTarget()))
                wrong.push_back(def->GetTag() + " under " + def->GetParent()->GetTag());
        }
        std::reverse(links.begin(), links.end());
    }
    for (CDataNode* link : links)
        DestroyNodeTree(link);
    EXPECT_GT(links.size(), 64u) << "more definitions than remembered answers";
    EXPECT_GE(types.size(), 5u);
    EXPECT_EQ(wrong, std::vector<std::string>());
}

// ---- Resolving a load's links --------------------------------------------------------------

/// Collects the dangling references a resolution reports.
class CDanglingList final : public IDanglingLinkSink {
public:
    void OnDanglingLink(const CAssocNode& link, std::string_view xref) override
    {
        m_reported.push_back(std::string(link.GetFieldDef()->GetTag()) + " " + std::string(xref));
    }
    std::vector<std::string> m_reported;
};

TEST_F(AssocNodeTest, LoadedLinksResolveBothWaysWithCounts)
{
    CRecordNode* child = LoadRecord(kIndi, "I1");
    LoadLink(child, "FAMC", "@F1@");
    CRecordNode* family = LoadRecord(kFam, "F1");
    LoadLink(family, "CHIL", "@I1@");
    CRecordNode* note = LoadRecord(kNote, "NOTE-A");
    LoadLink(family, "NOTE", "@NOTE-A@");
    EXPECT_EQ(CAssocNode::CountKeptTexts(), 1u);
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(CAssocNode::CountKeptTexts(), 0u) << "a resolved link keeps no text";
    EXPECT_EQ(LinksTo(child, family), "FAMC");
    EXPECT_EQ(LinksTo(family, child), "CHIL");
    EXPECT_EQ(LinksTo(family, note), "NOTE");
    EXPECT_EQ(family->GetLinkCount(), 1);
    EXPECT_EQ(child->GetLinkCount(), 1);
    EXPECT_EQ(note->GetLinkCount(), 1);
}

TEST_F(AssocNodeTest, OnlyTheLinksOfThisLoadAreResolved)
{
    CRecordNode* family = LoadRecord(kFam, "F1");
    CAssocNode* earlier = LoadLink(LoadRecord(kIndi, "I1"), "FAMS", "@F1@");
    CAssocNode* stop = CAssocNode::GetFirstLink();
    CAssocNode* later = LoadLink(LoadRecord(kIndi, "I2"), "FAMS", "@F1@");
    ResolveLinkTargets(stop, nullptr, nullptr);
    EXPECT_EQ(later->GetLinkTarget(), family);
    EXPECT_EQ(earlier->GetLinkTarget(), nullptr);
    EXPECT_TRUE(earlier->HasCrossReference());
}

TEST_F(AssocNodeTest, ResolutionMovesTheProgressBar)
{
    LoadRecord(kFam, "F1");
    for (int i = 0; i < 3; ++i)
        LoadLink(LoadRecord(kIndi, ""), "FAMS", "@F1@");
    CProgressRecorder progress;
    progress.BeginProgress(10, "Loading file...");
    ResolveLinkTargets(nullptr, &progress, nullptr);
    const auto calls = progress.TakeCalls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[1],
              (CProgressRecorder::Call{CProgressRecorder::Call::Reset, 3, "Initialising data..."}));
    EXPECT_EQ(calls[4].value, 3);
}

TEST_F(AssocNodeTest, ResolutionCountsOnlyTheLinksStillHeld)
{
    LoadRecord(kFam, "F1");
    std::vector<CAssocNode*> links;
    for (int i = 0; i < 4; ++i)
        links.push_back(LoadLink(LoadRecord(kIndi, ""), "FAMS", "@F1@"));
    for (CAssocNode* gone : {links[0], links[2]}) {
        gone->GetParent()->UnlinkChild(gone, true);
        DestroyNodeTree(gone);
    }
    CProgressRecorder progress;
    ResolveLinkTargets(nullptr, &progress, nullptr);
    const auto calls = progress.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0],
              (CProgressRecorder::Call{CProgressRecorder::Call::Reset, 2, "Initialising data..."}));
}

TEST_F(AssocNodeTest, DanglingReferencesAreReportedKeptAndWrittenBack)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    CAssocNode* famc = LoadLink(individual, "FAMC", "@F9@");
    LoadField(famc, "PEDI", "birth");
    LoadLink(individual, "NOTE", "@ODD@");
    LoadRecord(kFam, "F2");
    CDanglingList dangling;
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, &dangling), 2);
    EXPECT_EQ(dangling.m_reported, (std::vector<std::string>{"FAMC @F9@", "NOTE @ODD@"}));
    EXPECT_EQ(CAssocNode::CountKeptTexts(), 1u) << "the dangling @ODD@ is kept";
    FinishLoadedRecordIds();
    EXPECT_EQ(GetRecordIdState(kFam)->m_counter, 9) << "the number is reserved";
    EXPECT_EQ(NewFamily()->GetRecordNumber(), 10);
    EXPECT_EQ(Written(*individual),
              "0 @I1@ INDI\r\n1 FAMC @F9@\r\n2 PEDI birth\r\n1 NOTE @ODD@\r\n");
    CFamRec* family = NewFamily();
    EXPECT_EQ(famc->SetLink(family, true), 1);
    EXPECT_FALSE(famc->HasCrossReference()) << "a new target replaces the kept reference";
    EXPECT_EQ(famc->GetXrefText(), "@F11@");
}

TEST_F(AssocNodeTest, AHeldIdentifierOutlivesALoadEndedBeforeItsLinksResolved)
{
    LoadRecord(kFam, "F1"); // teaches the prefix F
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    CAssocNode* note = LoadLink(individual, "NOTE", "@N-7@");
    CAssocNode* family = LoadLink(individual, "FAMS", "@X12@");
    FinishLoadedRecordIds();
    EXPECT_EQ(CAssocNode::CountKeptTexts(), 2u);
    EXPECT_EQ(note->GetKeptText(), "N-7");
    EXPECT_EQ(family->GetXrefText(), "@X12@");
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, nullptr), 2);
    EXPECT_EQ(Written(*individual), "0 @I1@ INDI\r\n1 FAMS @X12@\r\n1 NOTE @N-7@\r\n");
}

TEST_F(AssocNodeTest, HeldIdentifiersOfSeveralTypesAndPrefixesFindTheirOwnRecords)
{
    // A held identifier keeps its target type beside its prefix group in the link: links to
    // families and notes of several prefixes each, read before their records.
    CRecordNode* individual = LoadRecord(kIndi, "C9_I1");
    std::vector<std::pair<CAssocNode*, std::string>> links;
    for (const std::string copy : {"C1_", "C2_", "C3_"}) {
        links.emplace_back(LoadLink(individual, "FAMS", "@" + copy + "F2@"), copy + "F2");
        links.emplace_back(LoadLink(individual, "NOTE", "@" + copy + "N1@"), copy + "N1");
    }
    std::map<std::string, CRecordNode*> records;
    for (const std::string copy : {"C1_", "C2_", "C3_"}) {
        for (const std::string family : {"F1", "F2"})
            records[copy + family] = LoadRecord(kFam, copy + family);
        records[copy + "N1"] = LoadRecord(kNote, copy + "N1");
    }
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, nullptr), 0);
    for (const auto& [link, text] : links)
        EXPECT_EQ(link->GetLinkTarget(), records[text]) << text;
}

TEST_F(AssocNodeTest, ManyLinksResolveToTheirOwnTargetsAndDanglingOnesInFileOrder)
{
    // Enough links that each is fetched well before it is resolved, with empty slots among
    // them and older links below the stop link that stay as they are.
    std::vector<CRecordNode*> families;
    for (int i = 1; i <= 150; ++i)
        families.push_back(LoadRecord(kFam, "F" + std::to_string(i)));
    std::vector<CAssocNode*> older;
    for (int i = 0; i < 40; ++i)
        older.push_back(LoadLink(LoadRecord(kIndi, ""), "FAMS", "@F1@"));
    CAssocNode* stop = CAssocNode::GetFirstLink();
    std::vector<std::pair<CAssocNode*, int>> links; // with the number each names
    for (int i = 0; i < 300; ++i) {
        const int number = i % 7 == 3 ? 900 + i : 1 + (i * 37) % 150;
        const std::string xref = "@F" + std::to_string(number) + "@";
        links.emplace_back(LoadLink(LoadRecord(kIndi, ""), "FAMS", xref), number);
    }
    for (std::size_t i = 5; i < links.size(); i += 11) {
        CAssocNode* gone = links[i].first;
        gone->GetParent()->UnlinkChild(gone, true);
        DestroyNodeTree(gone);
        links[i].first = nullptr;
    }
    std::vector<std::string> expected;
    for (const auto& [link, number] : links) {
        if (link && number > 150)
            expected.push_back("FAMS @F" + std::to_string(number) + "@");
    }
    CDanglingList dangling;
    EXPECT_EQ(ResolveLinkTargets(stop, nullptr, &dangling), int(expected.size()));
    EXPECT_EQ(dangling.m_reported, expected);
    for (const auto& [link, number] : links) {
        if (!link)
            continue;
        EXPECT_EQ(link->GetLinkTarget(), number <= 150 ? families[number - 1] : nullptr) << number;
        EXPECT_EQ(link->HasCrossReference(), number > 150) << number;
    }
    for (const CAssocNode* link : older)
        EXPECT_EQ(link->GetLinkTarget(), nullptr);
}

TEST_F(AssocNodeTest, LinksFindRecordsNumberedOnManyPagesOfTheirCopies)
{
    // Records numbered as in a file made of copies (each copy from its own offset, beyond the
    // table indexed by number), on pages whose numbers are sixteen apart, and one far beyond them;
    // links to each, to numbers missing on those pages, and to individuals and families in
    // turn, read before and after their records.
    std::vector<std::pair<CAssocNode*, CRecordNode*>> links; // with the record each names
    std::vector<std::string> missing;
    CRecordNode* holder = LoadRecord(kIndi, "I1");
    std::map<std::int32_t, CRecordNode*> families;
    std::vector<std::int32_t> numbers;
    for (std::int32_t copy = 1; copy <= 3; ++copy) {
        for (std::int32_t i = 1; i <= 600; i += 3)
            numbers.push_back(copy * 1000000 + i + (i % 2) * 16 * 256);
    }
    numbers.push_back(2000000000);
    for (std::size_t i = 0; i < numbers.size(); i += 2)
        links.emplace_back(LoadLink(holder, "FAMS", "@F" + std::to_string(numbers[i]) + "@"),
                           nullptr);
    for (const std::int32_t number : numbers)
        families[number] = LoadRecord(kFam, "F" + std::to_string(number));
    for (std::size_t i = 0, k = 0; i < numbers.size(); i += 2, ++k)
        links[k].second = families[numbers[i]];
    for (std::size_t i = numbers.size(); i-- > 0;) {
        links.emplace_back(LoadLink(holder, "FAMS", "@F" + std::to_string(numbers[i]) + "@"),
                           families[numbers[i]]);
        links.emplace_back(LoadLink(families[numbers[i]], "HUSB", "@I1@"), holder);
        if (i % 50 == 0) {
            const std::string xref = "@F" + std::to_string(numbers[i] + 1) + "@";
            links.emplace_back(LoadLink(holder, "FAMS", xref), nullptr);
            missing.push_back("FAMS " + xref);
        }
    }
    CDanglingList dangling;
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, &dangling), int(missing.size()));
    EXPECT_EQ(dangling.m_reported, missing);
    for (const auto& [link, record] : links)
        EXPECT_EQ(link->GetLinkTarget(), record) << link->GetXrefText();
}

TEST_F(AssocNodeTest, ALinkToARecordDestroyedDuringTheLoadDangles)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    CAssocNode* famc = LoadLink(individual, "FAMC", "@F4@");
    CRecordNode* family = LoadRecord(kFam, "F4");
    GetRecordTypeRoot(kFam)->UnlinkChild(family, false);
    DestroyNodeTree(family);
    EXPECT_EQ(ResolveLinkTargets(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(famc->GetLinkTarget(), nullptr);
}

// ---- Writing -------------------------------------------------------------------------------

TEST_F(AssocNodeTest, ALinkWritesItsTargetsIdentifier)
{
    CFamRec* family = NewFamily();
    family->SetRecordNumber(12);
    CIndRec* child = NewIndividual();
    CAssocNode* famc = Link(child, "FAMC", family);
    EXPECT_EQ(Written(*famc, 1), "1 FAMC @F12@\r\n");
    family->SetRecordNumber(0);
    famc->CreateChildByTag("PEDI")->SetText("birth");
    EXPECT_EQ(Written(*famc, 1), "") << "nor its sub-fields";
}

// ---- Reciprocal links ----------------------------------------------------------------------

TEST_F(AssocNodeTest, LinkingMakesTheReciprocalLink)
{
    CFamRec* family = NewFamily();
    CIndRec* man = NewIndividual(SEX_MALE);
    CIndRec* woman = NewIndividual(SEX_FEMALE);
    CIndRec* child = NewIndividual();
    Link(child, "FAMC", family);
    Link(man, "FAMS", family);
    Link(family, "WIFE", woman);
    EXPECT_EQ(LinksTo(family, child), "CHIL");
    EXPECT_EQ(LinksTo(family, man), "HUSB");
    EXPECT_EQ(LinksTo(woman, family), "FAMS");
    EXPECT_EQ(family->GetLinkCount(), 3);
    EXPECT_EQ(child->GetLinkCount(), 1);
    EXPECT_EQ(family->GetHusband(), man);
    EXPECT_EQ(family->GetWife(), woman);
}

TEST_F(AssocNodeTest, DeletingALinkRemovesTheReciprocalLink)
{
    CFamRec* family = NewFamily();
    CIndRec* child = NewIndividual();
    CAssocNode* famc = Link(child, "FAMC", family);
    NotifyChanges();
    child->DeleteChild(famc);
    EXPECT_EQ(LinksTo(family, child), "");
    EXPECT_TRUE(IsRecordListed(family));
    EXPECT_TRUE(IsFamilyCleanupFlagSet());
    EXPECT_EQ(family->GetLinkCount(), 0);
    EXPECT_EQ(child->GetLinkCount(), 0);
    NotifyChanges();
}

TEST_F(AssocNodeTest, ClearingALinkKeepsTheFieldAndDropsTheOtherSide)
{
    CFamRec* family = NewFamily();
    CIndRec* man = NewIndividual(SEX_MALE);
    CAssocNode* husband = Link(family, "HUSB", man);
    husband->ClearLink();
    EXPECT_TRUE(husband->IsEmpty());
    EXPECT_EQ(husband->GetParent(), family);
    EXPECT_EQ(LinksTo(man, family), "");
    std::string text;
    husband->GetText(text, 1);
    EXPECT_EQ(text, "Husband: <none>");
}

TEST_F(AssocNodeTest, AHusbandOfUnrecordedSexBecomesMale)
{
    CFamRec* family = NewFamily();
    CIndRec* person = NewIndividual();
    Link(family, "HUSB", person);
    EXPECT_EQ(person->GetSex(), SEX_MALE);
    EXPECT_EQ(LinksTo(person, family), "FAMS");
}

TEST_F(AssocNodeTest, ASpouseFamilyOfUnrecordedSexAsksTheSex)
{
    struct CAnswer final : ISexQuestion {
        int AskSex(const std::string& name) override
        {
            m_asked = name;
            return m_answer;
        }
        int m_answer = -1;
        std::string m_asked;
    } question;
    SetSexQuestion(&question);
    CFamRec* family = NewFamily();
    CIndRec* person = NewIndividual(SEX_UNDETERMINED, "Ann /Lee/");
    auto* fams = dynamic_cast<CAssocNode*>(person->CreateChildByTag("FAMS"));
    EXPECT_EQ(fams->SetLink(family, true), 0) << "cancelled";
    EXPECT_FALSE(question.m_asked.empty());
    EXPECT_TRUE(fams->IsEmpty());
    EXPECT_EQ(person->GetSex(), SEX_UNDETERMINED);
    question.m_answer = SEX_FEMALE;
    EXPECT_EQ(fams->SetLink(family, true), 1);
    EXPECT_EQ(person->GetSex(), SEX_FEMALE);
    EXPECT_EQ(LinksTo(family, person), "WIFE");
    SetSexQuestion(nullptr);
}

struct CheckCase {
    const char* name;
    const char* holderTag; // "INDI" or "FAM"
    const char* linkTag;
    int holderSex;
    int selectedSex;
    const char* existing; // the selected family's partners: "H", "W", "HW" or ""
    int code;
    const char* message;
};

class AssocNodeCheck : public AssocNodeTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AssocNodeCheck, ValidatesFamilyLinks)
{
    const CheckCase& c = GetParam();
    const bool fromFamily = std::string_view(c.holderTag) == "FAM";
    CRecordNode* holder =
        fromFamily ? static_cast<CRecordNode*>(NewFamily()) : NewIndividual(c.holderSex);
    CRecordNode* selected = nullptr;
    if (fromFamily) {
        selected = NewIndividual(c.selectedSex);
    } else {
        CFamRec* family = NewFamily();
        if (std::string_view(c.existing).find('H') != std::string_view::npos)
            Link(family, "HUSB", NewIndividual(SEX_MALE));
        if (std::string_view(c.existing).find('W') != std::string_view::npos)
            Link(family, "WIFE", NewIndividual(SEX_FEMALE));
        selected = family;
    }
    const CFieldDef* def = FindChildDefByTag(holder->GetFieldDef(), c.linkTag);
    std::string message;
    EXPECT_EQ(
        ValidateFamilyLink(def->GetLinkTarget(), holder, selected, def->GetFieldId(), message),
        c.code);
    EXPECT_EQ(message, c.message);
}

constexpr int M = SEX_MALE, F = SEX_FEMALE, U = SEX_UNDETERMINED;

INSTANTIATE_TEST_SUITE_P(
    Rules, AssocNodeCheck,
    ::testing::Values(CheckCase{"HusbandFemale", "FAM", "HUSB", U, F, "", FLC_REFUSED, "Wrong sex"},
                      CheckCase{"HusbandMale", "FAM", "HUSB", U, M, "", FLC_LINK, ""},
                      CheckCase{"HusbandUnknown", "FAM", "HUSB", U, U, "", FLC_SET_MALE, ""},
                      CheckCase{"WifeMale", "FAM", "WIFE", U, M, "", FLC_REFUSED, "Wrong sex"},
                      CheckCase{"WifeUnknown", "FAM", "WIFE", U, U, "", FLC_SET_FEMALE, ""},
                      CheckCase{"BothPartners", "INDI", "FAMS", M, U, "HW", FLC_REFUSED,
                                "The selected Family already has both a Husband and a Wife."},
                      CheckCase{"HusbandTaken", "INDI", "FAMS", M, U, "H", FLC_REFUSED,
                                "The selected Family already has a Husband."},
                      CheckCase{"WifeTaken", "INDI", "FAMS", F, U, "W", FLC_REFUSED,
                                "The selected Family already has a Wife."},
                      CheckCase{"OnlyWifeFree", "INDI", "FAMS", U, U, "H", FLC_SET_FEMALE, ""},
                      CheckCase{"BothFree", "INDI", "FAMS", U, U, "", FLC_ASK_SEX, ""},
                      CheckCase{"ParentFamily", "INDI", "FAMC", U, U, "", FLC_LINK, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssocNodeTest, AMemberOrParentFamilyIsNotLinkedTwice)
{
    CFamRec* family = NewFamily();
    CIndRec* child = NewIndividual();
    CIndRec* man = NewIndividual(SEX_MALE);
    Link(family, "CHIL", child);
    Link(family, "HUSB", man);
    const CFieldDef* chil = FindChildDefByTag(family->GetFieldDef(), "CHIL");
    std::string message;
    EXPECT_EQ(ValidateFamilyLink(chil->GetLinkTarget(), family, child, FIELD_CHIL, message),
              FLC_REFUSED);
    EXPECT_EQ(message, "The selected Individual is already a child in this family.");
    EXPECT_EQ(ValidateFamilyLink(chil->GetLinkTarget(), family, man, FIELD_CHIL, message),
              FLC_REFUSED);
    EXPECT_EQ(message, "The selected Individual is already a parent in this family.");
    const CFieldDef* famc = FindChildDefByTag(child->GetFieldDef(), "FAMC");
    EXPECT_EQ(ValidateFamilyLink(famc->GetLinkTarget(), child, family, FIELD_FAMC, message),
              FLC_REFUSED);
    EXPECT_EQ(ValidateFamilyLink(famc->GetLinkTarget(), child, man, FIELD_FAMC, message),
              FLC_REFUSED);
    EXPECT_EQ(message, "Wrong record type for this link.");
}

TEST_F(AssocNodeTest, AChildWithParentsIsLinkedOnlyWhenTheUserAgrees)
{
    CFamRec* first = NewFamily();
    CFamRec* second = NewFamily();
    CIndRec* child = NewIndividual();
    Link(first, "CHIL", child);
    auto* chil = dynamic_cast<CAssocNode*>(second->CreateChildByTag("CHIL"));
    ind_test::CScriptedDialogs dialogs;
    SetRelativeDialogs(&dialogs);
    test_support::Prompt().Answer(IDNO);
    EXPECT_EQ(chil->SetLink(child, false), 0);
    test_support::Prompt().Answer(IDYES);
    EXPECT_EQ(chil->SetLink(child, false), 1);
    SetRelativeDialogs(nullptr);
    EXPECT_EQ(child->CountParentFamilies(false), 2);
    EXPECT_EQ(test_support::Prompt().TakeMessages().size(), 2u);
    EXPECT_EQ(AddParentFamilyQuestion(FIELD_FAMC, child),
              "This Individual record already has a Family (as child).  Are you sure you want to "
              "add another one?");
    EXPECT_EQ(AddParentFamilyQuestion(FIELD_FAMS, child), "");
}

TEST_F(AssocNodeTest, DeletingARecordDeletesTheLinksToIt)
{
    CIndRec* child = NewIndividual();
    CFamRec* families[2] = {NewFamily(), NewFamily()};
    for (CFamRec* family : families) {
        Link(family, "HUSB", NewIndividual(SEX_MALE));
        Link(family, "WIFE", NewIndividual(SEX_FEMALE));
        Link(family, "CHIL", child);
    }
    CIndRec* other = NewIndividual();
    Link(other, "ASSO", child);
    NotifyChanges();
    GetRecordTypeRoot(kIndi)->DeleteChild(child);
    NotifyChanges();
    for (CFamRec* family : families) {
        EXPECT_EQ(family->CountChildren(FIELD_CHIL), 0);
        EXPECT_EQ(family->GetLinkCount(), 2);
    }
    EXPECT_EQ(other->CountChildren(FIELD_ASSO), 0);
}

/// Records each link it is told of; deletes it (as a record's deletion does) when asked, and
/// at the first visit also the link in alsoDelete.
class CLinkRecorder final : public ILinkVisitor {
public:
    void OnLink(CRecordNode* target, CAssocNode* link, CRecordNode* holder) override
    {
        EXPECT_EQ(link->GetLinkTarget(), target);
        EXPECT_EQ(link->GetRecord(), holder);
        m_seen.push_back(link);
        if (CAssocNode* other = std::exchange(m_alsoDelete, nullptr))
            other->GetParent()->DeleteChild(other);
        if (m_delete)
            link->GetParent()->DeleteChild(link);
    }
    std::vector<CAssocNode*> m_seen;
    bool m_delete = false;
    CAssocNode* m_alsoDelete = nullptr;
};

/// The links to target held by records of typeDef (any when null), newest first, as the chain
/// of all links gives them.
std::vector<CAssocNode*> ChainLinksTo(const CRecordNode* target, const CFieldDef* typeDef)
{
    std::vector<CAssocNode*> links;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink())
        if (link->GetLinkTarget() == target &&
            (!typeDef || link->GetRecord()->GetFieldDef() == typeDef))
            links.push_back(link);
    return links;
}

TEST_F(AssocNodeTest, TheLinksToARecordAreToldNewestFirstWhateverTheVisitsDelete)
{
    // Links to a source from individuals and families among links to another source, some
    // already deleted, more than the walk asks for ahead; the first link made and the last
    // point at the source.
    CRecordNode* source = NewRecord(kSour);
    CRecordNode* other = NewRecord(kSour);
    std::vector<CRecordNode*> holders;
    for (int i = 0; i < 60; ++i)
        holders.push_back(i % 3 == 2 ? static_cast<CRecordNode*>(NewFamily()) : NewIndividual());
    std::vector<CAssocNode*> made;
    for (std::size_t i = 0; i < holders.size(); ++i) {
        made.push_back(Link(holders[i], "SOUR", i % 4 == 1 ? other : source));
        if (i % 5 == 0)
            made.push_back(Link(holders[i], "SOUR", other));
    }
    made.push_back(Link(holders[7], "SOUR", source));
    for (std::size_t i = 3; i + 1 < made.size(); i += 11)
        made[i]->GetParent()->DeleteChild(made[i]);
    NotifyChanges();
    ASSERT_EQ(ChainLinksTo(source, nullptr).front(), made.back());
    ASSERT_EQ(ChainLinksTo(source, nullptr).back(), made.front());

    for (const CFieldDef* typeDef : {static_cast<const CFieldDef*>(nullptr),
                                     static_cast<const CFieldDef*>(holders[0]->GetFieldDef())}) {
        CLinkRecorder recorder;
        EnumLinksTo(source, &recorder, typeDef);
        EXPECT_EQ(recorder.m_seen, ChainLinksTo(source, typeDef));
        EXPECT_GT(recorder.m_seen.size(), 20u);
    }

    // Each visit deletes its link; the first also deletes an older link to the source, which
    // is then not told.
    std::vector<CAssocNode*> expected = ChainLinksTo(source, nullptr);
    CLinkRecorder deleter;
    deleter.m_delete = true;
    deleter.m_alsoDelete = expected[expected.size() / 2];
    expected.erase(expected.begin() + std::ptrdiff_t(expected.size() / 2));
    EnumLinksTo(source, &deleter, nullptr);
    EXPECT_EQ(deleter.m_seen, expected);
    NotifyChanges();
    EXPECT_TRUE(ChainLinksTo(source, nullptr).empty());
    EXPECT_EQ(source->GetLinkCount(), 0);
    EXPECT_EQ(ChainLinksTo(other, nullptr).size(), std::size_t(other->GetLinkCount()));
}

/// For every record of the data set and every target of a link, the links its index by target
/// gives, against the links of the chain of all links with that target.
void ExpectIndexByTargetMatchesTheChain(const char* step)
{
    std::map<const CRecordNode*, std::multiset<const CAssocNode*>> chain;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink())
        if (const CRecordNode* target = link->GetLinkTarget())
            chain[target].insert(link);
    std::set<const CRecordNode*> records;
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type)
        for (const CDataNode* record = GetRecordTypeRoot(type)->GetFirstChild(); record;
             record = record->GetNextSibling())
            records.insert(static_cast<const CRecordNode*>(record));
    for (const auto& [target, links] : chain)
        records.insert(target);
    for (const CRecordNode* record : records) {
        std::multiset<const CAssocNode*> indexed;
        for (const CAssocNode* link = CAssocNode::FirstLinkTo(record);
             link && indexed.size() <= CAssocLinkTable::Count(); link = link->GetNextLinkToTarget())
            indexed.insert(link);
        EXPECT_EQ(indexed, chain[record]) << step << ": " << record->GetIdText();
        EXPECT_EQ(indexed.size(), std::size_t(record->GetLinkCount()))
            << step << ": " << record->GetIdText();
    }
}

TEST_F(AssocNodeTest, TheIndexByTargetFollowsLoadsEditsAndDeletions)
{
    // A load: links resolved, one left dangling, one to a record discarded during the load.
    CRecordNode* family = LoadRecord(kFam, "F1");
    CRecordNode* husband = LoadRecord(kIndi, "I1");
    CRecordNode* wife = LoadRecord(kIndi, "I2");
    CRecordNode* note = LoadRecord(kNote, "N1");
    LoadLink(husband, "FAMS", "@F1@");
    LoadLink(wife, "FAMS", "@F1@");
    LoadLink(family, "HUSB", "@I1@");
    LoadLink(family, "WIFE", "@I2@");
    for (CRecordNode* holder : {family, husband, wife})
        LoadLink(holder, "NOTE", "@N1@");
    LoadLink(husband, "FAMC", "@F9@");
    ResolveLinkTargets(nullptr, nullptr, nullptr);
    FinishLoadedRecordIds();
    ExpectIndexByTargetMatchesTheChain("loaded");

    // Edits: new links, a link pointed elsewhere, cleared, copied, read again from text.
    CIndRec* child = NewIndividual(SEX_MALE);
    CAssocNode* famc = Link(child, "FAMC", family);
    CRecordNode* other = NewRecord(kNote);
    CAssocNode* childNote = Link(child, "NOTE", note);
    ExpectIndexByTargetMatchesTheChain("linked");
    EXPECT_EQ(childNote->SetLink(other, true), 1);
    ExpectIndexByTargetMatchesTheChain("pointed elsewhere");
    childNote->ClearLink();
    ExpectIndexByTargetMatchesTheChain("cleared");
    auto* copy = dynamic_cast<CAssocNode*>(NewIndividual()->CreateChildByTag("FAMC"));
    copy->CopyValueFrom(famc);
    ExpectIndexByTargetMatchesTheChain("copied");
    EXPECT_TRUE(childNote->SetText("@N1@"));
    ExpectIndexByTargetMatchesTheChain("read again");

    // Deletions: a link, a record others link to, a record that links to others.
    child->DeleteChild(famc);
    NotifyChanges();
    ExpectIndexByTargetMatchesTheChain("link deleted");
    GetRecordTypeRoot(kNote)->DeleteChild(note);
    NotifyChanges();
    ExpectIndexByTargetMatchesTheChain("linked record deleted");
    // The note is freed: only its address may be compared, never read.
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink())
        EXPECT_NE(link->GetLinkTarget(), note);
    GetRecordTypeRoot(kIndi)->DeleteChild(wife);
    NotifyChanges();
    ExpectIndexByTargetMatchesTheChain("linking record deleted");
    EXPECT_EQ(FindRecordsLinkingTo(*family, nullptr),
              (std::vector<CRecordNode*>{husband, static_cast<CRecordNode*>(copy->GetRecord())}));
}

TEST_F(AssocNodeTest, ARecordFreedOutrightLeavesNoLinkPointingAtIt)
{
    CRecordNode* source = NewRecord(kSour);
    std::vector<CAssocNode*> links;
    for (int i = 0; i < 3; ++i)
        links.push_back(Link(NewIndividual(), "SOUR", source));
    GetRecordTypeRoot(kSour)->UnlinkChild(source, true);
    DestroyNodeTree(source);
    for (const CAssocNode* link : links)
        EXPECT_EQ(link->GetLinkTarget(), nullptr);
    ExpectIndexByTargetMatchesTheChain("freed");
}

TEST_F(AssocNodeTest, DeletingARecordDeletesTheLinksItHolds)
{
    CFamRec* family = NewFamily();
    CIndRec* man = NewIndividual(SEX_MALE);
    CRecordNode* note = NewRecord(kNote);
    Link(family, "HUSB", man);
    Link(family, "NOTE", note);
    NotifyChanges();
    GetRecordTypeRoot(kFam)->DeleteChild(family);
    NotifyChanges();
    EXPECT_EQ(man->CountChildren(FIELD_FAMS), 0);
    EXPECT_EQ(man->GetLinkCount(), 0);
    EXPECT_EQ(note->GetLinkCount(), 0);
}

TEST_F(AssocNodeTest, AFamilyLeftWithoutMembersGoesAndItsLinksWithIt)
{
    CFamRec* family = NewFamily();
    CIndRec* child = NewIndividual();
    CIndRec* man = NewIndividual(SEX_MALE);
    Link(family, "CHIL", child);
    Link(family, "HUSB", man);
    NotifyChanges();
    const bool cleanup = Prefs().m_autoCleanupFamilies;
    Prefs().m_autoCleanupFamilies = true;
    GetRecordTypeRoot(kIndi)->DeleteChild(child);
    NotifyChanges();
    Prefs().m_autoCleanupFamilies = cleanup;
    EXPECT_EQ(GetRecordTypeRoot(kFam)->GetFirstChild(), nullptr);
    EXPECT_EQ(man->CountChildren(FIELD_FAMS), 0);
    EXPECT_EQ(man->GetLinkCount(), 0);
}

TEST_F(AssocNodeTest, CopyingALinkLinksBothWays)
{
    CFamRec* family = NewFamily();
    CIndRec* first = NewIndividual();
    CIndRec* second = NewIndividual();
    CAssocNode* famc = Link(first, "FAMC", family);
    auto* copy = dynamic_cast<CAssocNode*>(second->CreateChildByTag("FAMC"));
    copy->CopyValueFrom(famc);
    EXPECT_EQ(copy->GetLinkTarget(), family);
    EXPECT_EQ(LinksTo(family, second), "CHIL");
    EXPECT_TRUE(copy->IsEqual(famc, nullptr));
    EXPECT_TRUE(copy->MatchRecord(0, 2, family));
}

TEST_F(AssocNodeTest, ANewRecordAtTheEndOfALink)
{
    CIndRec* person = NewIndividual(SEX_FEMALE);
    auto* fams = dynamic_cast<CAssocNode*>(person->CreateChildByTag("FAMS"));
    bool created = false;
    CRecordNode* family = fams->LinkToNewRecord(created);
    ASSERT_NE(family, nullptr);
    EXPECT_TRUE(created);
    EXPECT_EQ(LinksTo(family, person), "WIFE");
}

// ---- Choices for the record-selection dialog ----------------------------------------------

TEST_F(AssocNodeTest, MissingParentNeverListsAFamilyWithBothPartners)
{
    CFamRec* full = NewFamily();
    Link(full, "HUSB", NewIndividual(SEX_MALE));
    Link(full, "WIFE", NewIndividual(SEX_FEMALE));
    CFamRec* half = NewFamily();
    Link(half, "HUSB", NewIndividual(SEX_MALE));
    CFamRec* empty = NewFamily();
    CIndRec* person = NewIndividual();
    auto* fams = dynamic_cast<CAssocNode*>(person->CreateChildByTag("FAMS"));
    EXPECT_EQ(GetLinkFilterLabel(*fams), "Missing Parent");
    EXPECT_EQ(CollectFilteredLinkChoices(*fams, empty), std::vector<CRecordNode*>{half});
    auto* husband = dynamic_cast<CAssocNode*>(empty->CreateChildByTag("HUSB"));
    EXPECT_EQ(GetLinkFilterLabel(*husband), "No Females");
}

} // namespace
