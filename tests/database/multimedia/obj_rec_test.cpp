// tests/database/multimedia/obj_rec_test.cpp: Multimedia records: BLOB lines written and read back,
// continuation records and their numbers (kept per thread), embedding and expelling content,
// merge scores.
#include "platform/base/temp_files.h"
#include "tests/database/multimedia/multimedia_test_support.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>
#include <thread>

using namespace multimedia_test;

namespace {

/// Bytes that cover every value, ending as asked.
std::string Content(std::size_t size, bool endsInFF = false)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 37 + i / 256) & 0xFF);
    if (endsInFF && size > 0)
        bytes.back() = '\xFF';
    return bytes;
}

struct BlobShape {
    std::size_t size;
    bool endsInFF;
    std::size_t continuations; // continuation records written after the record
    std::size_t contLines;     // CONT lines of the whole file
};

// 9000 characters (125 lines) fit in the record; the padding group makes 6749 bytes the most
// that does (6750 bytes encode to 9004 characters). Each continuation takes 27360 characters.
const BlobShape kShapes[] = {
    {0, false, 0, 1},     {1, false, 0, 1},       {2, false, 0, 1},       {3, false, 0, 1},
    {3, true, 0, 1},      {6, true, 0, 1},        {6749, false, 0, 125},  {6750, false, 1, 126},
    {6750, true, 1, 126}, {20000, false, 1, 371}, {27269, false, 1, 505}, {27270, false, 2, 506},
};

class BlobRoundTrip : public CMultimediaTest, public ::testing::WithParamInterface<BlobShape> {};

} // namespace

TEST_P(BlobRoundTrip, ContentComesBackByteIdenticalAndSavesAgainUnchanged)
{
    const BlobShape shape = GetParam();
    const std::string content = Content(shape.size, shape.endsInFF);
    const CObjRec* record = NewEmbeddedRecord(4, content);
    ASSERT_EQ(WorkingContent(*record), content);

    const std::string written = WrittenFile({record});
    const std::vector<std::string> lines = SplitLines(written);
    const auto count = [&](std::string_view prefix) {
        return std::size_t(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.starts_with(prefix);
        }));
    };
    EXPECT_EQ(count("2 CONT "), shape.contLines);
    EXPECT_EQ(count("0 @O"), 1 + shape.continuations);
    EXPECT_EQ(count("1 OBJE @O"), shape.continuations);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.size() <= 7 + 72; }));

    const std::vector<CObjRec*> loaded = ReadBack(written);
    ASSERT_EQ(loaded.size(), 1u) << "continuation records join the first";
    EXPECT_TRUE(loaded[0]->IsEmbedded());
    EXPECT_EQ(loaded[0]->FindChild(nullptr, FIELD_BLOB), nullptr) << "BLOB fields are decoded";
    EXPECT_EQ(WorkingContent(*loaded[0]), content);
    EXPECT_EQ(WithoutChangeDates(WrittenFile({loaded[0]})), WithoutChangeDates(written))
        << "a second save is the same";
}

INSTANTIATE_TEST_SUITE_P(Sizes, BlobRoundTrip, ::testing::ValuesIn(kShapes));

TEST_F(CMultimediaTest, ContentEndingInFFOutsideAWholeGroupLosesOnlyThoseBytesOnce)
{
    // The BLOB encoding pads the last group with 0xFF, so 0xFF bytes at the very end of
    // content whose length is not a multiple of three cannot be told from padding.
    for (std::string content :
         {std::string("abc\xFF"), std::string("ab\xFF\xFF"), std::string("\xFF\xFF\xFF\xFF")}) {
        const CObjRec* record = NewEmbeddedRecord(1, content);
        std::vector<CObjRec*> loaded = ReadBack(WrittenFile({record}));
        ASSERT_EQ(loaded.size(), 1u);
        while (content.size() % 3 != 0 && !content.empty() && content.back() == '\xFF')
            content.pop_back();
        EXPECT_EQ(WorkingContent(*loaded[0]), content);
        loaded = ReadBack(WrittenFile({loaded[0]}));
        EXPECT_EQ(WorkingContent(*loaded[0]), content) << "nothing grows or shrinks after that";
    }
}

TEST_F(CMultimediaTest, ContinuationIdsLieAboveEveryMultimediaNumberAndLeaveTheCounter)
{
    const CObjRec* first = NewEmbeddedRecord(3, Content(40000));
    const CObjRec* second = NewEmbeddedRecord(10, Content(8000));
    CObjRec* linked = NewMediaRecord(7);
    AddField(linked, FIELD_FORM, "bmp");
    GetRecordIdState(7)->m_counter = 10;
    std::string written;
    {
        CBlobContinuationNumbers numbers({3, 7, 10, 12}); // 12: a dangling reference
        written = WrittenFile({first, second, linked});
    }
    EXPECT_EQ(CBlobContinuationNumbers::GetCurrent(), nullptr);
    EXPECT_EQ(GetRecordIdState(7)->m_counter, 10);
    std::vector<std::int32_t> ids;
    for (const std::string& line : SplitLines(written)) {
        if (line.starts_with("0 @O"))
            ids.push_back(XrefNumber(line.substr(2, line.find(' ', 2) - 2)));
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{3, 13, 14, 10, 15, 7}));

    const std::vector<CObjRec*> loaded = ReadBack(written);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(WorkingContent(*loaded[0]), Content(40000));
    EXPECT_EQ(WorkingContent(*loaded[1]), Content(8000));
    EXPECT_FALSE(loaded[2]->IsEmbedded());
}

TEST_F(CMultimediaTest, RecordWrittenOutsideASaveNumbersAboveItself)
{
    CObjRec* record = NewEmbeddedRecord(5, Content(7000));
    const std::string written = WrittenFile({record});
    EXPECT_NE(written.find("1 OBJE @O6@\r\n0 @O6@ OBJE\r\n"), std::string::npos) << written;
}

struct NumberCase {
    std::vector<std::int32_t> used;
    std::vector<std::int32_t> expected;
};

class BlobContinuationNumbersTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(BlobContinuationNumbersTest, TakesNumbersNoRecordHolds)
{
    const NumberCase& row = GetParam();
    CBlobContinuationNumbers numbers(row.used);
    std::vector<std::int32_t> taken;
    for (std::size_t i = 0; i < row.expected.size(); ++i)
        taken.push_back(numbers.Take());
    EXPECT_EQ(taken, row.expected);
}

TEST(BlobContinuationNumbers, AWriteOnAnotherThreadNeverTakesTheNumbersThisOneHolds)
{
    CBlobContinuationNumbers numbers({5});
    const CBlobContinuationNumbers* seenElsewhere = &numbers;
    std::thread([&seenElsewhere] {
        seenElsewhere = CBlobContinuationNumbers::GetCurrent();
    }).join();
    EXPECT_EQ(seenElsewhere, nullptr);
    EXPECT_EQ(CBlobContinuationNumbers::GetCurrent(), &numbers);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(Cases, BlobContinuationNumbersTest,
                         ::testing::Values(NumberCase{{}, {1, 2, 3}}, NumberCase{{0, 0, 5}, {6, 7}},
                                           NumberCase{{4, 9, 2}, {10, 11}},
                                           NumberCase{{kMax - 1, 5}, {kMax, 1, 2, 3, 4, 6}},
                                           NumberCase{{kMax, 1, 3}, {2, 4}}));

TEST_F(CMultimediaTest, UndecodableBlobStaysAsItWasRead)
{
    CObjRec* record = NewMediaRecord(2);
    AddField(record, FIELD_FORM, "bmp");
    auto* blob =
        static_cast<CBlobNode*>(record->CreateChildById(FIELD_BLOB, {.withChildren = false}));
    blob->AppendText("abc#", 2);
    EXPECT_FALSE(record->DecodeBlobs());
    EXPECT_FALSE(record->IsEmbedded());
    EXPECT_EQ(record->GetWorkingFile(), "");
    EXPECT_NE(WrittenFile({record}).find("1 BLOB\r\n2 CONT abc#\r\n"), std::string::npos);
}

TEST_F(CMultimediaTest, RecordWithoutBlobIsLinkedAndFinishingTwiceChangesNothing)
{
    CObjRec* linked = NewMediaRecord(1);
    EXPECT_TRUE(linked->DecodeBlobs());
    EXPECT_FALSE(linked->IsEmbedded());
    CObjRec* embedded = NewEmbeddedRecord(2, "picture");
    const std::string file = embedded->GetWorkingFile();
    EXPECT_TRUE(embedded->DecodeBlobs());
    EXPECT_TRUE(embedded->IsEmbedded());
    EXPECT_EQ(embedded->GetWorkingFile(), file);
}

TEST_F(CMultimediaTest, WorkingFileIsATemporaryFileNamedSafelyAndRemovedWithTheRecord)
{
    for (const auto& [format, extension] : std::vector<std::pair<std::string, std::string>>{
             {"jpeg", ".jpeg"}, {"../../x", ".tmp"}, {"a/b", ".tmp"}, {"verylongformat", ".tmp"}}) {
        CObjRec* record = NewEmbeddedRecord(1, "bytes", format);
        const std::filesystem::path path = record->GetWorkingFile();
        EXPECT_EQ(path.parent_path(), std::filesystem::path(temp_files::Folder())) << format;
        EXPECT_EQ(path.extension(), extension) << format;
        EXPECT_TRUE(std::filesystem::exists(path));
        Destroy(record);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

TEST_F(CMultimediaTest, ExpelWritesTheContentOutAndLinksToIt)
{
    CObjRec* record = NewEmbeddedRecord(1, Content(500), "jpg");
    AddField(record, FIELD_TITL, "Wedding");
    std::string name;
    std::string filter;
    record->GetExpelProposal(name, filter);
    EXPECT_EQ(name, "Wedding.jpg");
    EXPECT_EQ(filter, "JPG files|*.jpg|All Files (*.*)|*.*||");
    const std::string working = record->GetWorkingFile();
    const std::string target = m_folder + "/wedding.jpg";
    ASSERT_TRUE(record->ExpelToFile(target));
    EXPECT_EQ(test_support::ReadFile(target), Content(500));
    EXPECT_FALSE(record->IsEmbedded());
    EXPECT_EQ(record->GetFilePath(), target);
    EXPECT_FALSE(std::filesystem::exists(working));
    EXPECT_FALSE(record->ExpelToFile(target)) << "a linked object has nothing to expel";
    EXPECT_TRUE(record->AbsorbLinkedObject());
    EXPECT_EQ(WorkingContent(*record), Content(500));
}

TEST_F(CMultimediaTest, ExpelToAnUnwritablePathChangesNothing)
{
    CObjRec* record = NewEmbeddedRecord(1, "abc");
    EXPECT_FALSE(record->ExpelToFile(m_folder + "/missing/folder/x.bmp"));
    EXPECT_TRUE(record->IsEmbedded());
    EXPECT_EQ(WorkingContent(*record), "abc");
}

TEST_F(CMultimediaTest, ExpelProposalNamesTheFileAfterTitleAndFormat)
{
    const std::vector<std::vector<std::string>> rows = {
        // format, title, proposed name, filter
        {"", "", "Multimedia object", "All Files (*.*)|*.*||"},
        {"png", "", "Multimedia object.png", "PNG files|*.png|All Files (*.*)|*.*||"},
        {"tif", "scan.tif", "scan.tif", "TIF files|*.tif|All Files (*.*)|*.*||"},
        {"", "Ann", "Ann", "All Files (*.*)|*.*||"},
    };
    for (const std::vector<std::string>& row : rows) {
        CObjRec* record = NewMediaRecord(1);
        if (!row[0].empty())
            AddField(record, FIELD_FORM, row[0]);
        if (!row[1].empty())
            AddField(record, FIELD_TITL, row[1]);
        std::string name;
        std::string filter;
        record->GetExpelProposal(name, filter);
        EXPECT_EQ(name, row[2]);
        EXPECT_EQ(filter, row[3]);
    }
}

TEST_F(CMultimediaTest, MatchScoreComparesKindFormAndContent)
{
    CObjRec* a = NewEmbeddedRecord(1, Content(900));
    CObjRec* same = NewEmbeddedRecord(2, Content(900));
    std::string changed = Content(900);
    changed[450] ^= 1;
    CObjRec* oneByte = NewEmbeddedRecord(3, changed);
    CObjRec* shorter = NewEmbeddedRecord(4, Content(899));
    CObjRec* other = NewEmbeddedRecord(5, Content(900), "wav");
    CObjRec* linked = NewMediaRecord(6);
    AddField(linked, FIELD_FORM, "bmp");
    AddField(linked, FIELD_OBJE_LINKED_FILE, "C:\\Pics\\A.BMP");
    CObjRec* linkedToo = NewMediaRecord(7);
    AddField(linkedToo, FIELD_FORM, "BMP");
    AddField(linkedToo, FIELD_OBJE_LINKED_FILE, "c:\\pics\\a.bmp");
    EXPECT_EQ(a->MatchScore(same, nullptr), 500);
    EXPECT_EQ(a->MatchScore(oneByte, nullptr), -100);
    EXPECT_EQ(a->MatchScore(shorter, nullptr), -100);
    EXPECT_EQ(a->MatchScore(other, nullptr), -500);
    EXPECT_EQ(a->MatchScore(linked, nullptr), -250);
    EXPECT_EQ(linked->MatchScore(linkedToo, nullptr), 200);
    EXPECT_EQ(a->MatchScore(nullptr, nullptr), -10000);
}

TEST_F(CMultimediaTest, FrameNoteFindsTheRecordThatLinksWithItsNumber)
{
    Install("CAssocNode", &MakeNode<CAssocNode>);
    Install("CIndRec", &MakeNode<CRecordNode>);
    CObjRec* media = NewMediaRecord(1);
    CDataNode* note = media->AddFrameNote(nullptr, nullptr);
    AddField(note, FIELD_OBJE_LINK_NUMBER, "2");
    CRecordNode* person = NewRecord("INDI");
    CDataNode* plainLink = person->AddLinkChild(FIELD_OBJE, media);
    CRecordNode* other = NewRecord("INDI");
    CDataNode* frameLink = other->AddLinkChild(FIELD_OBJE, media);
    ASSERT_NE(plainLink, nullptr);
    ASSERT_NE(frameLink, nullptr);
    const CDataNode* number = note->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER);
    EXPECT_EQ(media->FindLinkingRecord(number), nullptr);
    AddField(frameLink, FIELD_OBJE_LINK_NUMBER, " 2 ");
    EXPECT_EQ(media->FindLinkingRecord(number), other);
    AddField(plainLink, FIELD_OBJE_LINK_NUMBER, "0");
    AddField(note, FIELD_OBJE_LINK_NUMBER, "0");
    EXPECT_EQ(media->FindLinkingRecord(plainLink->GetFirstChild()), nullptr) << "below 1";
}

TEST_F(CMultimediaTest, BytesOfFFWhereARecordsBlobEndsAreContentNotPadding)
{
    std::string content = Content(30000);
    for (std::size_t at : {6747u, 6748u, 6749u, 6749u + 20520u})
        content[at] = '\xFF';
    const CObjRec* record = NewEmbeddedRecord(1, content);
    const std::vector<CObjRec*> loaded = ReadBack(WrittenFile({record}));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(WorkingContent(*loaded[0]), content);
}
