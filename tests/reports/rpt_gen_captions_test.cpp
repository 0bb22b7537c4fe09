// tests/reports/rpt_gen_captions_test.cpp: picture captions on pages: the name, the year of the
// picture's date, the individual's age at it and the title, each as its flag says; and the
// Family Group Sheet pictures each person once.
#include "reports/rpt_gen_fam.h"
#include "reports/rpt_gen_ind.h"
#include "reports/rpt_gen_rec.h"
#include "reports/rpt_sources.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/media_content.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/fam_rec.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace rpt_test {
namespace {

class NamedLoader final : public IMediaContentLoader {
public:
    std::unique_ptr<IMediaContent> LoadPicture(const std::string& path, int, std::string&) override
    {
        return std::make_unique<NamedContent>(path.substr(path.rfind('/') + 1));
    }
    std::unique_ptr<IMediaContent> LoadOleItem(const std::string&, bool) override
    {
        return nullptr;
    }
};

std::string WithoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

class CaptionTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        SetMediaContentLoader(&m_loader);
        m_folder = test_support::NewFolder("captions");
        for (int role = 0; role < kRptPicRoleCount; ++role)
            m_settings.m_pictures.m_maxPictures[std::size_t(role)] = 1;
    }
    void TearDown() override
    {
        SetMediaContentLoader(nullptr);
        CIndRecTest::TearDown();
    }
    /// A picture linked to record, with a date and a title when given.
    void Picture(CRecordNode* record, const std::string& file, const std::string& date,
                 const std::string& title)
    {
        CObjRec* object = PictureRecord(file, date, title);
        ASSERT_NE(record->AddObjectLink(object, 0), nullptr);
    }
    /// A multimedia record of a picture file, with a date and a title when given.
    CObjRec* PictureRecord(const std::string& file, const std::string& date,
                           const std::string& title)
    {
        auto* object = static_cast<CObjRec*>(NewRecord(record_test::kObje));
        object->CreateChildById(FIELD_FORM, {.withChildren = false})->SetText("bmp");
        object->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false})
            ->SetText(test_support::WriteFile(m_folder + "/" + file, "BM"));
        if (!date.empty())
            object->CreateChildById(FIELD_OBJE_DATE, {.withChildren = false})->SetText(date);
        if (!title.empty())
            SetField(object, "TITL", title);
        return object;
    }
    /// A picture described in place under node, with a title.
    void InPlacePicture(CDataNode* node, const std::string& file, const std::string& title)
    {
        CDataNode* object = node->CreateChildById(FIELD_OBJE_EMBEDDED, {.withChildren = false});
        ASSERT_NE(object, nullptr);
        object->CreateChildById(FIELD_FORM, {.withChildren = false})->SetText("bmp");
        object->CreateChildById(FIELD_FILE, {.withChildren = false})
            ->SetText(test_support::WriteFile(m_folder + "/" + file, "BM"));
        object->CreateChildById(FIELD_TITL, {.withChildren = false})->SetText(title);
    }
    /// Draws the first page of the entry write makes: the texts drawn (blanks left out) and the
    /// pictures' names.
    std::pair<std::string, std::vector<std::string>>
    Draw(const std::function<bool(CRptBodyContext&)>& write)
    {
        ScriptBody body;
        body.entries.push_back({"Entry", [&](CRptPageLayout& layout, CRptFontSet& ctx) {
                                    CRptLayoutEmitter out(layout, ctx);
                                    CRptCitations citations(false, nullptr);
                                    CRptBodyContext context{m_settings, out, citations, {}, {}};
                                    return write(context);
                                }});
        FakeCanvas canvas;
        CRptPageLayout layout(PlainSettings());
        layout.Build(body, canvas, "", "");
        canvas.drawn.clear();
        layout.PrintPage(body, canvas, 0);
        std::string texts;
        for (const std::string& text : canvas.Texts())
            texts += text;
        std::vector<std::string> pictures;
        for (const FakeCanvas::Drawn& drawn : canvas.OfKind(FakeCanvas::Drawn::Picture))
            pictures.push_back(drawn.text);
        return {WithoutBlanks(texts), pictures};
    }

    NamedLoader m_loader;
    std::string m_folder;
    CRptSettings m_settings = BodySettings();
};

TEST_F(CaptionTest, YearAgeAndTitleFollowTheNameAsTheirFlagsSay)
{
    CIndRec* tom = Person(SEX_MALE, "Tom", "12 MAR 1850");
    Picture(tom, "tom.bmp", "20 JUN 1875", "Wedding");
    for (CRptItem& item : m_settings.m_contents.m_items[kRptIndItems])
        item.m_show = kRptItemHide;
    const struct {
        std::array<bool, kRptCaptionFlagCount> flags;
        const char* caption;
    } cases[] = {
        {{true, false, false, false, false}, "Tom"},
        {{true, true, false, false, false}, "Tom, 1875"},
        {{true, true, true, false, false}, "Tom, 1875 (age 25)"},
        {{true, false, true, true, false}, "Tom (age 25)  \"Wedding\""},
        // Year and age belong to the shown name; the title stands alone.
        {{false, true, true, true, false}, "\"Wedding\""},
    };
    for (const auto& test : cases) {
        m_settings.m_pictures.m_captionFlags = test.flags;
        const auto drawn =
            Draw([&](CRptBodyContext& body) { return RptWriteIndividualSummary(body, *tom); });
        EXPECT_THAT(drawn.first, testing::HasSubstr(WithoutBlanks(test.caption))) << test.caption;
        if (!test.flags[1]) {
            EXPECT_THAT(drawn.first, testing::Not(testing::HasSubstr("1875"))) << test.caption;
        }
    }
}

TEST_F(CaptionTest, AnUndatedPictureHasNeitherYearNorAge)
{
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    Picture(tom, "tom.bmp", "", "");
    m_settings.m_pictures.m_captionFlags = {true, true, true, false, false};
    const auto drawn =
        Draw([&](CRptBodyContext& body) { return RptWriteIndividualSummary(body, *tom); });
    EXPECT_THAT(drawn.first, testing::Not(testing::HasSubstr("(age")));
    EXPECT_THAT(drawn.second, testing::ElementsAre("tom.bmp"));
}

TEST_F(CaptionTest, TheFamilyGroupSheetPicturesEachPersonOnce)
{
    // A man recorded as his own son: husband and child of the same family.
    CIndRec* loop = Person(SEX_MALE, "Loop");
    Picture(loop, "loop.bmp", "", "");
    CIndRec* wife = Person(SEX_FEMALE, "Wife");
    Picture(wife, "wife.bmp", "", "");
    CFamRec* family = Marry(loop, wife, {loop});
    m_settings.m_pictures.m_captionFlags = {true, false, false, false, false};
    const auto drawn =
        Draw([&](CRptBodyContext& body) { return RptWriteFamilyGroupSheet(body, *family); });
    EXPECT_THAT(drawn.second, testing::UnorderedElementsAre("loop.bmp", "wife.bmp"));
}

TEST_F(CaptionTest, AMultimediaRecordReportShowsTheRecordsOwnPicture)
{
    CObjRec* object = PictureRecord("own.bmp", "", "Harbour");
    m_settings.m_pictures.m_captionFlags = {false, false, false, true, false};
    const auto drawn =
        Draw([&](CRptBodyContext& body) { return RptWriteRecordEntry(body, *object); });
    EXPECT_THAT(drawn.second, testing::ElementsAre("own.bmp"));
    EXPECT_THAT(drawn.first, testing::HasSubstr("\"Harbour\""));
    m_settings.m_pictures.m_maxPictures[kRptPicIndividuals] = 0;
    EXPECT_THAT(
        Draw([&](CRptBodyContext& body) { return RptWriteRecordEntry(body, *object); }).second,
        testing::IsEmpty());
}

TEST_F(CaptionTest, PicturesDescribedInPlaceFollowTheLinkedOnes)
{
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    InPlacePicture(tom, "kept.bmp", "Portrait");
    Picture(tom, "linked.bmp", "", "");
    m_settings.m_pictures.m_maxPictures[kRptPicIndividuals] = 2;
    m_settings.m_pictures.m_captionFlags = {false, false, false, true, false};
    auto drawn = Draw([&](CRptBodyContext& body) { return RptWriteIndividualSummary(body, *tom); });
    EXPECT_THAT(drawn.second, testing::ElementsAre("linked.bmp", "kept.bmp"));
    EXPECT_THAT(drawn.first, testing::HasSubstr("\"Portrait\""));
    m_settings.m_sources.m_flags[kRptIncludeSources] = true;
    CDataNode* citation =
        Link(tom->FindChild(nullptr, FIELD_BIRT), "SOUR", NewRecord(record_test::kSour));
    InPlacePicture(citation, "cited.bmp", "");
    CRptCitationList list;
    list.Add(citation);
    drawn = Draw([&](CRptBodyContext& body) {
        return RptWriteCitations(body.out, m_settings, list, kRptHeadingSourcesAll, false);
    });
    EXPECT_THAT(drawn.second, testing::ElementsAre("cited.bmp"));
}

TEST_F(CaptionTest, TheSourcesSectionShowsSourceAndCitationPictures)
{
    m_settings.m_sources.m_flags[kRptIncludeSources] = true;
    CRecordNode* source = NewRecord(record_test::kSour);
    SetField(source, "TITL", "Parish Registers");
    ASSERT_NE(source->AddObjectLink(PictureRecord("page.bmp", "", "Page 1"), 0), nullptr);
    ASSERT_NE(source->AddObjectLink(PictureRecord("cover.bmp", "", ""), 0), nullptr);
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    CDataNode* birth = tom->FindChild(nullptr, FIELD_BIRT);
    CDataNode* first = Link(birth, "SOUR", source);
    CDataNode* second = Link(tom->FindChild(nullptr, FIELD_NAME), "SOUR", source);
    Link(second, "OBJE", PictureRecord("entry.bmp", "", "Entry"));
    CRptCitationList list;
    list.Add(first);
    list.Add(second);
    const auto section = [&] {
        return Draw([&](CRptBodyContext& body) {
            return RptWriteCitations(body.out, m_settings, list, kRptHeadingSourcesAll, false);
        });
    };
    // The source's pictures come once, before its first citation; the second citation shows
    // its own.
    auto drawn = section();
    EXPECT_THAT(drawn.second, testing::ElementsAre("page.bmp", "entry.bmp"));
    EXPECT_THAT(drawn.first,
                testing::HasSubstr(WithoutBlanks("Source: Parish Registers  \"Page 1\"")));
    EXPECT_THAT(drawn.first, testing::HasSubstr(WithoutBlanks("Citation 2:  \"Entry\"")));
    m_settings.m_sources.m_sourcePictures = 2;
    m_settings.m_sources.m_pictureTitles = false;
    drawn = section();
    EXPECT_THAT(drawn.second, testing::ElementsAre("page.bmp", "cover.bmp", "entry.bmp"));
    EXPECT_THAT(drawn.first, testing::Not(testing::HasSubstr("Page1")));
    m_settings.m_sources.m_captions = false;
    m_settings.m_sources.m_citationPictures = 0;
    drawn = section();
    EXPECT_THAT(drawn.second, testing::ElementsAre("page.bmp", "cover.bmp"));
    EXPECT_THAT(drawn.first, testing::Not(testing::HasSubstr("Source:")));
}

} // namespace
} // namespace rpt_test
