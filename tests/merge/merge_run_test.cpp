// tests/merge/merge_run_test.cpp: the merge itself: nothing is lost, a file merged with itself
// stays as it was, Cancel and failures leave the open file as it was, the counts, the source
// record and its citations.
#include "merge_test_support.h"

#include "database/multimedia/obj_rec.h"

#include <regex>
#include <sstream>

using namespace merge_test;
using gedcom_test::CrLf;

namespace {

constexpr int kFam = 1, kIndi = 2, kObje = 3, kSour = 6;

/// A merge whose step `failing` throws.
class CFailingEngine final : public CMergeEngine {
public:
    CFailingEngine(const MergeRoots& current, const MergeRoots& incoming, int failing)
        : CMergeEngine(current, incoming), m_failing(failing)
    {
    }

protected:
    void OnMergeStep(int step) override
    {
        if (step == m_failing)
            throw std::bad_alloc();
    }

private:
    int m_failing;
};

/// royal92 with one record in ten changed: a fact added, a name changed, a record dropped, a
/// record added.
std::string EditedRoyals()
{
    std::istringstream in(test_support::ReadFile(test_support::DataPath("gedcom/royal92.ged")));
    std::string out, line;
    int record = 0;
    bool skipping = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("0 ", 0) == 0) {
            ++record;
            skipping = record % 37 == 5 && line.find(" INDI") != std::string::npos;
            if (line == "0 TRLR")
                out += "0 @I8001@ INDI\r\n1 NAME New /Person/\r\n1 SEX F\r\n1 FAMC @F2@\r\n"
                       "0 @N8001@ NOTE brought in\r\n";
        }
        if (skipping)
            continue;
        out += line + "\r\n";
        if (line.find(" INDI") != std::string::npos && record % 10 == 3)
            out += "1 OCCU Merged occupation\r\n1 NOTE @N8001@\r\n";
        if (line.rfind("1 NAME ", 0) == 0 && record % 10 == 7)
            out += "1 NAME Second /Name/\r\n";
    }
    return out;
}

/// The lines with the number of each kept reference left out: a reference of the merged file
/// to a record it lacks comes over under a number of the open file's.
std::multiset<std::string> WithoutKeptNumbers(const std::multiset<std::string>& lines)
{
    static const std::regex kept("kept @[^@]*@$");
    std::multiset<std::string> out;
    for (const std::string& line : lines)
        out.insert(std::regex_replace(line, kept, "kept"));
    return out;
}

class MergeRunTest : public CMergeTest {
protected:
    std::string SaveProgram(const std::string& name) { return Save(PathOf(name)); }
};

TEST_F(MergeRunTest, NothingIsLost)
{
    LoadBoth(test_support::DataPath("gedcom/royal92.ged"), File("edited.ged", EditedRoyals()));
    ASSERT_TRUE(m_secondLoaded);
    CMergeEngine& engine = Compare();
    // Before: what each record of the program holds, and what each new record brings that is
    // not discarded, each new record under the record it will end in.
    const auto nameNow = [](const CRecordNode* r) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(r));
    };
    std::map<const CRecordNode*, std::multiset<std::string>> currentLines, wanted;
    std::vector<std::pair<const CRecordNode*, const CRecordNode*>> ends;
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        for (const auto& row : engine.Rows(type)) {
            if (row->current)
                FieldLines(*row->current, 1, nameNow, false, currentLines[row->current]);
        }
    }
    const auto finalOf = [&engine](const CRecordNode* r) -> const CRecordNode* {
        const MergeRow* row = engine.FindIncomingRow(r);
        return row && row->IsMatched() ? row->current : r;
    };
    const auto nameFinal = [&](const CRecordNode* r) { return nameNow(finalOf(r)); };
    int discardedRecords = 0;
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        for (const auto& row : engine.Rows(type)) {
            if (!row->incoming)
                continue;
            if (row->incoming->HasFlag(DNF_MARK)) {
                ++discardedRecords;
                continue;
            }
            FieldLines(*row->incoming, 1, nameFinal, true, wanted[finalOf(row->incoming)]);
        }
    }
    EXPECT_EQ(discardedRecords, 1) << "only the new header";
    std::set<const CRecordNode*> finals;
    for (const auto& [record, lines] : wanted)
        finals.insert(record);

    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
    std::map<const CRecordNode*, std::multiset<std::string>> after;
    std::set<std::int32_t> numbers[RECORD_TYPE_COUNT];
    for (int type = 0; type < RECORD_TYPE_COUNT; ++type) {
        for (CDataNode* node = ProgramRoots()[std::size_t(type)]->GetFirstChild(); node;
             node = node->GetNextSibling()) {
            auto* record = static_cast<CRecordNode*>(node);
            FieldLines(*record, 1, nameNow, false, after[record]);
            if (type != 0) {
                EXPECT_TRUE(numbers[type].insert(record->GetRecordNumber()).second)
                    << "numbers stay unique: " << record->GetIdText();
            }
        }
    }
    for (const auto& [record, lines] : currentLines) {
        ASSERT_TRUE(after.count(record)) << "a record of the open file went";
        EXPECT_EQ(Missing(lines, after[record]), std::vector<std::string>{}) << record->GetIdText();
    }
    int added = 0;
    for (const auto& [record, lines] : wanted) {
        ASSERT_TRUE(after.count(record)) << "a new record did not come over";
        added += !currentLines.count(record);
        EXPECT_EQ(Missing(WithoutKeptNumbers(lines), WithoutKeptNumbers(after[record])),
                  std::vector<std::string>{})
            << record->GetIdText();
    }
    const auto& counts = engine.Counts();
    EXPECT_EQ(counts[kIndi].added, 1);
    EXPECT_EQ(counts[4].added, 1);
    EXPECT_EQ(added, 2);
    EXPECT_EQ(counts[kIndi].deleted + counts[kFam].deleted, 0);
    EXPECT_GT(counts[kIndi].merged, 2900);
}

TEST_F(MergeRunTest, AFileMergedWithItselfChangesNothing)
{
    const std::string path = test_support::DataPath("gedcom/royal92.ged");
    LoadBoth(path, path);
    const std::string before = gedcom_test::DumpDataSet();
    CMergeEngine& engine = Compare();
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type) {
        for (const auto& row : engine.Rows(type))
            EXPECT_TRUE(row->IsMatched()) << RowText(*row);
    }
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_EQ(gedcom_test::FirstDifference(gedcom_test::DumpDataSet(), before), "");
    EXPECT_EQ(engine.Counts()[kIndi].merged, 3010);
}

TEST_F(MergeRunTest, CancelLeavesTheOpenFileByteForByte)
{
    LoadBoth(test_support::DataPath("gedcom/royal92.ged"), File("edited.ged", EditedRoyals()));
    const std::string before = SaveProgram("open.ged");
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(AnyMergeFlag(ProgramRoots()));
    engine.EndSession();
    EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
    EXPECT_FALSE(AnyMergeFlag(SecondRoots()));
    EXPECT_TRUE(SaveProgram("open.ged") == before);
}

TEST_F(MergeRunTest, AFailedStepPutsTheOpenFileBack)
{
    for (int step = 1; step <= 6; ++step) {
        SCOPED_TRACE(step);
        m_engine.reset();
        m_second.reset();
        LoadBoth(test_support::DataPath("gedcom/royal92.ged"), File("edited.ged", EditedRoyals()));
        const std::string before = gedcom_test::DumpDataSet();
        CMergeEngine& engine =
            Compare(std::make_unique<CFailingEngine>(ProgramRoots(), SecondRoots(), step));
        EXPECT_EQ(engine.Merge(nullptr), MergeOutcome::Failed);
        EXPECT_FALSE(engine.IsOpen());
        EXPECT_EQ(engine.MergeFailureText(), "An error has occurred during the merge.  The "
                                             "current file has been put back as it was before "
                                             "the merge.");
        EXPECT_TRUE(test_support::Prompt().TakeMessages().empty());
        NotifyChanges();
        EXPECT_EQ(gedcom_test::FirstDifference(gedcom_test::DumpDataSet(), before), "");
        EXPECT_FALSE(AnyMergeFlag(ProgramRoots()));
        EXPECT_EQ(m_second->CountRecords(), 0u);
    }
}

TEST_F(MergeRunTest, CountsTheCoupleMergedAfterTheUserMatchedTheWives)
{
    auto couple = [](const std::string& wife) {
        return CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME John /Smith/", "1 SEX M", "1 BIRT",
                     "2 DATE 1 JAN 1900", "1 FAMS @F1@", "0 @I2@ INDI",
                     "1 NAME Mary /" + wife + "/", "1 SEX F", "1 FAMS @F1@", "0 @F1@ FAM",
                     "1 HUSB @I1@", "1 WIFE @I2@", "0 TRLR"});
    };
    LoadBoth(File("a.ged", couple("Jones")), File("b.ged", couple("Brown")));
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(
        engine
            .MatchItems(FindById(ProgramRoots(), kIndi, "I2"), FindById(SecondRoots(), kIndi, "I2"))
            .changed);
    // Their family is matched with them.
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_EQ(engine.Counts()[kIndi].merged, 2);
    EXPECT_EQ(engine.Counts()[kFam].merged, 1);
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type)
        EXPECT_EQ(engine.Counts()[std::size_t(type)].added, 0);
    // Mary keeps her name and takes the other as a second one.
    std::string names;
    const CRecordNode* mary = FindById(ProgramRoots(), kIndi, "I2");
    for (const CDataNode* name = mary->FindChild(nullptr, FIELD_NAME); name;
         name = mary->FindChild(name, FIELD_NAME)) {
        std::string value;
        name->GetText(value, 0);
        names += value + ";";
    }
    EXPECT_EQ(names, "Mary JONES;Mary BROWN;");
}

TEST_F(MergeRunTest, CitesTheNewSourceAsTheOptionsSay)
{
    LoadBoth(
        File("a.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/", "0 @I2@ INDI",
                            "1 NAME Bob /Lee/", "0 TRLR"})),
        File("b.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/", "1 OCCU Baker",
                            "0 @I2@ INDI", "1 NAME Bob /Lee/", "0 @I9@ INDI", "1 NAME Cy /Lee/",
                            "0 @M1@ OBJE", "1 FILE pic.jpg", "1 FORM jpeg", "0 TRLR"})));
    CMergeEngine& engine = Compare();
    MergeSourceOptions options = DefaultSourceOptions("/home/x/b.ged", "1 Jan 2024");
    EXPECT_EQ(options.title, "File (merged): /home/x/b.ged");
    EXPECT_EQ(options.note, "Merged 1 Jan 2024");
    options.linkUpdated = true;
    options.linkUnchanged = true;
    MergeSourceField focus{};
    EXPECT_EQ(CheckSourceOptions(options, focus), "");
    ASSERT_EQ(engine.Merge(&options), MergeOutcome::Merged);
    NotifyChanges();
    const CRecordNode* source = nullptr;
    for (CDataNode* node = ProgramRoots()[kSour]->GetFirstChild(); node;
         node = node->GetNextSibling())
        source = static_cast<CRecordNode*>(node);
    ASSERT_TRUE(source);
    const auto citationNote = [&](const char* id) {
        const CRecordNode* record = FindById(ProgramRoots(), kIndi, id);
        const CDataNode* citation = record ? record->FindLinkChild(FIELD_SOUR, source) : nullptr;
        const CDataNode* note = citation ? citation->FindChild(nullptr, FIELD_NOTE_TEXT) : nullptr;
        std::string text = citation ? "cited" : "not cited";
        std::string value;
        if (note && note->GetText(value, 0))
            text += ": " + value;
        return text;
    };
    EXPECT_EQ(citationNote("I1"), "cited: Record updated from...");
    EXPECT_EQ(citationNote("I2"), "cited: Record consistent with...");
    EXPECT_EQ(citationNote("I3"), "cited: Record originated in...") << "Cy took the next number";
    EXPECT_FALSE(FindById(ProgramRoots(), kIndi, "I9"));
    // The new field cites the source too; a multimedia record carries a note with the citation.
    const CDataNode* occupation =
        FindById(ProgramRoots(), kIndi, "I1")->FindChild(nullptr, FIELD_OCCU);
    ASSERT_TRUE(occupation);
    EXPECT_TRUE(occupation->FindLinkChild(FIELD_SOUR, source));
    const CDataNode* object = ProgramRoots()[kObje]->GetFirstChild();
    ASSERT_TRUE(object);
    const CDataNode* note = object->FindChild(nullptr, FIELD_NOTE_TEXT);
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->FindLinkChild(FIELD_SOUR, source));
}

TEST_F(MergeRunTest, TheSourceDialogRefusesWhatItCannotUse)
{
    MergeSourceOptions options = DefaultSourceOptions("b.ged", "today");
    MergeSourceField focus{};
    options.title = "  ";
    EXPECT_EQ(
        CheckSourceOptions(options, focus),
        "You must specify either a title or a short title (or both) for the new source record");
    EXPECT_EQ(focus, MergeSourceField::Title);
    options.shortTitle = " B ";
    options.noteNew = " ";
    EXPECT_EQ(CheckSourceOptions(options, focus).rfind("You must supply a note", 0), 0u);
    EXPECT_EQ(focus, MergeSourceField::NoteNew);
    EXPECT_EQ(options.shortTitle, "B");
    for (int type : {3, 5, 6, 7, 8})
        options.linkType[std::size_t(type)] = false;
    EXPECT_EQ(CheckSourceOptions(options, focus), "");
}

TEST_F(MergeRunTest, FramesBroughtInTakeNumbersAfterTheCurrentOnes)
{
    const std::string picture = CrLf({"0 @M1@ OBJE", "1 FILE pic.jpg", "1 FORM jpeg"});
    LoadBoth(
        File("a.ged", CrLf({"0 HEAD"}) + picture +
                          CrLf({"1 NOTE Face A", "2 _FRAME {1,1,5,5}", "2 _NUM 1", "1 NOTE Face C",
                                "2 _FRAME {9,9,12,12}", "2 _NUM 2", "0 @I1@ INDI",
                                "1 NAME John /Smith/", "1 OBJE @M1@", "2 _NUM 1", "0 TRLR"})),
        File("b.ged", CrLf({"0 HEAD"}) + picture +
                          CrLf({"1 NOTE Face A", "2 _FRAME {1,1,5,5}", "2 _NUM 1", "1 NOTE Face B",
                                "2 _FRAME {20,20,30,30}", "2 _NUM 2", "0 @I1@ INDI",
                                "1 NAME John /Smith/", "1 OBJE @M1@", "2 _NUM 1", "0 @I7@ INDI",
                                "1 NAME Mary /Jones/", "1 OBJE @M1@", "2 _NUM 2", "0 TRLR"})));
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(engine.Rows(kObje).front()->IsMatched());
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    // Face A stayed one frame; Face B came over after it (where it stood in its file) as frame
    // 3, and Mary's link names it.
    std::string frames;
    const CDataNode* object = ProgramRoots()[kObje]->GetFirstChild();
    for (const CDataNode* note = object->FindChild(nullptr, FIELD_NOTE_TEXT); note;
         note = object->FindChild(note, FIELD_NOTE_TEXT)) {
        std::string text, number;
        note->GetText(text, 0);
        if (const CDataNode* field = note->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER))
            field->GetText(number, 0);
        frames += number + ";";
    }
    EXPECT_EQ(frames, "1;3;2;");
    const CRecordNode* mary = FindById(ProgramRoots(), kIndi, "I2");
    ASSERT_TRUE(mary);
    const CDataNode* link = mary->FindChild(nullptr, FIELD_OBJE);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->GetLinkTarget(), object);
    std::string number;
    link->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)->GetText(number, 0);
    EXPECT_EQ(number, "3");
}

TEST_F(MergeRunTest, ReferencesToRecordsTheMergedFileLacksNameNothingAfterAReload)
{
    // The merged file refers to a note and a source it does not hold, under identifiers that
    // name other records in the open file.
    LoadBoth(File("a.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/", "0 @S1@ SOUR",
                                 "1 TITL Parish register", "0 @N1@ NOTE open note", "0 TRLR"})),
             File("b.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/", "1 NOTE @N1@",
                                 "0 @I5@ INDI", "1 NAME Cy /Fox/", "1 SOUR @S1@", "1 NOTE @N1@",
                                 "1 NOTE @N7@", "0 TRLR"})));
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(engine.Rows(kIndi).front()->IsMatched());
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    const std::string saved = Save(PathOf("merged.ged"));
    ASSERT_EQ(saved.rfind("FAILED", 0), std::string::npos) << saved;
    ASSERT_TRUE(Load(PathOf("merged.ged")));
    // Nothing names the open file's note or source, and the four references stay, each keeping
    // a number no record holds; the two to one missing note still share theirs.
    const MergeRoots roots = ProgramRoots();
    EXPECT_FALSE(CAssocNode::FirstLinkTo(FindById(roots, 4, "N1")));
    EXPECT_FALSE(CAssocNode::FirstLinkTo(FindById(roots, kSour, "S1")));
    std::multiset<std::string> notes, sources;
    for (CAssocNode* link = CAssocNode::GetFirstLink(); link; link = link->GetNextLink()) {
        EXPECT_FALSE(link->GetLinkTarget());
        const std::string xref = link->GetXrefText();
        ASSERT_GE(xref.size(), 3u);
        const bool source = link->GetFieldId() == FIELD_SOUR;
        EXPECT_FALSE(FindById(roots, source ? kSour : 4, xref.substr(1, xref.size() - 2))) << xref;
        (source ? sources : notes).insert(xref);
    }
    EXPECT_EQ(sources.size(), 1u);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(std::set<std::string>(notes.begin(), notes.end()).size(), 2u)
        << "the two references to N1 share one number, the one to N7 has its own";
}

TEST_F(MergeRunTest, EmbeddedContentOnBothSidesSurvivesTheMergeAndAReload)
{
    const std::string head = CrLf({"0 HEAD"}), end = CrLf({"0 TRLR"});
    LoadBoth(File("a.ged", head + EmbeddedObject(1, "same bytes") + end),
             File("b.ged",
                  head + EmbeddedObject(1, "same bytes") + EmbeddedObject(2, "other bytes") + end));
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(engine.Rows(kObje).front()->IsMatched());
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_EQ(engine.Counts()[kObje].merged, 1);
    EXPECT_EQ(engine.Counts()[kObje].added, 1);
    m_engine.reset();
    m_second.reset();
    const std::string saved = Save(PathOf("merged.ged"));
    ASSERT_EQ(saved.rfind("FAILED", 0), std::string::npos) << saved;
    ASSERT_TRUE(Load(PathOf("merged.ged")));
    std::vector<std::string> contents;
    for (CDataNode* node = ProgramRoots()[kObje]->GetFirstChild(); node;
         node = node->GetNextSibling()) {
        const auto* record = dynamic_cast<const CObjRec*>(node);
        ASSERT_TRUE(record && !record->GetWorkingFile().empty());
        contents.push_back(test_support::ReadFile(record->GetWorkingFile()));
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"other bytes", "same bytes"}));
}

TEST_F(MergeRunTest, TheCheckedWarningNamesEachTypeAsItsSingularName)
{
    const std::string file =
        CrLf({"0 HEAD", "0 @F1@ FAM", "0 @I1@ INDI", "1 NAME Ann /Lee/", "0 @O1@ OBJE",
              "1 FILE pic.jpg", "1 FORM jpeg", "0 @N1@ NOTE n", "0 @R1@ REPO", "1 NAME Archive",
              "0 @S1@ SOUR", "1 TITL Book", "0 @U1@ SUBM", "1 NAME Me", "0 @B1@ SUBN", "0 TRLR"});
    LoadBoth(File("a.ged", file), File("b.ged", CrLf({"0 HEAD", "0 TRLR"})));
    EXPECT_EQ(Compare().UncheckedWarning(), "Not all records have been flagged as 'checked'.\n\n"
                                            "Unchecked family records: 1\n"
                                            "Unchecked individual records: 1\n"
                                            "Unchecked multimedia records: 1\n"
                                            "Unchecked note records: 1\n"
                                            "Unchecked repository records: 1\n"
                                            "Unchecked source records: 1\n"
                                            "Unchecked submitter records: 1\n"
                                            "Unchecked submission records: 1\n"
                                            "\nProceed anyway?");
}

TEST_F(MergeRunTest, RecordsKeptAloneCountWhatTheyLose)
{
    LoadBoth(File("a.ged", CrLf({"0 HEAD", "0 @N1@ NOTE only here", "1 REFN 12", "0 TRLR"})),
             File("b.ged", CrLf({"0 HEAD", "0 @N1@ NOTE elsewhere", "0 TRLR"})));
    CMergeEngine& engine = Compare();
    CRecordNode* note = FindById(ProgramRoots(), 4, "N1");
    ASSERT_TRUE(note);
    CDataNode* field = note->FindChild(nullptr, FIELD_REFN);
    ASSERT_TRUE(field);
    ASSERT_TRUE(engine.MarkItem(field, MergeMark::Discard).changed);
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_EQ(engine.Counts()[4].otherUpdated, 1);
    EXPECT_EQ(engine.Counts()[4].added, 1);
    EXPECT_FALSE(note->FindChild(nullptr, FIELD_REFN));
}

} // namespace

TEST_F(MergeRunTest, TheNewSubmissionIsNotAddedBesideTheCurrentOne)
{
    const auto file = [](const std::string& family) {
        return CrLf({"0 HEAD", "1 SUBN @B1@", "0 @B1@ SUBN", "1 FAMF " + family, "0 @I1@ INDI",
                     "1 NAME Ann /Lee/", "0 TRLR"});
    };
    LoadBoth(File("a.ged", file("First")), File("b.ged", file("Second")));
    CMergeEngine& engine = Compare();
    CRecordNode* second = FindById(SecondRoots(), 8, "B1");
    ASSERT_TRUE(second && second->HasFlag(DNF_MARK));
    EXPECT_EQ(engine.SingleRecordWarning(), "");
    ASSERT_TRUE(engine.MarkItem(second, MergeMark::Retain).changed);
    EXPECT_NE(engine.SingleRecordWarning().find("submission record of the file being merged"),
              std::string::npos);
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    EXPECT_EQ(ProgramRoots()[8]->CountChildren(), 1u);
}
