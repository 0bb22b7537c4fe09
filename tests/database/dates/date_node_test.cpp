// tests/database/dates/date_node_test.cpp: date fields read from GEDCOM text and written back,
// shown in the formats, aged against birth dates, sorted within a record and edited in a control.
#include "database/dates/date_node.h"

#include "common/preferences.h"
#include "platform/base/locale_info.h"
#include "tests/database/nodes/field_node_fakes.h"
#include "tests/database/nodes/node_test_support.h"

#include <algorithm>
#include <cstring>

namespace node_test {
namespace {

using field_node_test::WrittenLines;

/// The test dictionary's data set with real date fields and the default date conventions.
class DateNodeTest : public CNodeTest {
protected:
    void SetUp() override
    {
        CNodeTest::SetUp();
        m_savedFactory = FindNodeClass("CDateNode")->GetFactory();
        FindNodeClass("CDateNode")->SetFactory(&MakeNode<CDateNode>);
        locale_info::Reset();
        InitDateLocale();
        Prefs().m_allowNumericDates = true;
        Prefs().m_numericDateFormat = 0;
        m_person = NewRecord(m_indi);
    }

    void TearDown() override
    {
        FindNodeClass("CDateNode")->SetFactory(m_savedFactory);
        CNodeTest::TearDown();
    }

    /// The DATE of a new event of the record, set from its GEDCOM text.
    CDateNode* EventDate(CDataNode* record, int eventId, const std::string& gedcom)
    {
        auto* date = dynamic_cast<CDateNode*>(
            record->CreateChildById(eventId)->FindChild(nullptr, FIELD_DATE));
        EXPECT_NE(date, nullptr);
        EXPECT_TRUE(date && date->SetText(gedcom));
        return date;
    }
    CDateNode* BirthDate(const std::string& gedcom)
    {
        return EventDate(m_person, FIELD_BIRT, gedcom);
    }

    CNodeClass::Factory m_savedFactory = nullptr;
    CRecordNode* m_person = nullptr;
};

struct GedcomCase {
    const char* gedcom;
    const char* written;
    const char* shown;
};

class DateGedcomTest : public DateNodeTest, public testing::WithParamInterface<GedcomCase> {};

TEST_P(DateGedcomTest, WrittenBackWithTheSameMeaning)
{
    const GedcomCase& c = GetParam();
    const CDateNode* date = BirthDate(c.gedcom);
    const std::string written = WrittenLines(*date, 2);
    EXPECT_EQ(written, c.written);
    std::string shown;
    date->GetText(shown, 0);
    EXPECT_EQ(shown, c.shown);
    if (written.empty())
        return;
    const CDateNode* reread = BirthDate(written.substr(7, written.size() - 9));
    EXPECT_TRUE(reread->IsEqual(date, nullptr));
    EXPECT_EQ(WrittenLines(*reread, 2), written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateGedcomTest,
    testing::Values(
        GedcomCase{"1 Jan 1700", "2 DATE 1 JAN 1700\r\n", "1 January 1700"},
        GedcomCase{"abt 1700", "2 DATE ABT 1700\r\n", "1700 (approx.)"},
        GedcomCase{"FROM 1 MAR 1700 TO 1750", "2 DATE FROM 1 MAR 1700 TO 1750\r\n",
                   "From 1 March 1700 To 1750"},
        GedcomCase{"INT 1700 (about then)", "2 DATE INT 1700 (about then)\r\n",
                   "1700 (\"about then\")"},
        GedcomCase{"(not known)", "2 DATE (not known)\r\n", "\"not known\""},
        GedcomCase{"15 1700", "2 DATE (15 1700)\r\n", "\"15 1700\""},
        GedcomCase{"BET 1700", "2 DATE (BET 1700)\r\n", "\"BET 1700\""},
        GedcomCase{"@#DJULIAN@ 1 JAN 1700", "2 DATE @#DJULIAN@ 1 JAN 1700\r\n",
                   "[Julian] 1 January 1700"},
        GedcomCase{"@#DROMAN@ 1700", "2 DATE (@@#DROMAN@@ 1700)\r\n", "\"@#DROMAN@ 1700\""},
        GedcomCase{"seen @@ church", "2 DATE (seen @@ church)\r\n", "\"seen @ church\""},
        GedcomCase{"1699/00", "2 DATE 1699/00\r\n", "1699/00"},
        GedcomCase{"12/25/1700", "2 DATE 25 DEC 1700\r\n", "25 December 1700"},
        GedcomCase{"", "", ""}));

// A field reads the common forms at once; every text, common or not, must give the date the
// GEDCOM grammar gives it, and a field read before keeps nothing.
TEST_F(DateNodeTest, ReadsEveryTextAsTheGedcomGrammarDoes)
{
    CDateNode* date = BirthDate("(an earlier phrase)");
    for (const char* text : {"1850",
                             "7",
                             "0",
                             "0000",
                             "9999",
                             "10000",
                             "1 JAN 1850",
                             "01 JAN 1850",
                             "31 DEC 1850",
                             "29 FEB 1850",
                             "30 FEB 1850",
                             "0 JAN 1850",
                             "00 JAN 1850",
                             "1 Jan 1850",
                             "1 JANU 1850",
                             "1  JAN 1850",
                             "123 JAN 1850",
                             "1 JAN",
                             "1 1850",
                             "1699/00",
                             "1699/0",
                             "1699/0X",
                             "1/22",
                             "12/3/45",
                             "12/25/1850",
                             "25 12 1850",
                             "1850 ",
                             "1850 B.C.",
                             "1850/51 BC",
                             "185O",
                             "9 JAN 1850/51",
                             "1850 AND 1851",
                             "1850 (about)",
                             "NOV 1936",
                             "ABT    1850",
                             "BET 1850  AND  1860",
                             "BEF 1850 AND 1860",
                             "ABT @#DJULIAN@ 1850"}) {
        ASSERT_TRUE(date->SetText(text));
        CDateData expected;
        expected.SetFromText(text, true, false, GetDateParseOptions());
        EXPECT_TRUE(date->GetDate().IsSameValue(expected)) << text;
        EXPECT_EQ(date->GetDate().GetGedcomLineText(), expected.GetGedcomLineText()) << text;
        EXPECT_EQ(date->GetDate().GetGedcomValueText(), expected.GetGedcomValueText()) << text;
    }
}

struct TextCase {
    const char* gedcom;
    int format;
    int size;
    const char* text;
};

class DateTextTest : public DateNodeTest, public testing::WithParamInterface<TextCase> {};

TEST_P(DateTextTest, BufferHoldsTheFormattedPartOrNothing)
{
    const TextCase& c = GetParam();
    char buffer[100];
    const int length = BirthDate(c.gedcom)->GetTextBuf(buffer, c.size, c.format);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(length, int(std::strlen(c.text)));
}

INSTANTIATE_TEST_SUITE_P(Cases, DateTextTest,
                         testing::Values(TextCase{"5 JUN 1700", DF_LONG, 5, "5 Ju"},
                                         TextCase{"5 JUN 1700", DF_COMPACT, 4, "5 J"},
                                         TextCase{"5 JUN 1700", DF_MONTH_AND_DAY, 100, "6/5"},
                                         TextCase{"5 JUN 1700", DF_YEAR, 5, "1700"},
                                         TextCase{"5 JUN 1700", DF_YEAR, 4, ""},
                                         TextCase{"5 JUN 1700", 20, 100, ""},
                                         TextCase{"1700", DF_MONTH_AND_DAY, 100, "?/?"},
                                         TextCase{"BEF 1700", DF_YEAR, 100, ""},
                                         TextCase{"(unknown)", DF_COMPACT, 100, "\"unknown\""}));

TEST_F(DateNodeTest, AgesCountFromTheBirthOfTheIndividualOrSpouse)
{
    BirthDate("5 JUN 1700");
    char buffer[16];
    const CDateNode* death = EventDate(m_person, FIELD_DEAT, "4 JUN 1750");
    EXPECT_TRUE(death->SupportsQualifier(DF_AGE_AT));
    EXPECT_FALSE(death->SupportsQualifier(DF_HUSBAND_AGE_AT));
    EXPECT_EQ(death->GetTextBuf(buffer, sizeof buffer, DF_AGE_AT), 2);
    EXPECT_STREQ(buffer, "49");
    EXPECT_EQ(EventDate(m_person, FIELD_DEAT, "JUN 1750")->GetTextBuf(buffer, 16, DF_AGE_AT), 2);
    EXPECT_STREQ(buffer, "50");

    CRecordNode* family = NewRecord(m_fam);
    ASSERT_NE(family->AddLinkChild(FIELD_HUSB, m_person), nullptr);
    const CDateNode* marriage = EventDate(family, FIELD_MARR, "1730");
    EXPECT_TRUE(marriage->SupportsQualifier(DF_HUSBAND_AGE_AT));
    EXPECT_FALSE(marriage->SupportsQualifier(DF_WIFE_AGE_AT));
    EXPECT_EQ(marriage->GetTextBuf(buffer, sizeof buffer, DF_HUSBAND_AGE_AT), 2);
    EXPECT_STREQ(buffer, "30");
    EXPECT_EQ(marriage->GetTextBuf(buffer, sizeof buffer, DF_WIFE_AGE_AT), 0);
}

/// The dates' texts in the order their fields sort under a format code.
std::vector<std::string> SortedTexts(std::vector<CDateNode*> dates, int format)
{
    std::stable_sort(dates.begin(), dates.end(), [format](const CDateNode* a, const CDateNode* b) {
        return a->Compare(b, format) < 0;
    });
    std::vector<std::string> texts;
    for (const CDateNode* date : dates)
        texts.push_back(date->FormatText(false, DF_COMPACT));
    return texts;
}

TEST_F(DateNodeTest, EventDatesOfOneRecordSortIntoDateOrder)
{
    std::vector<CDateNode*> dates;
    for (const char* text : {"1750", "@#DJULIAN@ JAN 1700", "(unknown)", "DEC 1700", "50 B.C.", "",
                             "100 B.C.", "1 JAN 1"})
        dates.push_back(BirthDate(text));
    EXPECT_EQ(SortedTexts(dates, DF_DEFAULT),
              (std::vector<std::string>{"", "\"unknown\"", "100 B.C.", "50 B.C.", "1 Jan 1",
                                        "Dec 1700", "[Julian] January 1700", "1750"}));
}

TEST_F(DateNodeTest, BoundsAndAgesSortMissingOnesFirst)
{
    BirthDate("1700");
    std::vector<CDateNode*> dates;
    for (const char* text : {"1680", "BEF 1700", "AFT 1650", "1720", "(lost)"})
        dates.push_back(EventDate(m_person, FIELD_DEAT, text));
    EXPECT_EQ(SortedTexts(dates, DF_XDATE1),
              (std::vector<std::string>{"Bef 1700", "\"lost\"", "Aft 1650", "1680", "1720"}));
    EXPECT_EQ(SortedTexts(dates, DF_AGE_AT),
              (std::vector<std::string>{"Bef 1700", "Aft 1650", "\"lost\"", "1680", "1720"}));
}

bool AlwaysCompact(CDataCtl&)
{
    return true;
}

TEST_F(DateNodeTest, ControlShowsLongOrCompactTextAndTakesTypedDates)
{
    field_node_test::CScopedControls controls;
    CDateNode* date = BirthDate("5 JUN 1700");
    Settle();
    CDataCtl* control = date->ShowInControl(nullptr, RECT{}, nullptr, 0, 0, 0);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(controls.m_host.m_classes, std::vector<std::string>{"CDataCtlDate"});
    EXPECT_EQ(controls.m_access.m_calls,
              (std::vector<std::string>{"SetText 5 June 1700", "SelectText 0 -1", "ShowAndFocus"}));
    SetDateControlCompactModeQuery(&AlwaysCompact);
    EXPECT_TRUE(date->UpdateFromControl(control, false, false));
    SetDateControlCompactModeQuery(nullptr);
    EXPECT_EQ(controls.m_access.m_calls.back(), "SetText 5 Jun 1700");

    controls.m_access.m_typed = "1700 approx";
    EXPECT_TRUE(date->UpdateFromControl(control, true, true));
    EXPECT_EQ(date->GetQualifier(), DQ_ABT);
    controls.m_access.m_typed = "1700 (app)";
    EXPECT_TRUE(date->UpdateFromControl(control, true, true));
    EXPECT_EQ(m_observer.m_notices.size(), 1u) << "the same date again is no change";
    controls.m_access.m_typed = "ABT 1700";
    EXPECT_TRUE(date->UpdateFromControl(control, true, true));
    EXPECT_EQ(date->GetKind(), DATE_PHRASE) << "typed text no grammar reads is kept";
    controls.m_access.m_readable = false;
    EXPECT_FALSE(date->UpdateFromControl(control, true, true));
}

} // namespace
} // namespace node_test
