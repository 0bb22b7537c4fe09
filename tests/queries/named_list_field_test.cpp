// tests/queries/named_list_field_test.cpp: named lists read from the header's "_LIST" fields by a
// load and written back by a save, so that they survive both.
#include "queries/named_list.h"

#include "database/nodes/named_list_store.h"
#include "tests/database/gedcom/gedcom_test_support.h"

namespace {

using gedcom_test::CrLf;

std::string ListText(const CNamedList& list)
{
    std::string text = list.GetName() + " (" + list.GetNote() + "):";
    for (const NamedListEntry& entry : list.Entries()) {
        text += " " + entry.m_record->GetIdText();
        if (!entry.m_note.empty())
            text += "[" + entry.m_note + "]";
    }
    return text;
}

/// Every list, newest first.
std::vector<std::string> Lists()
{
    std::vector<std::string> lists;
    for (const CNamedList* list = CNamedList::GetFirst(); list; list = list->GetNext())
        lists.push_back(ListText(*list));
    return lists;
}

class NamedListFieldTest : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        SetNamedListStore(&NamedListStore());
        CGedcomTest::SetUp();
    }
    void TearDown() override
    {
        CGedcomTest::TearDown();
        ClearNamedLists(true);
        SetNamedListStore(nullptr);
    }
};

TEST_F(NamedListFieldTest, ListsOfTheHeaderSurviveALoadAndASave)
{
    const std::string in = File(
        "in.ged", CrLf({"0 HEAD", "1 _LIST Bookmarks", "2 _NOTE Records to look at",
                        "2 _IDS I1,F1, I3,I77,H1", "2 _IDS I2", "3 _NOTE Mother", "4 CONT of two",
                        "1 _LIST Second", "2 _IDS I2", "1 _LIST bookmarks", "2 _IDS I3",
                        "0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @F1@ FAM", "0 TRLR"}));
    ASSERT_TRUE(Load(in));
    const std::vector<std::string> expected = {
        "Second (): I2", "Bookmarks (Records to look at): I1 F1 I3 I2[Mother\nof two] I3"};
    EXPECT_EQ(Lists(), expected);
    const std::string report = Report();
    for (const char* reference : {"\"I77\"", "\"H1\""})
        EXPECT_NE(report.find(std::string("* Named list \"Bookmarks\": the reference ") +
                              reference + " names no record and is left out."),
                  std::string::npos)
            << reference;
    const std::string out = PathOf("out.ged");
    const std::string saved = Save(out);
    EXPECT_NE(saved.find(CrLf({"1 _LIST Bookmarks", "2 _NOTE Records to look at",
                               "2 _IDS I1,F1,I3,I2", "3 _NOTE Mother", "4 CONT of two", "2 _IDS I3",
                               "1 _LIST Second", "2 _IDS I2", "0 @I1@ INDI"})),
              std::string::npos)
        << saved;
    ASSERT_TRUE(Load(out));
    EXPECT_EQ(Lists(), expected);
    EXPECT_EQ(Save(out), saved);
}

TEST_F(NamedListFieldTest, LongListsAreCutIntoShortLines)
{
    std::vector<std::string> lines = {"0 HEAD"};
    std::string ids;
    for (int i = 1; i <= 300; ++i)
        ids += (i > 1 ? "," : "") + ("I" + std::to_string(i));
    lines.insert(lines.end(), {"1 _LIST Everyone", "2 _IDS " + ids});
    for (int i = 1; i <= 300; ++i)
        lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
    lines.push_back("0 TRLR");
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    ASSERT_TRUE(Load(File("in.ged", text)));
    ASSERT_NE(FindNamedList("Everyone"), nullptr);
    EXPECT_EQ(FindNamedList("Everyone")->Entries().size(), 300u);
    const std::string saved = Save(PathOf("out.ged"));
    int idsLines = 0;
    for (std::size_t at = saved.find("2 _IDS "); at != std::string::npos;
         at = saved.find("2 _IDS ", at + 1)) {
        ++idsLines;
        EXPECT_LE(saved.find("\r\n", at) - at, 207u);
    }
    EXPECT_GT(idsLines, 5);
    ASSERT_TRUE(Load(PathOf("out.ged")));
    EXPECT_EQ(FindNamedList("Everyone")->Entries().size(), 300u);
}

struct IdsCase {
    const char* ids;
    const char* note;    // the "_NOTE" under the "_IDS" line; empty for none
    const char* entries; // what the list holds after the load
    const char* report;  // a text the exception report holds; empty: no reference reported
};

void PrintTo(const IdsCase& c, std::ostream* os)
{
    *os << '"' << c.ids << '"';
}

class NamedListIdsTest : public NamedListFieldTest,
                         public ::testing::WithParamInterface<IdsCase> {};

TEST_P(NamedListIdsTest, ReferencesAreReadAroundTheUnreadableOnes)
{
    const IdsCase& c = GetParam();
    std::vector<std::string_view> lines = {"0 HEAD", "1 _LIST L"};
    const std::string ids = std::string("2 _IDS ") + c.ids;
    const std::string note = std::string("3 _NOTE ") + c.note;
    lines.push_back(ids);
    if (*c.note)
        lines.push_back(note);
    for (const char* record :
         {"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM", "0 @S1@ SOUR", "0 @N1@ NOTE", "0 TRLR"})
        lines.push_back(record);
    std::string text;
    for (const std::string_view line : lines)
        text.append(line).append("\r\n");
    ASSERT_TRUE(Load(File("in.ged", text)));
    ASSERT_NE(FindNamedList("L"), nullptr);
    EXPECT_EQ(ListText(*FindNamedList("L")), std::string("L ():") + c.entries);
    const std::string report = Report();
    if (*c.report)
        EXPECT_NE(report.find(c.report), std::string::npos) << report;
    else
        EXPECT_EQ(report.find("Named list"), std::string::npos) << report;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(IdsValues, NamedListIdsTest, ::testing::Values(
    IdsCase{"I1,F1,S1,N1", "", " I1 F1 S1 N1", ""},
    IdsCase{"I1,I2", "Last one", " I1 I2[Last one]", ""},
    IdsCase{"I1, I2,\tS1", "", " I1 I2 S1", ""},
    IdsCase{"I1,I2,", "Kept", " I1 I2[Kept]", ""},
    IdsCase{"I1,,I2", "", " I1 I2", ""},
    IdsCase{"I2x,F1;I1", "", " I2 F1", ""},
    IdsCase{"I1,X2,I2", "", " I1 I2", "the reference \"X2\" names no record"},
    IdsCase{"I1,I9,I2", "", " I1 I2", "the reference \"I9\" names no record"},
    IdsCase{"I1,H1", "Lost?", " I1",
            "the reference \"H1\" names no record and is left out, with its note \"Lost?\"."},
    IdsCase{"I,I0,I99999999999,i1", "", "", "the reference \"i1\" names no record"}));
// clang-format on

} // namespace
