// tests/database/multimedia/obj_rec_file_lines_test.cpp: multimedia records and objects that name
// their file in FILE lines, as GEDCOM 5.5.1 files do: the first FILE is the linked file, the
// format (and a record's title) beneath it describe the holder, and a save writes every line back
// in its place.
#include "database/multimedia/file_links.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/obj_node.h"
#include "database/multimedia/obj_rec.h"
#include "tests/database/gedcom/gedcom_test_support.h"

namespace {

/// A small PNG signature is all a picture needs to be taken as one when no decoder is
/// installed: the bytes are then kept as they are.
constexpr std::string_view kPngBytes = "\x89PNG\r\n\x1a\n rest of a picture";

class ObjRecFileLinesTest : public gedcom_test::CGedcomTest {
protected:
    void TearDown() override
    {
        SetLinkedFileFolder({});
        gedcom_test::CGedcomTest::TearDown();
    }

    /// Loads the header, the record lines and the trailer as a file beside which photo.png
    /// lies; the record.
    CObjRec* LoadRecord(std::initializer_list<std::string_view> recordLines)
    {
        std::string text = "0 HEAD\r\n1 CHAR UTF-8\r\n";
        for (const std::string_view line : recordLines)
            text.append(line).append("\r\n");
        text += "0 TRLR\r\n";
        File("photo.png", kPngBytes);
        m_path = File("in.ged", text);
        SetLinkedFileFolder(m_path);
        if (!Load(m_path))
            return nullptr;
        return dynamic_cast<CObjRec*>(GetRecordTypeRoot(RECORD_LIST_OBJE)->GetFirstChild());
    }

    /// The lines of the first multimedia record in the saved bytes.
    static std::vector<std::string> RecordLines(const std::string& bytes)
    {
        std::vector<std::string> lines;
        bool inRecord = false;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = bytes.find("\r\n", at);
            const std::string line = bytes.substr(at, end - at);
            at = end == std::string::npos ? bytes.size() : end + 2;
            if (line.starts_with("0 "))
                inRecord = !inRecord && line.ends_with(" OBJE");
            if (inRecord)
                lines.push_back(line);
        }
        return lines;
    }

    std::string m_path;
};

TEST_F(ObjRecFileLinesTest, FirstFileIsTheLinkedFileAndItsFormatAndTitleDescribeTheRecord)
{
    CObjRec* record =
        LoadRecord({"0 @O1@ OBJE", "1 FILE photo.png", "2 FORM png", "3 TYPE photo",
                    "2 TITL Wedding day", "1 FILE clip.mp3", "2 FORM mp3", "2 TITL Sound"});
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetFilePath(), "photo.png");
    EXPECT_FALSE(record->IsEmbedded());
    EXPECT_EQ(record->GetFormatText(), "png");
    EXPECT_EQ(record->GetKind(), MEDIA_KIND_PICTURE) << "the second file's format does not count";
    EXPECT_EQ(record->GetTitle(), "Wedding day");
    EXPECT_EQ(record->GetCaption(false), "Wedding day");

    record->Lock();
    EXPECT_FALSE(record->HasLoadFailed()) << record->GetErrorText();
    ASSERT_NE(record->GetContent(), nullptr) << "the picture beside the file is read";
    EXPECT_EQ(*record->GetContent(), kPngBytes);
    record->Unlock();

    std::vector<std::string> names;
    CollectFileLinks([&](CDataNode&, const std::string& name) { names.push_back(name); });
    EXPECT_EQ(names, (std::vector<std::string>{"photo.png", "clip.mp3"}))
        << "the external file links tool sees every FILE of the record";
}

TEST_F(ObjRecFileLinesTest, TheRecordsOwnLinkedFileFormatAndTitleComeFirst)
{
    CObjRec* record =
        LoadRecord({"0 @O1@ OBJE", "1 FORM jpg", "1 TITL Own title", "1 _FILE photo.png",
                    "1 FILE other.gif", "2 FORM gif", "2 TITL Other title"});
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetFilePath(), "photo.png");
    EXPECT_EQ(record->GetFormatText(), "jpg");
    EXPECT_EQ(record->GetKind(), MEDIA_KIND_PICTURE);
    EXPECT_EQ(record->GetTitle(), "Own title");
}

TEST_F(ObjRecFileLinesTest, ASaveWritesEveryLineBackWhereItStood)
{
    // The fields of the record's own stand where the GEDCOM 5.5 grammar puts them.
    const std::vector<std::string> lines = {
        "0 @O1@ OBJE",       "1 FILE photo.png", "2 FORM png",    "3 TYPE photo", "2 TITL Wedding",
        "1 FILE second.jpg", "2 FORM jpg",       "1 NOTE A note", "1 REFN 17",    "1 CHAN",
        "2 DATE 8 SEP 2020", "3 TIME 21:14:33"};
    std::string text = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    text += "0 TRLR\r\n";
    ASSERT_TRUE(Load(File("in.ged", text)));
    EXPECT_EQ(Report(), "");
    const std::string saved = Save(PathOf("saved.ged"));
    EXPECT_EQ(RecordLines(saved), lines) << saved;
    ASSERT_TRUE(Load(PathOf("saved.ged")));
    EXPECT_EQ(Save(PathOf("saved.ged")), saved);
}

TEST_F(ObjRecFileLinesTest, EmbeddingReadsTheFileLineAndExpellingLinksTheNewFileBeforeIt)
{
    CObjRec* record = LoadRecord({"0 @O1@ OBJE", "1 FILE photo.png", "2 FORM png"});
    ASSERT_NE(record, nullptr);
    ASSERT_TRUE(record->EmbedLinkedFile());
    const std::string out = PathOf("out.png");
    ASSERT_TRUE(record->ExpelToFile(out));
    EXPECT_EQ(record->GetFilePath(), out);
    EXPECT_EQ(test_support::ReadFile(out), kPngBytes);
}

TEST_F(ObjRecFileLinesTest, AnObjectInARecordTakesItsFirstFileAndTheFormatBeneathIt)
{
    const std::vector<std::string> lines = {"0 @I1@ INDI",   "1 NOTE A person",  "1 OBJE",
                                            "2 TITL Joseph", "2 FILE photo.png", "3 FORM png",
                                            "4 MEDI photo",  "2 FILE clip.mp3",  "3 FORM mp3"};
    std::string text = "0 HEAD\r\n1 CHAR UTF-8\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    text += "0 TRLR\r\n";
    File("photo.png", kPngBytes);
    const std::string in = File("in.ged", text);
    SetLinkedFileFolder(in);
    ASSERT_TRUE(Load(in));
    CDataNode* person = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild();
    ASSERT_NE(person, nullptr);
    auto* object = dynamic_cast<CObjNode*>(person->FindChild(nullptr, FIELD_OBJE_EMBEDDED));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetFilePath(), "photo.png");
    EXPECT_EQ(object->GetKind(), MEDIA_KIND_PICTURE) << "the second file's format does not count";
    EXPECT_EQ(object->GetTitle(), "Joseph");
    object->Lock();
    ASSERT_NE(object->GetContent(), nullptr) << object->GetErrorText();
    EXPECT_EQ(*object->GetContent(), kPngBytes);
    object->Unlock();

    const std::string saved = Save(PathOf("saved.ged"));
    EXPECT_NE(saved.find(text.substr(text.find("0 @I1@"))), std::string::npos)
        << "every line, the second FILE too, is written back in its place:\n"
        << saved;
}

} // namespace
