// tests/database/records/record_node_test.cpp: tests of the record node: its record line, change
// stamps, fact order, object links and matching.
#include "database/dates/date_node.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/note_rec.h"
#include "database/records/src_rec.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

using namespace record_test;

namespace {

class RecordNodeTest : public CRecordTest {};

TEST(RecordSizeTest, TheRecordsAFileHoldsByTheMillionStayAtFortyEightBytes)
{
    EXPECT_EQ(sizeof(CIndRec), 48u);
    EXPECT_EQ(sizeof(CFamRec), 48u);
    EXPECT_EQ(sizeof(CSrcRec), 48u);
    EXPECT_EQ(sizeof(CNoteRec), 48u);
}

// ---- Writing -------------------------------------------------------------------------------

TEST_F(RecordNodeTest, TheRecordLineCarriesTheTypeLetterAndNumber)
{
    CRecordNode* family = LoadRecord(kFam, "F3");
    CRecordNode* header = LoadRecord(kHead, "");
    header->SetRecordNumber(4);
    CRecordNode* unnumbered = LoadRecord(kRepo, "");
    EXPECT_EQ(Written(*family, 5), "0 @F3@ FAM\r\n") << "the level is not used";
    EXPECT_EQ(Written(*header), "0 HEAD\r\n");
    EXPECT_EQ(Written(*unnumbered), "0 REPO\r\n");
    EXPECT_EQ(family->GetIdText(), "F3");
    family->SetRecordNumber(2147483647);
    EXPECT_EQ(Written(*family), "0 @F2147483647@ FAM\r\n") << "the longest identifier";
    EXPECT_EQ(family->GetIdText(), "F2147483647");
}

TEST_F(RecordNodeTest, AStampedRecordWritesItsChangeDateLast)
{
    CRecordNode* individual = LoadRecord(kIndi, "I2");
    LoadField(individual, "NAME", "Ann /Lee/");
    individual->SetChangeStamp(COleDateTime(2003, 1, 5, 14, 7, 9));
    EXPECT_EQ(Written(*individual), "0 @I2@ INDI\r\n1 NAME Ann /Lee/\r\n1 CHAN\r\n"
                                    "2 DATE 5 JAN 2003\r\n3 TIME 14:07:09\r\n");
    CRecordNode* header = LoadRecord(kHead, "");
    header->SetChangeStamp(COleDateTime(2003, 1, 5, 14, 7, 9));
    EXPECT_EQ(Written(*header), "0 HEAD\r\n") << "the header takes no CHAN";
}

struct ChangeCase {
    const char* name;
    const char* date;
    const char* time; // null: none
    bool withNote;
    const char* stamp;   // "" when none is set
    const char* written; // the CHAN lines written back
};

class RecordNodeChange : public RecordNodeTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(RecordNodeChange, ALoadedChangeDateGoesIntoTheStamp)
{
    const ChangeCase& c = GetParam();
    CRecordNode* note = LoadRecord(kNote, "N1");
    CDataNode* change = LoadField(note, "CHAN", "");
    CDataNode* date = LoadField(change, "DATE", c.date);
    if (c.time)
        LoadField(date, "TIME", c.time);
    if (c.withNote)
        LoadField(change, "NOTE", "by hand");
    EXPECT_EQ(ParseChangeDate(note, change), *c.stamp != '\0');
    EXPECT_EQ(note->GetChangeStamp().Format("%d %m %Y %H:%M:%S"), c.stamp);
    EXPECT_EQ(Written(*note), std::string("0 @N1@ NOTE\r\n") + c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, RecordNodeChange,
    ::testing::Values(
        ChangeCase{"DateAndTime", "3 MAR 2001", "10:11:05", false, "03 03 2001 10:11:05",
                   "1 CHAN\r\n2 DATE 3 MAR 2001\r\n3 TIME 10:11:05\r\n"},
        ChangeCase{"MinuteOutOfRange", "3 MAR 2001", "10:61:05", false, "03 03 2001 10:00:00",
                   "1 CHAN\r\n2 DATE 3 MAR 2001\r\n3 TIME 10:00:00\r\n"},
        ChangeCase{"HourOutOfRange", "3 MAR 2001", "24:10:10", false, "03 03 2001 00:00:00",
                   "1 CHAN\r\n2 DATE 3 MAR 2001\r\n3 TIME 00:00:00\r\n"},
        ChangeCase{"SpacesInTime", "ABT 3 MAR 2001", " 9 : 8 : 7", false, "03 03 2001 09:08:07",
                   "1 CHAN\r\n2 DATE 3 MAR 2001\r\n3 TIME 09:08:07\r\n"},
        ChangeCase{"NoteStays", "3 MAR 2001", nullptr, true, "03 03 2001 00:00:00",
                   "1 CHAN\r\n2 DATE 3 MAR 2001\r\n3 TIME 00:00:00\r\n2 NOTE by hand\r\n"},
        ChangeCase{"YearOnlyIsKept", "2001", "10:11:05", false, "",
                   "1 CHAN\r\n2 DATE 2001\r\n3 TIME 10:11:05\r\n"},
        ChangeCase{"JulianIsKept", "@#DJULIAN@ 3 MAR 1701", nullptr, false, "",
                   "1 CHAN\r\n2 DATE @#DJULIAN@ 3 MAR 1701\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordNodeTest, AKeptChangeDateGivesWayToANewStamp)
{
    CRecordNode* note = LoadRecord(kNote, "N1");
    CDataNode* change = LoadField(note, "CHAN", "");
    LoadField(change, "DATE", "2001");
    ParseChangeDate(note, change);
    note->SetChangeStamp(COleDateTime(2020, 2, 1, 0, 0, 0));
    EXPECT_EQ(Written(*note), "0 @N1@ NOTE\r\n1 CHAN\r\n2 DATE 1 FEB 2020\r\n3 TIME 00:00:00\r\n");
}

// ---- Walks, sorting and matching -----------------------------------------------------------

TEST_F(RecordNodeTest, SortFactsPutsDatedFactsInOrderAndLeavesUndatedOnes)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    for (const char* fact : {"DEAT", "BIRT", "RESI", "BURI"}) {
        CDataNode* field = LoadField(individual, fact, "");
        const char* date = std::string_view(fact) == "DEAT"   ? "1900"
                           : std::string_view(fact) == "BIRT" ? "1850"
                           : std::string_view(fact) == "BURI" ? "AFT 1850"
                                                              : nullptr;
        if (date)
            LoadField(field, "DATE", date);
    }
    EXPECT_TRUE(individual->SortFactsByDate());
    std::string order;
    for (const CDataNode* fact = individual->GetNextFact(nullptr, false); fact;
         fact = individual->GetNextFact(fact, false))
        order += std::string(fact->GetFieldDef()->GetTag()) + " ";
    EXPECT_EQ(order, "BIRT BURI DEAT RESI ");
    EXPECT_FALSE(individual->SortFactsByDate());
}

TEST_F(RecordNodeTest, TheNextObjectLinkSkipsRepeatedTargets)
{
    CRecordNode* individual = LoadRecord(kIndi, "I1");
    CRecordNode* object = NewRecord(kObje);
    CDataNode* first = Link(individual, "OBJE", object);
    Link(individual, "OBJE", object);
    EXPECT_EQ(individual->GetNextObjectLink(first, true), nullptr);
    EXPECT_NE(individual->GetNextObjectLink(first, false), nullptr);
    EXPECT_EQ(individual->CountLinksTo(object), 2);
    EXPECT_EQ(object->GetLinkCount(), 2);
}

TEST_F(RecordNodeTest, RepositoriesWithoutKeyFieldsDoNotMatch)
{
    CRecordNode* a = NewRecord(kRepo);
    CRecordNode* b = NewRecord(kRepo);
    SetField(a, "NAME", "Archive");
    SetField(b, "NAME", "archive");
    EXPECT_EQ(a->MatchScore(b, nullptr), 20) << "NAME is the key field";
    EXPECT_EQ(NewRecord(kHead)->MatchScore(a, nullptr), -999);
}

// ---- Note records --------------------------------------------------------------------------

TEST_F(RecordNodeTest, ANoteTakesItsTextFromTheRecordLine)
{
    CRecordNode* record = LoadRecord(kNote, "N3");
    auto* note = dynamic_cast<CNoteRec*>(record);
    ASSERT_NE(note, nullptr);
    std::string text;
    note->GetText(text, 1);
    EXPECT_EQ(text, "Note: <no text>");
    EXPECT_EQ(Written(*note), "0 @N3@ NOTE\r\n");
    const CLoading loading;
    EXPECT_TRUE(note->SetText("First line"));
    EXPECT_TRUE(note->AppendText(" and more", FIELD_CONC));
    EXPECT_TRUE(note->AppendText("Second", FIELD_CONT));
    LoadField(note, "REFN", "77");
    EXPECT_EQ(Written(*note), "0 @N3@ NOTE First line and more\r\n1 CONT Second\r\n1 REFN 77\r\n");
}

TEST_F(RecordNodeTest, ALongNoteIsCutIntoConcLines)
{
    CRecordNode* note = LoadRecord(kNote, "N1");
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "word" + std::to_string(i) + " ";
    text.pop_back();
    const CLoading loading;
    note->SetText(text);
    const std::string written = Written(*note);
    std::size_t longest = 0;
    std::size_t lines = 0;
    std::string joined;
    for (std::size_t start = 0; start < written.size();) {
        const std::size_t end = written.find("\r\n", start);
        const std::string line = written.substr(start, end - start);
        longest = std::max(longest, line.size());
        joined += lines == 0 ? line.substr(std::string("0 @N1@ NOTE ").size()) : line.substr(7);
        EXPECT_TRUE(lines == 0 || line.starts_with("1 CONC ")) << line;
        ++lines;
        start = end + 2;
    }
    EXPECT_LE(longest, 252u);
    EXPECT_GE(lines, 3u);
    EXPECT_EQ(joined, text);
}

TEST_F(RecordNodeTest, NotesMatchByText)
{
    CRecordNode* a = NewRecord(kNote);
    CRecordNode* b = NewRecord(kNote);
    a->SetText("Same");
    b->SetText("same");
    EXPECT_EQ(a->MatchScore(b, nullptr), 100);
    b->SetText("other");
    EXPECT_EQ(a->MatchScore(b, nullptr), 0);
    EXPECT_EQ(a->MatchScore(NewRecord(kSour), nullptr), -9999);
}

// ---- Source records ------------------------------------------------------------------------

struct SourceCase {
    const char* name;
    const char* mine[3]; // TITL, ABBR, AUTH; null: absent
    const char* theirs[3];
    int score;
};

class RecordNodeSource : public RecordNodeTest, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(RecordNodeSource, ScoresTheKeyFields)
{
    const SourceCase& c = GetParam();
    const char* tags[3] = {"TITL", "ABBR", "AUTH"};
    CRecordNode* sources[2] = {NewRecord(kSour), NewRecord(kSour)};
    for (int i = 0; i < 3; ++i) {
        if (c.mine[i])
            SetField(sources[0], tags[i], c.mine[i]);
        if (c.theirs[i])
            SetField(sources[1], tags[i], c.theirs[i]);
    }
    EXPECT_EQ(sources[0]->MatchScore(sources[1], nullptr), c.score);
}

INSTANTIATE_TEST_SUITE_P(
    Scores, RecordNodeSource,
    ::testing::Values(SourceCase{"SameTitleOtherAbbreviation",
                                 {"Census", "C1", nullptr},
                                 {"Census", "C2", nullptr},
                                 150},
                      SourceCase{
                          "NoTitle", {nullptr, "C1", "Smith"}, {"Census", "C1", "Smith"}, 140},
                      SourceCase{"AllDiffer", {"A", "B", "C"}, {"X", "Y", "Z"}, -140},
                      SourceCase{"AllEqual", {"A", "B", "C"}, {"a", "b", "c"}, 340}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordNodeTest, SourceSearchFallsBackToTheAbbreviation)
{
    CRecordNode* source = NewRecord(kSour);
    SetField(source, "TITL", "Parish register");
    SetField(source, "ABBR", "PR Leeds");
    const CSearchTerm leeds{"Leeds", "leeds", "LEEDS"};
    const CSearchTerm york{"York", "york", "YORK"};
    EXPECT_TRUE(source->ContainsKeyText(std::span(&leeds, 1), false));
    EXPECT_FALSE(source->ContainsKeyText(std::span(&york, 1), false));
    EXPECT_EQ(NewRecord(kSour)->MatchScore(NewRecord(kNote), nullptr), -9999);
}

} // namespace
