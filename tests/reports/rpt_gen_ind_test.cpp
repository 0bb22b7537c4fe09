// tests/reports/rpt_gen_ind_test.cpp: the Individual Summary: name items and their show modes,
// marriages, notes, LDS rows, citations and the empty record.
#include "reports/rpt_gen_ind.h"

#include "database/dictionary/field_ids.h"
#include "database/multimedia/obj_rec.h"
#include "database/records/fam_rec.h"
#include "reports/rpt_settings_tables.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::Not;

class IndSummaryTest : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        m_settings.m_format.m_headings[kRptHdgMarriage].m_show = kRptHeadingShow;
        Item("Spouses", kRptItemShow);
    }
    /// Sets the show mode of the standard item key.
    void Item(std::string_view key, int show)
    {
        for (CRptItem& item : m_settings.m_contents.m_items[kRptIndItems])
            if (item.m_index >= 0 &&
                RptItemCatalogue(kRptIndItems)[std::size_t(item.m_index)].key == key)
                item.m_show = show;
    }
    void Only(std::initializer_list<RptOption> sections)
    {
        for (RptOption option :
             {kRptSectionMain, kRptSectionIndEvents, kRptSectionSpouses, kRptSectionLdsOrdinances,
              kRptSectionIndNotes, kRptSectionMarrNotes})
            m_settings.m_contents.m_options[option] = false;
        for (RptOption option : sections)
            m_settings.m_contents.m_options[option] = true;
    }
    std::vector<std::string> Lines(CIndRec* person)
    {
        return Trimmed(BodyLines(m_settings, [&](CRptBodyContext& body) {
            EXPECT_TRUE(RptWriteIndividualSummary(body, *person));
        }));
    }
    CRptSettings m_settings = BodySettings();
};

TEST_F(IndSummaryTest, OneSpouseFamilyIsNotNumberedTwoAre)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    Marry(tom, Person(SEX_FEMALE, "Ann"), {Person(SEX_FEMALE, "Amy")});
    Only({kRptSectionMain, kRptSectionSpouses});
    std::vector<std::string> lines = Lines(tom);
    EXPECT_THAT(lines, Contains("Spouse:  Ann"));
    EXPECT_THAT(lines, Contains("Marriage"));
    EXPECT_THAT(lines, Contains("Spouse:   Ann"));
    EXPECT_THAT(lines, Contains("Child:   Amy"));

    Marry(tom, nullptr);
    Marry(tom, Person(SEX_FEMALE, "Bea"));
    lines = Lines(tom);
    EXPECT_THAT(lines, Contains("Spouse 1:  Ann"));
    EXPECT_THAT(lines, Not(Contains(testing::StartsWith("Spouse 2:"))))
        << "a family without spouse takes its number but gives no row";
    EXPECT_THAT(lines, Contains("Spouse 3:  Bea"));
    EXPECT_THAT(lines, Contains("Marriage (1)"));
    EXPECT_THAT(lines, Contains("Marriage (2)"));
    EXPECT_THAT(lines, Contains("Spouse:   (unknown)"));
    EXPECT_THAT(lines, Contains("Marriage (3)"));
}

struct ParentsCase {
    const char* name;
    int show;
    bool parents;
    std::vector<std::string> rows;
};

class IndSummaryParents : public IndSummaryTest, public testing::WithParamInterface<ParentsCase> {};

TEST_P(IndSummaryParents, ShowModes)
{
    const ParentsCase& c = GetParam();
    CIndRec* kid = Person(SEX_MALE, "Kid");
    if (c.parents)
        Marry(Person(SEX_MALE, "Dad"), nullptr, {kid});
    for (const char* key : {"Name", "Sex"})
        Item(key, kRptItemHide);
    Item("Parents", c.show);
    Only({kRptSectionMain});
    EXPECT_EQ(Lines(kid), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, IndSummaryParents,
    testing::Values(
        ParentsCase{"EmptyRowsWhenAskedFor", kRptItemShowEmpty, false, {"Father:", "Mother:"}},
        ParentsCase{"NothingWithoutParents", kRptItemShow, false, {"(none)"}},
        ParentsCase{"OnlyTheKnownParent", kRptItemShow, true, {"Father:  Dad"}},
        ParentsCase{"Hidden", kRptItemHide, true, {"(none)"}}),
    [](const auto& info) { return info.param.name; });

TEST_F(IndSummaryTest, FurtherParentFamiliesAreNumberedFromTwo)
{
    CIndRec* kid = Person(SEX_MALE, "Kid");
    Marry(Person(SEX_MALE, "Dad"), Person(SEX_FEMALE, "Mum"), {kid});
    Marry(nullptr, Person(SEX_FEMALE, "Stepmum"), {kid});
    Item("Alt Parents", kRptItemShow);
    Only({kRptSectionMain});
    const std::vector<std::string> lines = Lines(kid);
    EXPECT_THAT(lines, Contains("Mother (2):  Stepmum"));
    EXPECT_THAT(lines, Not(Contains(testing::StartsWith("Father (2):"))));
}

TEST_F(IndSummaryTest, NotesAreNumberedAndSharedOnesSaySo)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    LoadField(tom, "NOTE", "Kept a <diary> & {ledger}");
    Only({kRptSectionIndNotes});
    EXPECT_THAT(Lines(tom), ElementsAre("Individual Note", "Kept a <diary> & {ledger}"));

    CRecordNode* shared = NewRecord(record_test::kNote);
    SetField(shared, "TEXT", "Served at sea");
    Link(tom, "NOTE", shared);
    EXPECT_THAT(Lines(tom), ElementsAre("Individual Note 1 (shared)", "Served at sea",
                                        "Individual Note 2", "Kept a <diary> & {ledger}"));
}

TEST_F(IndSummaryTest, MarriageNotesNameTheSpouseOrItsNumber)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    CFamRec* first = Marry(tom, nullptr);
    LoadField(first, "NOTE", "Brief");
    CFamRec* second = Marry(tom, Person(SEX_FEMALE, "Ann"));
    LoadField(second, "NOTE", "Long");
    LoadField(second, "NOTE", "Happy");
    Only({kRptSectionMarrNotes});
    EXPECT_THAT(Lines(tom), ElementsAre("Note on Marriage to Spouse 1 (name not known)", "Brief",
                                        "Note on Marriage to Ann", "Long",
                                        "Note on Marriage to Ann (2)", "Happy"));
}

TEST_F(IndSummaryTest, EventsAreRowsWithTheirCitationMarks)
{
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    LoadField(tom->FindChild(nullptr, FIELD_BIRT), "SOUR", "Parish book");
    Only({kRptSectionIndEvents});
    m_settings.m_sources.m_flags[kRptIncludeSources] = true;
    m_settings.m_format.m_headings[kRptHdgIndEvents].m_show = kRptHeadingShow;
    const std::vector<std::string> lines = Lines(tom);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Individual Events and Attributes");
    EXPECT_THAT(lines[1], testing::MatchesRegex("Birth\\s+1850\\[1\\]"));
}

TEST_F(IndSummaryTest, AnIndividualWithNothingToShowGetsTheEmptySectionText)
{
    CIndRec* nobody = NewIndividual();
    Only({kRptSectionMain, kRptSectionIndEvents, kRptSectionSpouses, kRptSectionIndNotes});
    for (CRptItem& item : m_settings.m_contents.m_items[kRptIndItems])
        item.m_show = std::min(item.m_show, int(kRptItemShow));
    Item("Sex", kRptItemHide);
    EXPECT_THAT(Lines(nobody), ElementsAre("(none)"));
}

} // namespace
} // namespace rpt_test

namespace rpt_test {
namespace {

class NamedPictureLoader final : public IMediaContentLoader {
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

TEST_F(IndSummaryTest, PicturesStandUnderTheHeadingOnPagesOnly)
{
    NamedPictureLoader loader;
    SetMediaContentLoader(&loader);
    const std::string folder = test_support::NewFolder("pictures");
    CIndRec* tom = Person(SEX_MALE, "Tom");
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        auto* object = static_cast<CObjRec*>(NewRecord(record_test::kObje));
        object->CreateChildById(FIELD_FORM, {.withChildren = false})->SetText("bmp");
        object->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false})
            ->SetText(test_support::WriteFile(folder + "/" + name, "BM"));
        SetField(object, "TITL", std::string("Portrait ") + name);
        ASSERT_NE(tom->AddObjectLink(object, 0), nullptr);
    }
    m_settings.m_pictures.m_maxPictures[kRptPicIndividuals] = 2;
    m_settings.m_pictures.m_captionFlags = {true, false, false, true, false};
    Only({kRptSectionMain});
    ScriptBody body;
    body.entries.push_back({"Tom", [&](CRptPageLayout& layout, CRptFontSet& ctx) {
                                CRptLayoutEmitter out(layout, ctx);
                                CRptCitations citations(false, nullptr);
                                CRptBodyContext context{m_settings, out, citations, {}, {}};
                                return RptWriteIndividualSummary(context, *tom);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    layout.PrintPage(body, canvas, 0);
    std::vector<std::string> pictures;
    for (const FakeCanvas::Drawn& drawn : canvas.drawn)
        if (drawn.kind == FakeCanvas::Drawn::Picture)
            pictures.push_back(drawn.text);
    EXPECT_THAT(pictures, ElementsAre("a.bmp", "b.bmp")) << "two of three, in link order";
    std::string drawnText;
    for (const std::string& text : canvas.Texts())
        drawnText += text + " ";
    EXPECT_THAT(drawnText, testing::HasSubstr("\"Portrait a.bmp\"")) << "the caption, wrapped";
    // Exports show none and load none.
    EXPECT_THAT(Lines(tom), Not(Contains(testing::HasSubstr("Portrait"))));
    SetMediaContentLoader(nullptr);
}

} // namespace
} // namespace rpt_test

namespace rpt_test {
namespace {

TEST_F(IndSummaryTest, AgesFollowDatesOnlyWhenAsked)
{
    CIndRec* tom = Person(SEX_MALE, "Tom", "1850");
    Event(tom, "DEAT", "1900");
    Only({kRptSectionIndEvents});
    m_settings.m_contents.m_options[kRptAgesIfKnown] = true;
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Death\\s+1900 \\(age 49-50\\)")));
    // Without "or calculated" only an age recorded with the event shows.
    SetField(Event(tom, "BURI", "1900"), "AGE", "50");
    m_settings.m_contents.m_options[kRptAgesOrCalc] = false;
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Death\\s+1900")));
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Burial\\s+1900 \\(age 50 yrs\\)")));
    m_settings.m_contents.m_options[kRptAgesIfKnown] = false;
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Death\\s+1900")));
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Burial\\s+1900")));
}

TEST_F(IndSummaryTest, WholeRecordCitationsAreMarkedAgainstTheName)
{
    CIndRec* tom = Person(SEX_MALE, "Tom");
    LoadField(tom->FindChild(nullptr, FIELD_NAME), "SOUR", "Baptism roll");
    LoadField(tom, "SOUR", "Family bible");
    Only({kRptSectionMain});
    m_settings.m_sources.m_flags[kRptIncludeSources] = true;
    m_settings.m_sources.m_flags[kRptWholeRecordSources] = true;
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Name:\\s+Tom\\[1,2\\]")));
    m_settings.m_sources.m_flags[kRptWholeRecordSources] = false;
    EXPECT_THAT(Lines(tom), Contains(testing::MatchesRegex("Name:\\s+Tom\\[1\\]")));
}

} // namespace
} // namespace rpt_test
