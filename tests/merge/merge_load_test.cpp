// tests/merge/merge_load_test.cpp: the second file of a merge read into a data set of its own,
// the program's data set, identifiers, counters and named lists left as they were; bad input;
// the session from the load to the free.
#include "merge_test_support.h"

#include "database/records/record_id_state.h"
#include "merge/merge_session.h"

using namespace merge_test;
using gedcom_test::CrLf;

namespace {

constexpr int kIndi = 2, kObje = 3;

const std::string kOpen = CrLf({"0 HEAD", "1 CHAR UTF-8", "0 @P7@ INDI", "1 NAME Ann /Lee/",
                                "1 FAMS @F1@", "0 @F1@ FAM", "1 WIFE @P7@", "0 TRLR"});

class MergeLoadTest : public CMergeTest {
protected:
    /// The program's data set and its identifier counters as text.
    static std::string ProgramState()
    {
        std::string state = gedcom_test::DumpDataSet();
        for (int kind = 0; kind < RECORD_TYPE_COUNT; ++kind)
            state += std::to_string(GetRecordIdState(kind)->m_counter) + " ";
        return state;
    }
};

TEST_F(MergeLoadTest, ReadsTheSecondFileBesideTheProgramsOwn)
{
    ASSERT_TRUE(Load(File("open.ged", kOpen)));
    const std::string before = ProgramState();
    LoadSecond(File("second.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Bo /Lee/", "1 FAMC @F4@",
                                        "1 NOTE @N9@", "0 @I2@ INDI", "1 NAME Cy /Lee/",
                                        "1 FAMS @F4@", "0 @F4@ FAM", "1 HUSB @I2@", "1 CHIL @I1@",
                                        "0 @X1@ INDI", "1 NAME Dee /Lee/", "0 TRLR"})));
    ASSERT_TRUE(m_secondLoaded);
    EXPECT_EQ(ProgramState(), before);
    // Links found their targets in the second data set; a reference to a missing note stays
    // a reference; the identifier outside the file's form took the next number of its file.
    const CRecordNode* bo = FindById(SecondRoots(), kIndi, "I1");
    ASSERT_TRUE(bo);
    const CRecordNode* family = bo->FindChild(nullptr, FIELD_FAMC)->GetLinkTarget();
    ASSERT_TRUE(family);
    EXPECT_EQ(family->GetParent(), SecondRoots()[1]);
    EXPECT_EQ(static_cast<const CAssocNode*>(bo->FindChild(nullptr, FIELD_NOTE))->GetXrefText(),
              "@N9@");
    EXPECT_TRUE(FindById(SecondRoots(), kIndi, "I3"));
    EXPECT_EQ(m_second->CountRecords(), 5u);
    // A later ordinary edit numbers from the program's counter, not the second file's.
    EXPECT_EQ(GetRecordIdState(0)->m_counter, 7);
}

TEST_F(MergeLoadTest, BadSecondFilesLeaveTheProgramsDataSetAlone)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool loads;
    };
    const Case cases[] = {
        {"empty", "", false},
        {"not GEDCOM", "Just some text\nof another kind\n", false},
        {"truncated", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Bo /Lee/", "1 BIRT", "2 DA"}), true},
        {"duplicate ids and dangling links",
         CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Bo /Lee/", "1 FAMC @F8@", "0 @I1@ INDI",
               "1 NAME Bo /Lee/", "0 TRLR"}),
         true},
        {"the open file itself", kOpen, true},
    };
    ASSERT_TRUE(Load(File("open.ged", kOpen)));
    const std::string before = ProgramState();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_engine.reset();
        m_second.reset();
        LoadSecond(File("second.ged", c.bytes));
        EXPECT_EQ(m_secondLoaded, c.loads);
        EXPECT_EQ(ProgramState(), before);
        // Whatever was read compares and ends without a trace on the program's data set.
        CMergeEngine& engine = Compare();
        engine.EndSession();
        EXPECT_EQ(ProgramState(), before);
        EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
    }
    m_second.reset();
    LoadSecond(PathOf("missing.ged"));
    EXPECT_FALSE(m_secondLoaded);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].message, "Unable to open file.");
    EXPECT_EQ(ProgramState(), before);
}

TEST_F(MergeLoadTest, TellsOfAFileMovedWithItsMultimedia)
{
    ASSERT_TRUE(Load(File("open.ged", kOpen)));
    m_second = std::make_unique<CMergeDataSet>();
    const std::string path =
        File("moved.ged", CrLf({"0 HEAD", "1 FILE C:\\old\\moved.ged", "0 @M1@ OBJE",
                                "1 FILE picture.jpg", "1 FORM jpeg", "0 TRLR"}));
    bool otherLocation = false;
    test_support::Prompt().SetAnswerDefaults(true);
    EXPECT_TRUE(LoadGedcomFileForMerge(path, *m_second, nullptr, &otherLocation));
    test_support::Prompt().SetAnswerDefaults(false);
    test_support::Prompt().TakeMessages();
    EXPECT_TRUE(otherLocation);
    EXPECT_TRUE(m_second->Root(kObje)->GetFirstChild());
    EXPECT_FALSE(ProgramRoots()[kObje]->GetFirstChild());
}

TEST_F(MergeLoadTest, ASessionLoadsComparesAndFreesTheSecondFile)
{
    ASSERT_TRUE(Load(File("open.ged", kOpen)));
    const std::string before = ProgramState();
    test_support::Prompt().SetAnswerDefaults(true);
    const std::string path = File("second.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/",
                                                      "0 @I2@ INDI", "1 NAME Bo /Lee/", "0 TRLR"}));
    CMergeSession session;
    ASSERT_EQ(session.Load(path, nullptr), SecondFileLoad::Read);
    session.Compare(path, nullptr);
    ASSERT_NE(session.GetEngine(), nullptr);
    EXPECT_EQ(RowTexts(*session.GetEngine(), kIndi),
              (std::vector<std::string>{"I7 I1 50", "- I2 0"}));
    // Loaded again, the session ends the engine before the data set it compared goes.
    ASSERT_EQ(session.Load(path, nullptr), SecondFileLoad::Read);
    EXPECT_EQ(session.GetEngine(), nullptr);
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
    session.Free();
    EXPECT_EQ(ProgramState(), before);
    // A file moved with its multimedia is read but said to be so; a file that is no GEDCOM
    // file is not read.
    EXPECT_EQ(CMergeSession().Load(
                  File("moved.ged", CrLf({"0 HEAD", "1 FILE C:\\old\\moved.ged", "0 @M1@ OBJE",
                                          "1 FILE picture.jpg", "1 FORM jpeg", "0 TRLR"})),
                  nullptr),
              SecondFileLoad::ReadLinksNotUpdated);
    EXPECT_EQ(CMergeSession().Load(File("empty.ged", ""), nullptr), SecondFileLoad::NotRead);
    test_support::Prompt().SetAnswerDefaults(false);
    EXPECT_EQ(ProgramState(), before);
}

TEST_F(MergeLoadTest, ManyPeopleOfOneNameWithoutDatesCompareWithoutIndexes)
{
    std::string people = "0 HEAD\r\n";
    for (int i = 1; i <= 1500; ++i)
        people += "0 @I" + std::to_string(i) + "@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n";
    people += "0 TRLR\r\n";
    LoadBoth(File("a.ged", people), File("b.ged", people));
    CMergeEngine& engine = Compare();
    // Every one scores the same against every other: each new one takes the first current
    // one left, in order.
    const auto rows = RowTexts(engine, kIndi);
    ASSERT_EQ(rows.size(), 1500u);
    EXPECT_EQ(rows.front(), "I1 I1 50");
    EXPECT_EQ(rows.back(), "I1500 I1500 50");
}

} // namespace
