// tests/media/media_object_test.cpp: multimedia objects with the picture and OLE loader
// installed: loading and its messages, fitting and drawing, embedded OLE items.
#include "media/av_cntr_item.h"
#include "media/expel_object.h"
#include "media/media_content_loader.h"
#include "platform/base/archive.h"
#include "platform/base/file.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/database/multimedia/multimedia_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace multimedia_test;

namespace {

std::string Torture(const std::string& name)
{
    return test_support::DataPath("torture55/" + name);
}

/// A 24-bit Windows bitmap of one colour.
std::string SolidBmp(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::string b = "BM";
    const auto u32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b += char(v >> (8 * i) & 0xFF);
    };
    const auto u16 = [&b](unsigned v) {
        b += char(v & 0xFF);
        b += char(v >> 8);
    };
    u32(54 + rowBytes * height);
    u32(0);
    u32(54);
    u32(40);
    u32(std::uint32_t(width));
    u32(std::uint32_t(height));
    u16(1);
    u16(24);
    for (int i = 0; i < 6; ++i)
        u32(0);
    std::string row(std::size_t(rowBytes), '\0');
    for (int x = 0; x < width; ++x) {
        row[std::size_t(x) * 3] = char(blue);
        row[std::size_t(x) * 3 + 1] = char(green);
        row[std::size_t(x) * 3 + 2] = char(red);
    }
    for (int y = 0; y < height; ++y)
        b += row;
    return b;
}

class CMediaObjectTest : public CMultimediaTest {
protected:
    void SetUp() override
    {
        CMultimediaTest::SetUp();
        InstallMediaContentLoader();
    }
    void TearDown() override
    {
        SetMediaContentLoader(nullptr);
        CMultimediaTest::TearDown();
    }

    CObjNode* Linked(const std::string& format, const std::string& path)
    {
        CObjNode* object = NewMediaObject();
        AddField(object, FIELD_FORM, format);
        AddField(object, FIELD_FILE, path);
        return object;
    }
};

} // namespace

TEST_F(CMediaObjectTest, PicturesLoadOrSayWhyNot)
{
    const std::string png = test_support::ReadFile(Torture("ImgFile.PNG"));
    struct Row {
        const char* what;
        const char* format;
        std::string path;
        std::string error; // empty: loads
    };
    const std::string folder = test_support::NewFolder("folder.png");
    const Row rows[] = {
        {"a PNG named .bmp", "bmp", test_support::WriteFile(m_folder + "/png.bmp", png), ""},
        {"a Targa by its extension", "tga", Torture("ImgFile.TGA"), ""},
        {"a Photoshop file by its signature", "psd", Torture("ImgFile.PSD"), ""},
        {"a PCX with another format word", "jpeg", Torture("ImgFile.PCX"), ""},
        {"a PNG cut short", "png",
         test_support::WriteFile(m_folder + "/cut.png", png.substr(0, 900)),
         "Unable to load object.  File is not a valid PNG file."},
        {"a GIF named .jpg", "jpeg",
         test_support::WriteFile(m_folder + "/gif.jpg",
                                 test_support::ReadFile(Torture("ImgFile.GIF"))),
         "Unable to load object.  File is not a valid JPG file."},
        {"an empty file", "bmp", test_support::WriteFile(m_folder + "/empty.bmp", ""),
         "Unable to load object.  An error occurred while reading the file."},
        {"a folder", "png", folder,
         "Unable to load object.  Unable to open file.  File: " + folder},
        {"a missing file", "jpeg", m_folder + "/none.jpg",
         "Unable to load object.  Unable to open file.  File: " + m_folder + "/none.jpg"},
        {"a metafile cut short", "wmf",
         test_support::WriteFile(m_folder + "/m.wmf", "\xD7\xCD\xC6\x9A rest"),
         "Unable to load object.  An error occurred while reading the file."},
        {"a metafile without the placeable header", "wmf",
         test_support::WriteFile(m_folder + "/b.wmf", std::string("\x01\x00\x09\x00\x00\x03", 6)),
         "Unable to load object.  This file format is not supported."},
        {"a short format word", "jpg", test_support::WriteFile(m_folder + "/x.dat", "nothing"),
         "Unable to load object.  File is not a valid JPG file."},
    };
    for (const Row& row : rows) {
        CObjNode* object = Linked(row.format, row.path);
        object->Lock();
        EXPECT_EQ(object->HasLoadFailed(), !row.error.empty()) << row.what;
        EXPECT_EQ(object->GetErrorText(), row.error) << row.what;
        EXPECT_EQ(object->GetLoadedContent() != nullptr, row.error.empty()) << row.what;
        EXPECT_EQ(object->GetExtent(), row.error.empty() ? CSize(100, 100) : CSize()) << row.what;
        object->Unlock();
        EXPECT_EQ(object->GetLoadedContent(), nullptr) << row.what;
    }
}

TEST_F(CMediaObjectTest, ObjectsFitIntoABoxKeepingTheirProportions)
{
    const std::string wide =
        test_support::WriteFile(m_folder + "/wide.bmp", SolidBmp(200, 100, 0, 0, 255));
    CObjNode* picture = Linked("bmp", wide);
    struct Row {
        CSize box;
        const RECT* crop;
        CSize fitted;
    };
    const RECT frame{10, 10, 60, 35};
    const RECT beyond{150, 50, 500, 500};
    const RECT outside{300, 300, 400, 400};
    const Row rows[] = {
        {CSize(100, 100), nullptr, CSize(100, 50)}, {CSize(400, 400), nullptr, CSize(400, 200)},
        {CSize(50, 10), nullptr, CSize(20, 10)},    {CSize(100, 100), &frame, CSize(100, 50)},
        {CSize(20, 100), &beyond, CSize(20, 20)},   {CSize(100, 100), &outside, CSize()},
        {CSize(0, 100), nullptr, CSize()},
    };
    for (const Row& row : rows)
        EXPECT_EQ(picture->GetFittedSize(row.box, row.crop), row.fitted)
            << row.box.cx << "x" << row.box.cy;
    EXPECT_EQ(picture->GetUseCount(), 0) << "loaded only for the call";

    CObjNode* sound = Linked("wav", Torture("force.wav"));
    EXPECT_EQ(sound->GetFittedSize(CSize(300, 40), nullptr), CSize(40, 40));
    CObjNode* missing = Linked("bmp", m_folder + "/none.bmp");
    EXPECT_EQ(missing->GetFittedSize(CSize(300, 40), nullptr), CSize());

    // The extent is kept after the load, and forgotten when the file field changes.
    picture->Lock();
    picture->Unlock();
    EXPECT_EQ(picture->GetExtent(), CSize(200, 100));
    picture->OnChildFileChanged();
    EXPECT_EQ(picture->GetExtent(), CSize());
}

TEST_F(CMediaObjectTest, APreviewIsDrawnFittedAndCentred)
{
    // A 2000 x 1000 picture in a 200 x 150 area: 200 x 100, 25 pixels from the top.
    const std::string path =
        test_support::WriteFile(m_folder + "/big.bmp", SolidBmp(2000, 1000, 255, 0, 0));
    CObjNode* picture = Linked("bmp", path);
    const TestHooks::Image shown = TestHooks::RenderDC(200, 150, [&](CDC& dc) {
        EXPECT_TRUE(picture->DrawFitted(dc, RECT{0, 0, 200, 150}, nullptr));
    });
    EXPECT_EQ(shown.Pixel(100, 24), RGB(255, 255, 255));
    EXPECT_EQ(shown.Pixel(100, 25), RGB(255, 0, 0));
    EXPECT_EQ(shown.Pixel(0, 124), RGB(255, 0, 0));
    EXPECT_EQ(shown.Pixel(100, 125), RGB(255, 255, 255));

    // A frame cut from the torture bitmap fills the rectangle it is drawn into.
    CObjNode* torture = Linked("bmp", Torture("ImgFile.BMP"));
    const RECT frame{0, 0, 10, 10};
    const TestHooks::Image cut = TestHooks::RenderDC(40, 40, [&](CDC& dc) {
        EXPECT_TRUE(torture->DrawInRect(dc, RECT{0, 0, 40, 40}, &frame));
    });
    EXPECT_NE(cut.Pixel(39, 39), 0xFFFFFFFFu);

    CObjNode* sound = Linked("wav", Torture("force.wav"));
    TestHooks::RenderDC(10, 10, [&](CDC& dc) {
        EXPECT_FALSE(sound->DrawFitted(dc, RECT{0, 0, 10, 10}, nullptr));
        EXPECT_FALSE(sound->DrawInRect(dc, RECT{0, 0, 10, 10}, nullptr));
    });
}

TEST_F(CMediaObjectTest, AnEmbeddedOleObjectKeepsItsBytesAndDrawsAPlaceholder)
{
    std::string bytes("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    for (int i = 0; i < 3000; ++i)
        bytes += char(i * 7 % 256);
    CObjRec* record = NewEmbeddedRecord(1, bytes, "ole");
    EXPECT_EQ(record->GetKind(), MEDIA_KIND_OLE);
    EXPECT_EQ(record->GetMediaTypeName(), "OLE Object");
    record->Lock();
    auto* item = dynamic_cast<CAvCntrItem*>(record->GetLoadedContent());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemBytes(), bytes);
    EXPECT_EQ(record->GetExtent(), CSize(200, 200)) << "the item's rectangle";
    EXPECT_EQ(record->GetFittedSize(CSize(100, 50), nullptr), CSize(50, 50));

    const TestHooks::Image shown = TestHooks::RenderDC(100, 50, [&](CDC& dc) {
        EXPECT_TRUE(record->DrawFitted(dc, RECT{0, 0, 100, 50}, nullptr));
    });
    EXPECT_EQ(shown.Pixel(10, 25), RGB(255, 255, 255)) << "outside the square";
    EXPECT_EQ(shown.Pixel(25, 0), RGB(128, 128, 128)) << "the placeholder's frame";

    test_support::Prompt().Answer(IDOK);
    EXPECT_FALSE(item->DoVerb(0));
    const auto shownBoxes = test_support::Prompt().TakeMessages();
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, kOleUnavailableText);
    EXPECT_FALSE(item->IsInPlaceActive());

    // A change notice makes the item write itself back before a save; the bytes stay.
    item->OnChange(OLE_CHANGED, 0);
    EXPECT_TRUE(item->IsChanged());
    const std::string written = WrittenFile({record});
    EXPECT_NE(written.find("1 BLOB"), std::string::npos);
    EXPECT_EQ(test_support::ReadFile(record->GetWorkingFile()), bytes);
    record->Unlock();

    std::vector<CObjRec*> back = ReadBack(written);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(test_support::ReadFile(back[0]->GetWorkingFile()), bytes);
    EXPECT_EQ(WithoutChangeDates(WrittenFile({back[0]})), WithoutChangeDates(written))
        << "a second save equals the first";
}

TEST_F(CMediaObjectTest, TheOleItemsFileFormAndRectangle)
{
    CAvCntrItem item;
    EXPECT_EQ(item.GetRect(), CRect(10, 10, 210, 210));
    EXPECT_FALSE(item.WriteToFile((m_folder + "/not-there.bin").c_str())) << "no file is made";
    EXPECT_FALSE(std::filesystem::exists(m_folder + "/not-there.bin"));

    // A longer earlier object in the file is cut to the item's length.
    const std::string path = test_support::WriteFile(m_folder + "/item.bin", "short");
    ASSERT_TRUE(item.ReadFromFile(path.c_str()));
    test_support::WriteFile(path, "a much longer earlier object");
    ASSERT_TRUE(item.WriteToFile(path.c_str()));
    EXPECT_EQ(test_support::ReadFile(path), "short");
    EXPECT_FALSE(item.ReadFromFile((m_folder + "/none").c_str()));
    EXPECT_FALSE(item.ReadFromFile(test_support::WriteFile(m_folder + "/empty", "").c_str()));

    // The serialised form: the bytes with their length, then the 16-byte rectangle.
    ASSERT_TRUE(item.OnChangeItemPosition(CRect(1, 2, 301, 102)));
    EXPECT_EQ(item.GetExtent(), CSize(300, 100));
    const std::string stored = m_folder + "/stored.bin";
    {
        CFile file;
        ASSERT_TRUE(file.Open(stored, CFile::modeCreate | CFile::modeWrite));
        CArchive archive(&file, CArchive::store);
        item.Serialize(archive);
        archive.Close();
    }
    const std::string form = test_support::ReadFile(stored);
    ASSERT_EQ(form.size(), 4u + 5u + 16u);
    EXPECT_EQ(form.substr(0, 9), std::string("\x05\0\0\0short", 9));
    EXPECT_EQ(form.substr(9, 4), std::string("\x01\0\0\0", 4));
    CAvCntrItem loaded;
    {
        CFile file;
        ASSERT_TRUE(file.Open(stored, CFile::modeRead));
        CArchive archive(&file, CArchive::load);
        loaded.Serialize(archive);
    }
    EXPECT_EQ(loaded.GetRect(), CRect(1, 2, 301, 102));
    EXPECT_EQ(loaded.GetItemBytes(), "short");
}

TEST_F(CMediaObjectTest, ExpellingAskWhereAndLinksToTheNewFile)
{
    CObjRec* record = NewEmbeddedRecord(1, "JPEG bytes", "jpg");
    AddField(record, FIELD_TITL, "Wedding");
    TestHooks::AnswerFilePicker({});
    bool cancelled = false;
    EXPECT_FALSE(ExpelEmbeddedObject(*record, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(record->IsEmbedded());

    const std::string target = m_folder + "/Wedding.jpg";
    TestHooks::AnswerFilePicker({target});
    EXPECT_TRUE(ExpelEmbeddedObject(*record, cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_FALSE(record->IsEmbedded());
    EXPECT_EQ(record->GetFilePath(), target);
    EXPECT_EQ(test_support::ReadFile(target), "JPEG bytes");
    EXPECT_FALSE(ExpelEmbeddedObject(*record, cancelled)) << "a linked object is not expelled";
}

TEST_F(CMediaObjectTest, LinkedPicturesAreWalkedWithTheirFrames)
{
    CRecordNode* person = NewRecord("INDI");
    CObjRec* sound = NewMediaRecord(1);
    AddField(sound, FIELD_FORM, "wav");
    CObjRec* photo = NewMediaRecord(2);
    AddField(photo, FIELD_FORM, "jpeg");
    const RECT face{5, 6, 50, 60};
    int number = 0;
    ASSERT_NE(photo->AddFrameNote(&number, &face), nullptr);
    ASSERT_EQ(number, 1);

    CDataNode* soundLink = person->AddObjectLink(sound, 0);
    ASSERT_NE(soundLink, nullptr);
    EXPECT_EQ(soundLink->GetLinkTarget(), sound);
    EXPECT_EQ(FieldNumber(soundLink->FindChild(nullptr, FIELD_OBJE_LINK_NUMBER)), 0) << "no frame";
    ASSERT_NE(person->AddObjectLink(photo, 1), nullptr);
    ASSERT_NE(person->AddObjectLink(photo, 7), nullptr);

    struct Step {
        CObjRec* record;
        RECT frame;
    };
    const auto walk = [&](bool picturesOnly) {
        std::vector<Step> steps;
        RECT frame;
        CDataNode* link = nullptr;
        while (CObjRec* record = person->GetNextLinkedPicture(link, picturesOnly, &frame))
            steps.push_back({record, frame});
        return steps;
    };
    const std::vector<Step> pictures = walk(true);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].record, photo);
    EXPECT_EQ(CRect(pictures[0].frame), CRect(face));
    EXPECT_TRUE(CRect(pictures[1].frame).IsRectEmpty()) << "frame 7 does not exist";
    const std::vector<Step> all = walk(false);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].record, sound);
}
