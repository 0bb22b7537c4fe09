// tests/database/multimedia/media_item_test.cpp: Multimedia content holders: kinds and type names,
// captions, use counts and loading, frame notes, the guessing of picture formats, and linked files
// found beside the open GEDCOM file.
#include "database/fields/rect_node.h"
#include "database/multimedia/linked_file_location.h"
#include "database/multimedia/media_type.h"
#include "database/multimedia/picture_format.h"
#include "tests/database/multimedia/multimedia_test_support.h"

#include <filesystem>
#include <utility>

using namespace multimedia_test;

namespace {

struct KindRow {
    const char* format;
    MediaKind kind;
};

class MediaKindOfFormatTest : public ::testing::TestWithParam<KindRow> {};

struct TypeNameRow {
    const char* format;
    const char* file; // null: no FILE sub-field
    const char* expected;
};

class MediaTypeNameTest : public CMultimediaTest,
                          public ::testing::WithParamInterface<TypeNameRow> {};

struct SignatureRow {
    std::string head;
    int format;
};

class PictureSignatureTest : public ::testing::TestWithParam<SignatureRow> {};

/// Leaves no open file's folder behind for the tests after.
struct CLinkedFolderReset {
    ~CLinkedFolderReset() { SetLinkedFileFolder(""); }
};

} // namespace

TEST_P(MediaKindOfFormatTest, FormatWordGivesKind)
{
    EXPECT_EQ(MediaKindOfFormat(GetParam().format), GetParam().kind) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(
    Words, MediaKindOfFormatTest,
    ::testing::Values(KindRow{"bmp", MEDIA_KIND_PICTURE}, KindRow{"JPG", MEDIA_KIND_PICTURE},
                      KindRow{"Tif", MEDIA_KIND_PICTURE}, KindRow{"wmf", MEDIA_KIND_PICTURE},
                      KindRow{"OLE", MEDIA_KIND_OLE}, KindRow{"gif", MEDIA_KIND_OTHER},
                      KindRow{"", MEDIA_KIND_OTHER}, KindRow{"jpeg ", MEDIA_KIND_OTHER}));

TEST_P(MediaTypeNameTest, NamesTheTypeOfTheLinkedFile)
{
    const TypeNameRow& row = GetParam();
    CObjNode* object = NewMediaObject();
    ASSERT_NE(object, nullptr);
    if (*row.format)
        AddField(object, FIELD_FORM, row.format);
    if (row.file)
        AddField(object, FIELD_FILE, row.file);
    EXPECT_EQ(object->GetMediaTypeName(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MediaTypeNameTest,
    ::testing::Values(TypeNameRow{"", "a.avi", "<Unknown> "},
                      TypeNameRow{"png", "x.wav", "Picture"},
                      TypeNameRow{"ole", "x.doc", "OLE Object"},
                      TypeNameRow{"gif", "x.gif", "GIF Picture"},
                      TypeNameRow{"wav", "C:\\Media\\clip.WAV ", "Sound"},
                      TypeNameRow{"xyz", "film.final.mpeg", "Video"},
                      TypeNameRow{"xyz", "/home/a/letter.Pdf", "Document"},
                      TypeNameRow{"xyz", "C:\\dir.avi\\noextension", "Other Multimedia ()"},
                      TypeNameRow{"xyz", "dir.avi/", "Other Multimedia ()"},
                      TypeNameRow{"xyz", "trailingdot.", "Other Multimedia ()"},
                      TypeNameRow{"xyz", nullptr, "Other Multimedia ()"},
                      TypeNameRow{"xyz", "evil.%s%n%s", "Other Multimedia (%S%N%S)"},
                      TypeNameRow{"xyz", "song.mp3\n", "Other Multimedia (MP3)"},
                      TypeNameRow{"xyz", "café.flâc", "Other Multimedia (FLÂC)"}));

TEST_F(CMultimediaTest, EmbeddedOtherMultimediaIsNamedByItsFormat)
{
    CObjRec* record = NewEmbeddedRecord(1, "RIFF....WAVE", "wav");
    AddField(record, FIELD_OBJE_LINKED_FILE, "ignored.avi");
    EXPECT_EQ(record->GetMediaTypeName(), "Sound");
}

TEST_F(CMultimediaTest, CaptionShowsTitleElseFileElseNoTitle)
{
    CObjNode* object = NewMediaObject();
    std::string text;
    object->GetText(text, 0);
    EXPECT_EQ(text, "<no title>");
    AddField(object, FIELD_FILE, "  photos/ann.jpg ");
    object->GetText(text, 0);
    EXPECT_EQ(text, "<file: photos/ann.jpg>");
    object->GetText(text, 1);
    EXPECT_EQ(text, "Multimedia Object: <file: photos/ann.jpg>");
    AddField(object, FIELD_TITL, "  Ann at five ");
    object->GetText(text, 0);
    EXPECT_EQ(text, "Ann at five");

    CObjRec* embedded = NewEmbeddedRecord(1, "x");
    embedded->GetText(text, 1);
    EXPECT_EQ(text, "Multimedia: <no title>");
}

TEST_F(CMultimediaTest, ContentIsLoadedOnFirstUseAndFreedAtLastRelease)
{
    const std::string path = test_support::WriteFile(m_folder + "/p.bmp", "BM-picture-bytes");
    CObjNode* object = NewMediaObject();
    AddField(object, FIELD_FORM, "bmp");
    AddField(object, FIELD_FILE, path);
    EXPECT_EQ(object->GetContent(), nullptr);
    object->Lock();
    ASSERT_NE(object->GetContent(), nullptr);
    EXPECT_EQ(*object->GetContent(), "BM-picture-bytes");
    test_support::WriteFile(path, "changed");
    object->Lock();
    object->Unlock();
    ASSERT_NE(object->GetContent(), nullptr) << "still in use";
    EXPECT_EQ(*object->GetContent(), "BM-picture-bytes");
    object->Unlock();
    EXPECT_EQ(object->GetContent(), nullptr);
    EXPECT_EQ(object->GetUseCount(), 0);
    object->Unlock();
    EXPECT_EQ(object->GetUseCount(), 0) << "an extra release does not go below zero";
}

TEST_F(CMultimediaTest, LoadingKeepsTheBytesOrTheReasonItFailed)
{
    struct Row {
        const char* format;
        const char* file;
        const char* bytes; // null: no such file
        bool loaded;
        const char* error;
    };
    const Row rows[] = {
        {"png", "named.dat", "\x89PNG\r\n\x1a\n-rest", true, ""},
        {"ole", "object.bin", "opaque OLE bytes", true, ""},
        {"bmp", "missing.bmp", nullptr, false, "Unable to load object.  The file cannot be read: "},
        {"jpg", "unknown.dat", "no signature", true, ""},
        {"gif", "a.gif", "GIF89a", false, ""},
    };
    for (const Row& row : rows) {
        CObjNode* object = NewMediaObject();
        AddField(object, FIELD_FORM, row.format);
        const std::string path = m_folder + "/" + row.file;
        if (row.bytes)
            test_support::WriteFile(path, row.bytes);
        AddField(object, FIELD_FILE, path);
        object->Lock();
        EXPECT_EQ(object->GetContent() != nullptr, row.loaded) << row.file;
        if (row.loaded) {
            EXPECT_EQ(*object->GetContent(), row.bytes);
        }
        EXPECT_EQ(object->HasLoadFailed(), *row.error != '\0') << row.file;
        EXPECT_TRUE(object->GetErrorText().starts_with(row.error)) << object->GetErrorText();
        object->Unlock();
    }
    CObjRec* record = NewEmbeddedRecord(1, "BM embedded", "bmp");
    record->Lock();
    ASSERT_NE(record->GetContent(), nullptr) << "embedded content comes from the working file";
    EXPECT_EQ(*record->GetContent(), "BM embedded");
    record->Unlock();
}

TEST_F(CMultimediaTest, FrameNotesAreNumberedAndFound)
{
    CObjRec* record = NewMediaRecord(1);
    EXPECT_EQ(record->NextFrameNumber(), 1);
    int number = 0;
    const RECT frame{10, 20, 30, 40};
    CDataNode* first = record->AddFrameNote(&number, &frame);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(number, 1);
    CDataNode* fifth = record->AddFrameNote(nullptr, nullptr);
    AddField(fifth, FIELD_OBJE_LINK_NUMBER, "5");
    EXPECT_EQ(record->NextFrameNumber(), 6);
    EXPECT_EQ(record->FindFrameNote(5), fifth);
    EXPECT_EQ(record->FindFrameNote(0), nullptr);
    EXPECT_EQ(record->FindFrameNote(2), nullptr);
    EXPECT_EQ(CRect(record->GetFrameRect(1)), CRect(frame));
    EXPECT_TRUE(CRect(record->GetFrameRect(5)).IsRectNull());
    EXPECT_EQ(record->FindFrameNoteAfter(first), fifth);
    EXPECT_EQ(record->FindFrameNoteAfter(record), nullptr) << "not a sub-field";

    CPictureFrameRef ref(record, 1);
    EXPECT_TRUE(ref.HasFrame());
    EXPECT_EQ(CRect(ref.GetRect()), CRect(frame));
    EXPECT_FALSE(CPictureFrameRef(record, 0).HasFrame());
    EXPECT_FALSE(CPictureFrameRef(nullptr, 1).HasFrame());
}

TEST_F(CMultimediaTest, FileChangeIsSeenAndObjectsCompareByKindAndPath)
{
    CObjNode* a = NewMediaObject();
    AddField(a, FIELD_FORM, "bmp");
    AddField(a, FIELD_FILE, "C:\\A.BMP");
    CObjNode* b = NewMediaObject();
    AddField(b, FIELD_FORM, "jpg");
    AddField(b, FIELD_FILE, "c:\\a.bmp");
    EXPECT_TRUE(a->IsFileChanged()) << "a new FILE field is changed";
    EXPECT_TRUE(a->IsEqual(b, nullptr));
    b->SetFormat("gif");
    EXPECT_FALSE(a->IsEqual(b, nullptr));
}

TEST_P(PictureSignatureTest, FirstBytesGiveTheFormat)
{
    EXPECT_EQ(PictureFormatFromSignature(GetParam().head), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Heads, PictureSignatureTest,
    ::testing::Values(SignatureRow{"\x89PNG\r\n\x1a\nrest", PICTURE_FORMAT_PNG},
                      SignatureRow{"\xFF\xD8\xFF\xE0", PICTURE_FORMAT_JPEG},
                      SignatureRow{"BMxxxx", PICTURE_FORMAT_BMP},
                      SignatureRow{std::string("II*\0", 4), PICTURE_FORMAT_TIFF},
                      SignatureRow{"8BPS", PICTURE_FORMAT_PSD},
                      SignatureRow{"\xD7\xCD\xC6\x9A", PICTURE_FORMAT_WMF},
                      SignatureRow{std::string(40, '\1') + " EMF", PICTURE_FORMAT_EMF},
                      SignatureRow{std::string("\x0A\x05\x01\x08", 4), PICTURE_FORMAT_PCX},
                      SignatureRow{"GIF89a", PICTURE_FORMAT_NONE},
                      SignatureRow{"", PICTURE_FORMAT_NONE}));

TEST_F(CMultimediaTest, GuessPictureFormatFallsBackToTheExtension)
{
    const std::string png = test_support::WriteFile(m_folder + "/named.bmp", "\x89PNG\r\n\x1a\n");
    const std::string tga = test_support::WriteFile(m_folder + "/plain.TGA", "no signature");
    EXPECT_EQ(GuessPictureFormat(png), PICTURE_FORMAT_PNG) << "the content wins";
    EXPECT_EQ(GuessPictureFormat(tga), PICTURE_FORMAT_TGA);
    EXPECT_EQ(GuessPictureFormat(m_folder + "/missing"), PICTURE_FORMAT_NONE);
}

TEST_F(CMultimediaTest, StoredNamesWithoutARootAreTakenAgainstTheOpenFilesFolder)
{
    const CLinkedFolderReset reset;
    const std::string folder = m_folder + "/tree";
    std::filesystem::create_directories(folder + "/Pics");
    test_support::WriteFile(folder + "/Pics/Ann.JPG", "ann");
    SetLinkedFileFolder(folder + "/family.ged");
    const std::pair<const char*, std::string> cases[] = {
        {"a.jpg", folder + "/a.jpg"},
        {"pics\\ann.jpg", folder + "/Pics/Ann.JPG"}, // "\" and the case of a Windows name
        {"./Pics/Ann.JPG", folder + "/./Pics/Ann.JPG"},
        {"../b.png", folder + "/../b.png"},
        {"/srv/photos/c.png", "/srv/photos/c.png"},
        {"\\\\server\\share\\d.png", "//server/share/d.png"},
        {"C:\\Fam\\e.bmp", "C:/Fam/e.bmp"},
        {"c:f.bmp", "c:f.bmp"},
        {"http://www.geditcom.com", "http://www.geditcom.com"}, // an address, no file
        {"mailto:support@geditcom.com", "mailto:support@geditcom.com"},
        {"", ""},
    };
    for (const auto& [stored, location] : cases)
        EXPECT_EQ(LinkedFileLocation(stored), location) << stored;

    SetLinkedFileFolder("");
    EXPECT_EQ(GetLinkedFileFolder(), "");
    EXPECT_EQ(LinkedFileLocation("pics\\a.jpg"), "pics/a.jpg") << "an untitled file: as given";
    SetLinkedFileFolder("trees/../family.ged");
    EXPECT_EQ(GetLinkedFileFolder(), std::filesystem::current_path().string())
        << "made absolute at once, so a later change of folder moves nothing";
}

TEST(LinkedFileNames, AnAddressHasASchemeOfTwoOrMoreLettersADriveHasOne)
{
    const std::pair<const char*, bool> cases[] = {
        {"http://www.geditcom.com", true},
        {"HTTPS://example.org/a.jpg", true},
        {"ftp://ftp.genealogy.org/genealogy/GEDCOM/", true},
        {"mailto:support@geditcom.com", true},
        {"file:///home/ann/p.png", true},
        {"svn+ssh://host/tree.ged", true},
        {"  http://homepages.rootsweb.com/~pmcbride/", true},
        {"C:\\Fam\\e.bmp", false},
        {"c:e.bmp", false},
        {"C:", false},
        {"pics/a:b.jpg", false},
        {"1http://x", false},
        {"://x", false},
        {"photo.jpg", false},
        {"", false},
    };
    for (const auto& [name, address] : cases)
        EXPECT_EQ(IsUrlLink(name), address) << name;
}

TEST_F(CMultimediaTest, ALinkedFileBesideTheOpenFileIsReadAndEmbeddedWhateverTheCurrentFolder)
{
    const CLinkedFolderReset reset;
    const std::string folder = m_folder + "/tree";
    std::filesystem::create_directories(folder + "/pics");
    test_support::WriteFile(folder + "/pics/p.bmp", "BM-beside");
    test_support::WriteFile(folder + "/s.wav", "RIFF-sound");
    SetLinkedFileFolder(folder + "/family.ged");

    CObjNode* object = NewMediaObject();
    AddField(object, FIELD_FORM, "bmp");
    AddField(object, FIELD_FILE, "pics\\p.bmp");
    object->Lock();
    ASSERT_NE(object->GetContent(), nullptr) << object->GetErrorText();
    EXPECT_EQ(*object->GetContent(), "BM-beside");
    object->Unlock();

    CObjRec* record = NewMediaRecord(1);
    AddField(record, FIELD_FORM, "wav");
    AddField(record, FIELD_OBJE_LINKED_FILE, "s.wav");
    EXPECT_TRUE(record->AbsorbLinkedObject());
    std::string path;
    ASSERT_TRUE(record->GetEmbeddedFile(path));
    EXPECT_EQ(test_support::ReadFile(path), "RIFF-sound");
    EXPECT_EQ(record->GetFilePath(), "s.wav") << "the stored name stays as it was";
}
