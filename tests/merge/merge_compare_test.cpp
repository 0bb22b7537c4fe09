// tests/merge/merge_compare_test.cpp: the compare of two small files: scores, pairing, row order,
// the new header, and the indexed candidates against a scan of every pair.
#include "merge_test_support.h"

#include "database/multimedia/obj_rec.h"

#include <fstream>

using namespace merge_test;
using gedcom_test::CrLf;

namespace {

constexpr int kHead = 0, kFam = 1, kIndi = 2, kObje = 3, kNote = 4, kSour = 6;

std::string Couple(const std::string& wife)
{
    return CrLf({"0 HEAD", "1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME John /Smith/", "1 SEX M",
                 "1 BIRT", "2 DATE 1 JAN 1900", "1 FAMS @F1@", "0 @I2@ INDI",
                 "1 NAME Mary /" + wife + "/", "1 SEX F", "1 FAMS @F1@", "0 @F1@ FAM",
                 "1 HUSB @I1@", "1 WIFE @I2@", "0 TRLR"});
}

class MergeCompareTest : public CMergeTest {};

TEST_F(MergeCompareTest, PairsTheCoupleByScoreAndKeepsTheRowOrder)
{
    LoadBoth(File("a.ged", Couple("Jones")), File("b.ged", Couple("Brown")));
    ASSERT_TRUE(m_secondLoaded);
    CMergeEngine& engine = Compare();
    // John scores name 50 + birth 50 + spouse -12 (the wives' surnames differ); Mary against
    // Mary is refused by surname, John against Mary by sex.
    EXPECT_EQ(RowTexts(engine, kIndi), (std::vector<std::string>{"I1 I1 88", "I2 - 0", "- I2 0"}));
    // The husbands match, the wives do not: the family scores below 0.
    EXPECT_EQ(RowTexts(engine, kFam), (std::vector<std::string>{"F1 - 0", "- F1 0"}));
    const MergeRow* john = engine.FindCurrentRow(FindById(ProgramRoots(), kIndi, "I1"));
    ASSERT_TRUE(john && john->IsMatched());
    EXPECT_TRUE(john->current->HasFlag(DNF_PAIRED));
    EXPECT_TRUE(john->incoming->HasFlag(DNF_PAIRED));
    EXPECT_EQ(engine.FindIncomingRow(john->incoming), john);
    // The new header, alone in its row, is to be discarded; the current one is kept.
    for (const auto& row : engine.Rows(kHead)) {
        if (row->incoming && !row->current) {
            EXPECT_TRUE(row->incoming->HasFlag(DNF_MARK));
        }
        if (row->current && !row->incoming) {
            EXPECT_FALSE(row->current->HasFlag(DNF_MARK));
        }
    }
}

TEST_F(MergeCompareTest, ScoresThePeopleOfTheCouple)
{
    LoadBoth(File("a.ged", Couple("Jones")), File("b.ged", Couple("Brown")));
    CMergeEngine& engine = Compare();
    struct Case {
        const char* current;
        const char* incoming;
        int score;
    } const cases[] = {
        {"I1", "I1", 88},   // name 50 + birth 50, the wives' surnames differ: -12
        {"I1", "I2", -999}, // opposite sexes
        {"I2", "I1", -999},
        {"I2", "I2", -100}, // other surnames
    };
    for (const Case& c : cases) {
        const CRecordNode* current = FindById(ProgramRoots(), kIndi, c.current);
        const CRecordNode* incoming = FindById(SecondRoots(), kIndi, c.incoming);
        ASSERT_TRUE(current && incoming);
        EXPECT_EQ(current->MatchScore(incoming, &engine.Matches()), c.score)
            << c.current << " against " << c.incoming;
    }
}

TEST_F(MergeCompareTest, ScoresAtTheEdgesOfThePairing)
{
    struct Case {
        const char* name;
        std::vector<std::string> current, incoming;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"equal scores keep the first claimant",
         {"0 @N1@ NOTE same"},
         {"0 @N1@ NOTE same", "0 @N2@ NOTE SAME"},
         {"N1 N1 100", "- N2 0"}},
        {"no positive score, no match",
         {"0 @N1@ NOTE one"},
         {"0 @N1@ NOTE two"},
         {"N1 - 0", "- N1 0"}},
        {"an empty new file leaves the current records alone",
         {"0 @N1@ NOTE one", "0 @N2@ NOTE two"},
         {},
         {"N1 - 0", "N2 - 0"}},
        {"current records in their order, then the new ones in theirs",
         {"0 @N1@ NOTE a", "0 @N2@ NOTE b", "0 @N3@ NOTE c"},
         {"0 @N7@ NOTE x", "0 @N8@ NOTE c", "0 @N9@ NOTE y"},
         {"N1 - 0", "N2 - 0", "N3 N8 100", "- N7 0", "- N9 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string_view> a{"0 HEAD"}, b{"0 HEAD"};
        a.insert(a.end(), c.current.begin(), c.current.end());
        b.insert(b.end(), c.incoming.begin(), c.incoming.end());
        a.push_back("0 TRLR");
        b.push_back("0 TRLR");
        std::string textA, textB;
        for (auto line : a)
            textA += std::string(line) + "\r\n";
        for (auto line : b)
            textB += std::string(line) + "\r\n";
        m_engine.reset();
        m_second.reset();
        LoadBoth(File("a.ged", textA), File("b.ged", textB));
        EXPECT_EQ(RowTexts(Compare(), kNote), c.rows);
    }
}

TEST_F(MergeCompareTest, AStrictlyHigherLaterScoreTakesTheRecordOver)
{
    // Sources score 200 for an equal title and 100 for an equal abbreviation: the second new
    // source scores higher against S1 and takes it; the first, left over, ends the list.
    LoadBoth(File("a.ged", CrLf({"0 HEAD", "0 @S1@ SOUR", "1 TITL Census", "1 ABBR C",
                                 "0 @S2@ SOUR", "1 TITL Other", "0 TRLR"})),
             File("b.ged", CrLf({"0 HEAD", "0 @S1@ SOUR", "1 TITL Census", "0 @S2@ SOUR",
                                 "1 TITL Census", "1 ABBR C", "0 TRLR"})));
    EXPECT_EQ(RowTexts(Compare(), kSour),
              (std::vector<std::string>{"S1 S2 300", "S2 - 0", "- S1 0"}));
}

TEST_F(MergeCompareTest, ABetterCandidateLaterInTheScanReleasesTheEarlierOne)
{
    // The first new source claims S1 (abbreviation) and then S2 (title), so S1 is free again
    // and the second new source takes it.
    LoadBoth(File("a.ged", CrLf({"0 HEAD", "0 @S1@ SOUR", "1 ABBR C", "0 @S2@ SOUR",
                                 "1 TITL Census", "0 TRLR"})),
             File("b.ged", CrLf({"0 HEAD", "0 @S1@ SOUR", "1 TITL Census", "1 ABBR C",
                                 "0 @S2@ SOUR", "1 ABBR C", "0 TRLR"})));
    EXPECT_EQ(RowTexts(Compare(), kSour), (std::vector<std::string>{"S1 S2 100", "S2 S1 200"}));
}

TEST_F(MergeCompareTest, ReportsProgressOverTheNewRecords)
{
    LoadBoth(File("a.ged", Couple("Jones")), File("b.ged", Couple("Jones")));
    CMergeEngine engine(ProgramRoots(), SecondRoots());
    CProgressRecorder progress;
    int repaints = 0;
    engine.InitCompareMaps(&progress, [&] { ++repaints; });
    const auto calls = progress.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(),
              (CProgressRecorder::Call{CProgressRecorder::Call::Reset, 4,
                                       "Comparing new file with the current file..."}));
    // Step 0 (four records): every record moves the bar; the tenth move never comes.
    EXPECT_EQ(calls.size(), 5u);
    EXPECT_EQ(repaints, 0);
    engine.EndSession();
}

TEST_F(MergeCompareTest, EachCompareReadsEmbeddedContentAsItIsNow)
{
    const std::string head = CrLf({"0 HEAD"}), end = CrLf({"0 TRLR"});
    // The first compare scores the open file's object against the other file's of its size.
    LoadBoth(File("a.ged", head + EmbeddedObject(1, "abcd") + end),
             File("b.ged", head + EmbeddedObject(1, "abc") + EmbeddedObject(2, "wxyz") + end));
    ASSERT_FALSE(Compare().Rows(kObje).front()->IsMatched());
    // Its content comes to equal the other object's: a size read by the first compare must not
    // decide the second.
    const auto* current = dynamic_cast<const CObjRec*>(ProgramRoots()[kObje]->GetFirstChild());
    ASSERT_TRUE(current && !current->GetWorkingFile().empty());
    std::ofstream(current->GetWorkingFile(), std::ios::binary | std::ios::trunc) << "abc";
    const MergeRow& row = *Compare().Rows(kObje).front();
    EXPECT_EQ(row.incoming, SecondRoots()[kObje]->GetFirstChild());
    EXPECT_EQ(row.score, 500);
}

TEST_F(MergeCompareTest, BirthsThatCannotBeOneDayConflict)
{
    // A year 5 lies near 1900 as a two-digit year does (score 20), but no day is both births:
    // the new one is to be discarded. Births that may be one day are both kept.
    const auto man = [](const std::string& date) {
        return CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Beaw //", "1 SEX M", "1 BIRT",
                     "2 DATE " + date, "0 TRLR"});
    };
    const struct {
        const char *current, *incoming;
        bool conflict;
    } cases[] = {{"1900", "5", true},         {"1900", "1901", true},
                 {"BEF 1895", "1900", true},  {"1900", "12 MAR 1900", false},
                 {"1900", "ABT 1905", false}, {"BET 1895 AND 1905", "AFT 1902", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.current) + " against " + c.incoming);
        m_engine.reset();
        m_second.reset();
        LoadBoth(File("a.ged", man(c.current)), File("b.ged", man(c.incoming)));
        const MergeRow& row = *Compare().Rows(kIndi).front();
        ASSERT_TRUE(row.IsMatched());
        EXPECT_EQ(row.incoming->FindChild(nullptr, FIELD_BIRT)->HasFlag(DNF_MARK), c.conflict);
        EXPECT_FALSE(row.current->FindChild(nullptr, FIELD_BIRT)->HasFlag(DNF_MARK));
    }
}

TEST_F(MergeCompareTest, RefusesToCompareWithoutNineRoots)
{
    LoadBoth(File("a.ged", Couple("Jones")), File("b.ged", Couple("Jones")));
    MergeRoots partial = SecondRoots();
    partial[3] = nullptr;
    CMergeEngine engine(ProgramRoots(), partial);
    EXPECT_FALSE(engine.IsValid());
    engine.InitCompareMaps(nullptr);
    EXPECT_TRUE(engine.Rows(kIndi).empty());
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
}

} // namespace
