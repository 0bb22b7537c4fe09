// tests/database/dictionary/field_dictionary_test.cpp: the shipped field-definitions table, as
// loaded from the data file the build made: the definitions and ids the program relies on, and the
// rules every definition keeps.
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

using test_support::DefByPath;

namespace {

class FieldDictionaryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError(); }

    /// Calls visit for every definition in both trees, with its parent (copies' children are
    /// their sources', visited once in the structure tree).
    static void ForEachDef(const std::function<void(const CFieldDef&, const CFieldDef&)>& visit)
    {
        const CFieldDictionary* dictionary = GetFieldDictionary();
        Walk(*dictionary->GetRecordRoot(), visit);
        Walk(*dictionary->GetStructRoot(), visit);
    }

private:
    static void Walk(const CFieldDef& parent,
                     const std::function<void(const CFieldDef&, const CFieldDef&)>& visit)
    {
        for (const CFieldDef* child = parent.GetFirstChild(); child;
             child = child->GetNextSibling()) {
            visit(*child, parent);
            if (!child->IsCopy())
                Walk(*child, visit);
        }
    }
};

struct RequiredField {
    const char* path;
    int fieldId;
    int dataType;
};

void PrintTo(const RequiredField& row, std::ostream* os)
{
    *os << row.path;
}

class RequiredFieldTest : public FieldDictionaryTest,
                          public ::testing::WithParamInterface<RequiredField> {};

// Fields the program names in its code and its record pages.
const RequiredField kRequiredFields[] = {
    {"INDI", FIELD_INDI, FDT_RECORD},
    {"INDI.NAME", FIELD_NAME, FDT_NAME},
    {"INDI.NAME._USED", FIELD_EXT_USED, FDT_TEXT},
    {"INDI.NAME.NPFX", FIELD_NPFX, FDT_TEXT},
    {"INDI.NAME.NICK", FIELD_NICK, FDT_TEXT},
    {"INDI.SEX", FIELD_SEX, FDT_ENUM},
    {"INDI.FAMC", FIELD_FAMC, FDT_LINK},
    {"INDI.FAMS", FIELD_FAMS, FDT_LINK},
    {"INDI.BIRT", FIELD_BIRT, FDT_COMPLEX},
    {"INDI.BIRT.DATE", FIELD_DATE, FDT_DATE},
    {"INDI.BIRT.PLAC", FIELD_PLAC, FDT_TEXT},
    {"INDI.DEAT.CAUS", FIELD_CAUS, FDT_TEXT},
    {"INDI.EMIG.PLAC", FIELD_PLAC, FDT_TEXT},
    {"INDI.ADOP.FAMC.ADOP", FIELD_ADOP, FDT_ENUM},
    {"INDI.EVEN.TYPE", FIELD_TYPE, FDT_TEXT},
    {"INDI.OCCU", FIELD_OCCU, FDT_TEXT},
    {"INDI.NCHI", FIELD_NCHI, FDT_NUMBER},
    {"INDI._ATTR", FIELD_CUSTOM_ATTR, FDT_TEXT},
    {"INDI.SLGC.FAMC", FIELD_FAMC, FDT_LINK},
    {"INDI.NOTE", FIELD_NOTE, FDT_LINK},
    {"INDI.NOTE2", FIELD_NOTE_TEXT, FDT_MULTI_TEXT},
    {"INDI.SOUR.PAGE", FIELD_PAGE, FDT_TEXT},
    {"INDI.SOUR.NOTE2", FIELD_NOTE_TEXT, FDT_MULTI_TEXT},
    {"INDI.OBJE._NUM", FIELD_OBJE_LINK_NUMBER, FDT_NUMBER},
    {"INDI.OBJE2.FILE", FIELD_FILE, FDT_TEXT},
    {"INDI.CHAN.DATE", FIELD_DATE, FDT_DATE},
    {"FAM.HUSB", FIELD_HUSB, FDT_LINK},
    {"FAM.WIFE", FIELD_WIFE, FDT_LINK},
    {"FAM.CHIL", FIELD_CHIL, FDT_LINK},
    {"FAM.MARR.DATE", FIELD_DATE, FDT_DATE},
    {"FAM.MARR.HUSB.AGE", FIELD_AGE, FDT_AGE},
    {"FAM.SLGS", FIELD_SLGS, FDT_COMPLEX},
    {"FAM.NOTE2", FIELD_NOTE_TEXT, FDT_MULTI_TEXT},
    {"HEAD.DEST", FIELD_DEST, FDT_TEXT},
    {"HEAD.FILE", FIELD_FILE, FDT_TEXT},
    {"HEAD.NOTE2", FIELD_NOTE_TEXT, FDT_MULTI_TEXT},
    {"HEAD._LIST", FIELD_EXT_LIST, FDT_TEXT},
    {"HEAD._LIST._IDS._NOTE", FIELD_EXT_NOTE, FDT_MULTI_TEXT},
    {"NOTE.TEXT", FIELD_TEXT, FDT_MULTI_TEXT},
    {"OBJE.FORM", FIELD_FORM, FDT_ENUM},
    {"OBJE.BLOB", FIELD_BLOB, FDT_BLOB},
    {"OBJE.OBJE", FIELD_OBJE, FDT_LINK},
    {"OBJE._FILE", FIELD_OBJE_LINKED_FILE, FDT_TEXT},
    {"OBJE._DATE", FIELD_OBJE_DATE, FDT_DATE},
    {"OBJE._NOTE", FIELD_EXT_NOTE, FDT_MULTI_TEXT},
    {"OBJE.NOTE2._FRAME", FIELD_OBJE_FRAME, FDT_RECT},
    {"OBJE.NOTE2._NUM", FIELD_OBJE_LINK_NUMBER, FDT_NUMBER},
    {"REPO.NAME", FIELD_NAME, FDT_TEXT},
    {"REPO._EMAIL", FIELD_EMAIL, FDT_TEXT},
    {"REPO._WEB", FIELD_WEB, FDT_TEXT},
    {"SOUR.TITL", FIELD_TITL, FDT_MULTI_TEXT},
    {"SOUR.DATA.EVEN.DATE", FIELD_DATE, FDT_DATE},
    {"SOUR.REPO.CALN.MEDI", FIELD_MEDI, FDT_ENUM},
    {"SUBM.LANG", FIELD_LANG, FDT_TEXT},
    {"SUBN.ANCE", FIELD_ANCE, FDT_NUMBER},
};

INSTANTIATE_TEST_SUITE_P(Table, RequiredFieldTest, ::testing::ValuesIn(kRequiredFields));

TEST_P(RequiredFieldTest, ExistsWithItsIdAndType)
{
    const CFieldDef* def = DefByPath(GetParam().path);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetFieldId(), GetParam().fieldId);
    EXPECT_EQ(def->GetDataType(), GetParam().dataType);
}

struct RecordRow {
    const char* tag;
    int fieldId;
    const char* nodeClass;
    bool hasChangeStamp;
};

class RecordDefinitionTest : public FieldDictionaryTest,
                             public ::testing::WithParamInterface<RecordRow> {};

INSTANTIATE_TEST_SUITE_P(Table, RecordDefinitionTest,
                         ::testing::Values(RecordRow{"HEAD", 3065, "CRecordNode", false},
                                           RecordRow{"FAM", 3055, "CFamRec", true},
                                           RecordRow{"INDI", 3069, "CIndRec", true},
                                           RecordRow{"OBJE", 3088, "CObjRec", true},
                                           RecordRow{"NOTE", 3084, "CNoteRec", true},
                                           RecordRow{"REPO", 3105, "CRecordNode", true},
                                           RecordRow{"SOUR", 3115, "CSrcRec", true},
                                           RecordRow{"SUBM", 3121, "CRecordNode", true},
                                           RecordRow{"SUBN", 3122, "CRecordNode", false}));

TEST_P(RecordDefinitionTest, TopsItsRecordTypeWithItsClass)
{
    const RecordRow& row = GetParam();
    const CFieldDef* def = FindRecordDefByTag(row.tag);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->GetFieldId(), row.fieldId);
    EXPECT_STREQ(def->GetNodeClass()->GetName(), row.nodeClass);
    EXPECT_EQ(def->HasChangeStamp(), row.hasChangeStamp);
    EXPECT_EQ(GetRecordTypeDef(GetRecordTypeIndex(def)), def);
}

TEST_F(FieldDictionaryTest, SexListsMaleThenFemale)
{
    const CFieldDef* sex = DefByPath("INDI.SEX");
    ASSERT_NE(sex, nullptr);
    EXPECT_STREQ(sex->GetNodeClass()->GetName(), "CSexNode");
    EXPECT_EQ(GetEnumValue(sex, 0, false), "M");
    EXPECT_EQ(GetEnumValue(sex, 1, false), "F");
    EXPECT_EQ(GetEnumValue(sex, 1, true), "Female");
    EXPECT_EQ(FindEnumValue(sex, "F", false), 1);
}

struct LinkRow {
    const char* path;
    const char* target;
    std::vector<std::string> backLinks;
};

class LinkDefinitionTest : public FieldDictionaryTest,
                           public ::testing::WithParamInterface<LinkRow> {};

INSTANTIATE_TEST_SUITE_P(
    Table, LinkDefinitionTest,
    ::testing::Values(LinkRow{"INDI.FAMC", "FAM", {"CHIL"}},
                      LinkRow{"INDI.FAMS", "FAM", {"HUSB", "WIFE"}},
                      LinkRow{"FAM.CHIL", "INDI", {"FAMC"}}, LinkRow{"FAM.HUSB", "INDI", {"FAMS"}},
                      LinkRow{"FAM.WIFE", "INDI", {"FAMS"}}, LinkRow{"INDI.NOTE", "NOTE", {}},
                      LinkRow{"INDI.SOUR", "SOUR", {}}, LinkRow{"INDI.OBJE", "OBJE", {}},
                      LinkRow{"SOUR.REPO", "REPO", {}}, LinkRow{"HEAD.SUBM", "SUBM", {}},
                      LinkRow{"HEAD.SUBN", "SUBN", {}}, LinkRow{"INDI.BIRT.FAMC", "FAM", {}}));

TEST_P(LinkDefinitionTest, PointsAtItsRecordWithItsBackLinks)
{
    const CFieldDef* def = DefByPath(GetParam().path);
    ASSERT_NE(def, nullptr);
    ASSERT_EQ(def->GetDataType(), FDT_LINK);
    EXPECT_EQ(def->GetExtraText(), GetParam().target);
    EXPECT_EQ(def->GetLinkTarget(), FindRecordDefByTag(GetParam().target));
    EXPECT_EQ(def->GetValues().m_items, GetParam().backLinks);
}

TEST_F(FieldDictionaryTest, FamilyLinksUseTheirOwnNodeClasses)
{
    EXPECT_STREQ(DefByPath("INDI.FAMC")->GetNodeClass()->GetName(), "CAssocFamcNode");
    EXPECT_STREQ(DefByPath("FAM.CHIL")->GetNodeClass()->GetName(), "CAssocChilNode");
    EXPECT_STREQ(DefByPath("INDI.BIRT.FAMC")->GetNodeClass()->GetName(), "CAssocNode");
}

TEST_F(FieldDictionaryTest, EveryLinkHasATargetRecord)
{
    ForEachDef([](const CFieldDef& def, const CFieldDef& parent) {
        if (def.GetDataType() == FDT_LINK) {
            EXPECT_NE(def.GetLinkTarget(), nullptr) << parent.GetTag() << "." << def.GetTag();
        }
    });
}

TEST_F(FieldDictionaryTest, PointerFormsAreFollowedByTheirLocalForms)
{
    int pairs = 0;
    ForEachDef([&pairs](const CFieldDef& def, const CFieldDef& parent) {
        if (!def.HasFlag(FDF_POINTER_FORM))
            return;
        ++pairs;
        const CFieldDef* local = def.GetNextSibling();
        ASSERT_NE(local, nullptr) << parent.GetTag() << "." << def.GetTag();
        EXPECT_TRUE(local->HasFlag(FDF_LOCAL_FORM)) << parent.GetTag() << "." << def.GetTag();
        EXPECT_EQ(local->GetGedcomTag(), def.GetTag());
        EXPECT_EQ(local->GetFieldId(), def.GetFieldId() + 1);
        EXPECT_EQ(local->GetTag(), def.GetTag() + "2");
    });
    EXPECT_GT(pairs, 100);
}

TEST_F(FieldDictionaryTest, TagLookupFindsTheFirstChildOfThatTag)
{
    int checked = 0;
    const auto check = [&](const CFieldDef& def) {
        for (const CFieldDef* child = def.GetFirstChild(); child; child = child->GetNextSibling()) {
            const CFieldDef* first = def.GetFirstChild();
            while (first->GetTag() != child->GetTag())
                first = first->GetNextSibling();
            ASSERT_EQ(def.FindChildByTag(child->GetTag()), first)
                << def.GetTag() << "." << child->GetTag();
            ++checked;
        }
        for (const char* absent : {"", "ZZZZ", "NAMEX", "_CUSTOMTAGLONGER"})
            EXPECT_EQ(def.FindChildByTag(absent), nullptr) << def.GetTag() << "." << absent;
    };
    ForEachDef([&](const CFieldDef& def, const CFieldDef&) { check(def); });
    check(*GetFieldDictionary()->GetRecordRoot());
    EXPECT_GT(checked, 1000);
}

TEST_F(FieldDictionaryTest, GedcomTagsFindLocalFormsThatStandAlone)
{
    const CFieldDef* head = FindRecordDefByTag("HEAD");
    EXPECT_EQ(head->FindChildByTag("NOTE"), nullptr);
    EXPECT_EQ(head->FindChildByGedcomTag("NOTE"), DefByPath("HEAD.NOTE2"));
    const CFieldDef* indi = FindRecordDefByTag("INDI");
    EXPECT_EQ(indi->FindChildByGedcomTag("NOTE"), DefByPath("INDI.NOTE"));
}

// A single-line value has nowhere to keep a line break or a joined piece, so only multi-line
// texts, binary blocks and note records take CONT or CONC lines.
TEST_F(FieldDictionaryTest, OnlyMultiLineValuesTakeContinuations)
{
    ForEachDef([](const CFieldDef& def, const CFieldDef& parent) {
        const int type = def.GetDataType();
        const bool multiLine = type == FDT_MULTI_TEXT || type == FDT_BLOB ||
                               def.GetNodeClass() == FindNodeClass("CNoteRec");
        const std::string where = parent.GetTag() + "." + def.GetTag();
        if (!multiLine) {
            EXPECT_FALSE(def.AllowsCont() || def.AllowsConc()) << where;
            return;
        }
        EXPECT_TRUE(def.AllowsCont()) << where;
        if (def.GetControlClass() != FindControlClass("CDataCtlAddress") && type != FDT_BLOB) {
            EXPECT_TRUE(def.AllowsConc()) << where;
        }
    });
}

TEST_F(FieldDictionaryTest, EveryDefinitionIsFinished)
{
    ForEachDef([](const CFieldDef& def, const CFieldDef& parent) {
        const std::string where = parent.GetTag() + "." + def.GetTag();
        EXPECT_NE(def.GetKind(), FDK_STRUCT_REF) << where;
        if (def.GetKind() != FDK_STRUCT_HEAD) {
            EXPECT_NE(def.GetDataType(), FDT_NONE) << where;
            EXPECT_NE(def.GetFieldId(), 0) << where;
            EXPECT_NE(def.GetNodeClass(), nullptr) << where;
        }
    });
}

// Children are kept in definition order by their sibling numbers, so the numbers must never
// fall along a chain; events and attributes share one number, LDS ordinances another.
TEST_F(FieldDictionaryTest, SiblingOrderNeverFallsAlongAChain)
{
    ForEachDef([](const CFieldDef& def, const CFieldDef& parent) {
        if (const CFieldDef* next = def.GetNextSibling()) {
            EXPECT_LE(def.GetSiblingOrder(), next->GetSiblingOrder())
                << parent.GetTag() << "." << def.GetTag();
        }
    });
}

TEST_F(FieldDictionaryTest, EventsAndAttributesShareOneOrderUnderIndividuals)
{
    const int events = DefByPath("INDI.BIRT")->GetSiblingOrder();
    EXPECT_EQ(DefByPath("INDI.EVEN")->GetSiblingOrder(), events);
    EXPECT_EQ(DefByPath("INDI.OCCU")->GetSiblingOrder(), events);
    EXPECT_EQ(DefByPath("INDI._ATTR")->GetSiblingOrder(), events);
    const int ordinances = DefByPath("INDI.BAPL")->GetSiblingOrder();
    EXPECT_EQ(DefByPath("INDI.SLGC")->GetSiblingOrder(), ordinances);
    EXPECT_LT(DefByPath("INDI.SEX")->GetSiblingOrder(), events);
    EXPECT_LT(events, ordinances);
    EXPECT_LT(ordinances, DefByPath("INDI.FAMC")->GetSiblingOrder());
    EXPECT_EQ(DefByPath("FAM.MARR")->GetSiblingOrder(), DefByPath("FAM.DIV")->GetSiblingOrder());
}

TEST_F(FieldDictionaryTest, GroupsAndFlagsFollowTheirStructures)
{
    const CFieldDef* birth = DefByPath("INDI.BIRT");
    ASSERT_TRUE(birth->IsCopy());
    EXPECT_EQ(birth->GetCopyReference()->GetFieldId(), STRUCT_INDI_EVENTS);
    EXPECT_EQ(birth->GetCopyReference()->GetLabel(), "Event");
    EXPECT_EQ(DefByPath("INDI.OCCU")->GetCopyReference()->GetFieldId(), STRUCT_INDI_ATTRIBUTES);
    EXPECT_EQ(DefByPath("FAM.MARR")->GetCopyReference()->GetFieldId(), STRUCT_FAM_EVENTS);
    EXPECT_TRUE(DefByPath("INDI.SLGC")->GetCopyReference()->IsLds());
    EXPECT_TRUE(birth->HasFlag(FDF_EVENT));
    EXPECT_FALSE(birth->HasFlag(FDF_SKIP_WHEN_CHILDLESS));
    EXPECT_TRUE(DefByPath("INDI.EVEN")->HasFlag(FDF_EVENT));
    EXPECT_TRUE(DefByPath("INDI.EVEN")->HasFlag(FDF_TYPED));
    EXPECT_TRUE(DefByPath("INDI.EVEN")->HasFlag(FDF_SKIP_WHEN_CHILDLESS));
    const CFieldDef* custom = DefByPath("INDI._ATTR");
    EXPECT_TRUE(custom->HasFlag(FDF_ATTRIBUTE) && custom->HasFlag(FDF_TYPED));
    EXPECT_TRUE(DefByPath("FAM.SLGS")->IsLds());
    EXPECT_EQ(FindStructDefById(STRUCT_LDS_INDI_ORDINANCES)->GetTag(), "@LDS_INDI_ORDINANCES");
}

TEST_F(FieldDictionaryTest, HeaderEndsWithTheNamedListDefinitions)
{
    const CFieldDef* list = DefByPath("HEAD._LIST");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetNextSibling(), nullptr);
    EXPECT_TRUE(list->IsHidden());
    EXPECT_EQ(list->GetSizeValue(), 90);
    EXPECT_EQ(list->GetMaxCount(), FIELD_COUNT_UNBOUNDED);
    const CFieldDef* note = list->GetFirstChild();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->GetTag(), "_NOTE");
    EXPECT_EQ(note->GetMaxCount(), 1);
    EXPECT_TRUE(note->AllowsCont() && note->AllowsConc());
    EXPECT_EQ(note->GetSizeValue(), 248);
    const CFieldDef* ids = note->GetNextSibling();
    ASSERT_NE(ids, nullptr);
    EXPECT_EQ(ids->GetFieldId(), FIELD_EXT_IDS);
    EXPECT_FALSE(ids->AllowsCont());
    ASSERT_NE(ids->GetFirstChild(), nullptr);
    EXPECT_EQ(ids->GetFirstChild()->GetFieldId(), FIELD_EXT_NOTE);
}

TEST_F(FieldDictionaryTest, CommandAndControlIdsDeriveFromTheFieldId)
{
    const CFieldDef* indi = FindRecordDefByTag("INDI");
    const CFieldDef* sex = DefByPath("INDI.SEX");
    const CFieldDef* famc = DefByPath("INDI.FAMC");
    EXPECT_EQ(GetFieldCommandId(sex, false), 25118);
    EXPECT_EQ(GetFieldCommandId(sex, true), 25118);
    EXPECT_EQ(GetFieldCommandId(famc, true), 3056 + 22149);
    EXPECT_EQ(GetFieldControlId(sex), 4111);
    bool alternative = false;
    EXPECT_EQ(FindChildDefByCommand(indi, 3056 + 22149, &alternative), famc);
    EXPECT_TRUE(alternative);
    EXPECT_EQ(FindChildDefByCommand(indi, 25118, &alternative), sex);
    EXPECT_FALSE(alternative);
    EXPECT_FALSE(IsFieldCommand(sex, 3112 + 22149, &alternative));
}

// The field ids follow the GEDCOM 5.5 tag appendix; these are the ids program code relies on.
TEST_F(FieldDictionaryTest, FieldIdsFollowTheTagAppendix)
{
    const std::pair<int, int> ids[] = {
        {FIELD_ABBR, 3001},    {FIELD_ADR1, 3003},          {FIELD_ADOP, 3005},
        {FIELD_AGE, 3007},     {FIELD_BAPL, 3015},          {FIELD_BIRT, 3019},
        {FIELD_CHAN, 3027},    {FIELD_CHIL, 3029},          {FIELD_DATE, 3042},
        {FIELD_FAM, 3055},     {FIELD_FAMC, 3056},          {FIELD_FILE, 3060},
        {FIELD_HEAD, 3065},    {FIELD_HUSB, 3066},          {FIELD_INDI, 3069},
        {FIELD_NAME, 3078},    {FIELD_NOTE, 3084},          {FIELD_NOTE_TEXT, 3085},
        {FIELD_OBJE, 3088},    {FIELD_OBJE_EMBEDDED, 3089}, {FIELD_REFN, 3102},
        {FIELD_RIN, 3110},     {FIELD_SEX, 3112},           {FIELD_SLGC, 3113},
        {FIELD_SLGS, 3114},    {FIELD_SOUR, 3115},          {FIELD_SOUR_TEXT, 3116},
        {FIELD_TEXT, 3125},    {FIELD_TITL, 3127},          {FIELD_TYPE, 3128},
        {FIELD_WIFE, 3130},    {FIELD_WILL, 3131},          {FIELD_OBJE_LINKED_FILE, 3132},
        {FIELD_EXT_IDS, 3142},
    };
    for (auto [constant, id] : ids)
        EXPECT_EQ(constant, id);
}

TEST_F(FieldDictionaryTest, MissingDataFileShowsTheInstallationMessage)
{
    const CFieldDictionary* loaded = GetFieldDictionary();
    const std::string missing = test_support::TempDir() + "/no-such-field-defs.txt";
    const char* old = std::getenv(FIELD_DEFS_ENV);
    const std::string saved = old ? old : "";
    setenv(FIELD_DEFS_ENV, missing.c_str(), 1);
    const EngineOutcome outcome = LoadFieldDefinitions();
    EXPECT_FALSE(outcome);
    EXPECT_EQ(outcome.message, "Initialisation failed.  Installation error?  Please re-install.");
    EXPECT_EQ(GetFieldDictionary(), loaded);
    if (old)
        setenv(FIELD_DEFS_ENV, saved.c_str(), 1);
    else
        unsetenv(FIELD_DEFS_ENV);
}

TEST_F(FieldDictionaryTest, EveryDefinitionIsFoundByItsOwnIndex)
{
    std::set<std::uint32_t> seen;
    ForEachDef([&](const CFieldDef& def, const CFieldDef&) {
        if (!seen.insert(def.GetIndex()).second)
            return;
        EXPECT_NE(def.GetIndex(), 0u) << def.GetTag();
        EXPECT_LT(def.GetIndex(), std::uint32_t(1) << CFieldDef::kIndexBits);
        EXPECT_EQ(CFieldDef::FromIndex(def.GetIndex()), &def) << def.GetTag();
    });
    EXPECT_EQ(CFieldDef::FromIndex(0), nullptr);

    auto gone = std::make_unique<CFieldDef>();
    const std::uint32_t index = gone->GetIndex();
    EXPECT_FALSE(seen.contains(index)) << "a new definition takes an index no other one holds";
    gone.reset();
    EXPECT_EQ(CFieldDef::FromIndex(index), nullptr) << "a destroyed definition is found no more";
    const CFieldDef next;
    EXPECT_EQ(next.GetIndex(), index) << "its index is given again";
    EXPECT_EQ(CFieldDef::FromIndex(index), &next);
}

} // namespace
