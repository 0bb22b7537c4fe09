// tests/reports/rpt_page_elements_test.cpp: headings with their gaps, rules and kept lines, and
// the five picture placements with the column left beside pictures, on a fixed-metric canvas.
#include "tests/reports/fake_rpt_canvas.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

using testing::ElementsAreArray;

/// Where a text or picture was drawn: the page and the drawn rectangle.
struct Placed {
    int page = -1;
    CRect rect;
    bool operator==(const Placed&) const = default;
};

/// Builds body and draws every page, answering for each text or picture path where it stands.
std::map<std::string, Placed> DrawAll(const RptPageSettings& settings, ScriptBody& body,
                                      std::vector<FakeCanvas::Drawn>* everything = nullptr)
{
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    layout.Build(body, canvas, "", "");
    std::map<std::string, Placed> placed;
    for (int page = 0; page < layout.GetPageCount(); ++page) {
        canvas.drawn.clear();
        layout.PrintPage(body, canvas, page);
        for (const FakeCanvas::Drawn& d : canvas.drawn)
            placed.emplace(d.text, Placed{page, d.rect});
        if (everything)
            everything->insert(everything->end(), canvas.drawn.begin(), canvas.drawn.end());
    }
    return placed;
}

/// The content of picture n, named "pic" and n.
NamedContent& Named(std::size_t n)
{
    static std::vector<std::unique_ptr<NamedContent>> pictures;
    while (pictures.size() < n)
        pictures.push_back(
            std::make_unique<NamedContent>("pic" + std::to_string(pictures.size() + 1)));
    return *pictures[n - 1];
}

std::string Filler(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i)
        text += "f" + std::to_string(i) + "\n";
    return text;
}

struct HeadingCase {
    const char* name;
    int linesBefore;
    int keepWithNext;
    bool defer;
    Placed heading, row;
};

class Headings : public testing::TestWithParam<HeadingCase> {};

// A record heading is 120 high, with a 10-unit rule below it and a gap of 60 under that; 120
// above it unless it stands at the top of a page. A page holds 6480 below 720.
TEST_P(Headings, StandWhereTheyAndWhatTheyKeepFit)
{
    const HeadingCase& c = GetParam();
    RptPageSettings settings = PlainSettings();
    settings.headingStyles[0] = {false, true, 12, 6, 100, c.keepWithNext};
    ScriptBody body;
    body.entries.push_back({"entry", [&c](CRptPageLayout& layout, CRptFontSet& ctx) {
                                if (c.linesBefore)
                                    layout.EmitRow(ctx, Filler(c.linesBefore), "", 0, 0, 1, 2);
                                layout.EmitHeading(ctx, 0, "Heading", 0, c.defer);
                                return layout.EmitRow(ctx, "row", "", 0, 0, 1, 2);
                            }});
    std::vector<FakeCanvas::Drawn> drawn;
    std::map<std::string, Placed> placed = DrawAll(settings, body, &drawn);
    const Placed heading = placed["Heading"];
    EXPECT_EQ(heading.page, c.heading.page);
    EXPECT_EQ(heading.rect.top, c.heading.rect.top);
    EXPECT_EQ(placed["row"].page, c.row.page);
    EXPECT_EQ(placed["row"].rect.top, c.row.rect.top);
    const bool ruled = std::any_of(drawn.begin(), drawn.end(), [&](const FakeCanvas::Drawn& d) {
        return d.kind == FakeCanvas::Drawn::Rule && d.rect.top == heading.rect.top + 125;
    });
    EXPECT_TRUE(ruled) << "the rule below the heading's text";
}

INSTANTIATE_TEST_SUITE_P(
    Page, Headings,
    testing::Values(
        HeadingCase{
            "AtTheTopOfAPageNoGapAbove", 0, 2, false, {0, {0, 720, 0, 0}}, {0, {0, 910, 0, 0}}},
        HeadingCase{
            "BelowTextAfterItsGap", 10, 2, false, {0, {0, 2040, 0, 0}}, {0, {0, 2230, 0, 0}}},
        HeadingCase{"WithTheLinesItKeepsOnTheNextPage",
                    50,
                    2,
                    false,
                    {1, {0, 720, 0, 0}},
                    {1, {0, 910, 0, 0}}},
        HeadingCase{
            "KeepingNothingItStays", 50, 0, false, {0, {0, 6840, 0, 0}}, {0, {0, 7030, 0, 0}}},
        HeadingCase{"DeferredItMovesWithWhatFollows",
                    51,
                    0,
                    true,
                    {1, {0, 720, 0, 0}},
                    {1, {0, 910, 0, 0}}},
        HeadingCase{
            "NotDeferredItStaysBehind", 51, 0, false, {0, {0, 6960, 0, 0}}, {1, {0, 720, 0, 0}}}),
    [](const auto& info) { return info.param.name; });

struct PictureCase {
    const char* name;
    int linesBefore;
    std::vector<RptPlacement> placements;
    int maxSize; // hundredths of an inch, 0 for none
    std::vector<Placed> pictures;
    Placed after; // the page and top of a row that follows the block, and its right edge
};

class Pictures : public testing::TestWithParam<PictureCase> {};

// Each picture is 96 pixels square: an inch, 720 units, with no gaps; the content runs from 720
// to 5400 across.
TEST_P(Pictures, StandAsTheirPlacementSays)
{
    const PictureCase& c = GetParam();
    ScriptBody body;
    body.entries.push_back({"entry", [&c](CRptPageLayout& layout, CRptFontSet& ctx) {
                                if (c.linesBefore)
                                    layout.EmitRow(ctx, Filler(c.linesBefore), "", 0, 0, 1, 2);
                                layout.BeginPictures(ctx, 1);
                                std::size_t n = 0;
                                for (RptPlacement placement : c.placements)
                                    layout.PlacePicture(ctx, {96, 96, "", &Named(++n)}, placement,
                                                        c.maxSize, c.maxSize);
                                layout.EndPictures(ctx, 0);
                                return layout.EmitRow(ctx, "after", "", 0, 0, 1, 2);
                            }});
    std::map<std::string, Placed> placed = DrawAll(PlainSettings(), body);
    std::vector<Placed> pictures;
    for (std::size_t i = 1; i <= c.placements.size(); ++i)
        pictures.push_back(placed["pic" + std::to_string(i)]);
    EXPECT_THAT(pictures, ElementsAreArray(c.pictures));
    const Placed after = placed["after"];
    EXPECT_EQ(after.page, c.after.page);
    EXPECT_EQ(after.rect.top, c.after.rect.top);
    EXPECT_EQ(after.rect.right, c.after.rect.right);
}

using P = RptPlacement;

INSTANTIATE_TEST_SUITE_P(
    Page, Pictures,
    testing::Values(PictureCase{"InARowSideBySide",
                                0,
                                {P::RowsLeft, P::RowsLeft},
                                0,
                                {{0, {720, 720, 1440, 1440}}, {0, {1440, 720, 2160, 1440}}},
                                {0, {0, 1440, 5400, 0}}},
                    PictureCase{"AFullRowWrapsBelow",
                                0,
                                {P::RowsLeft, P::RowsLeft, P::RowsLeft, P::RowsLeft, P::RowsLeft,
                                 P::RowsLeft, P::RowsLeft},
                                0,
                                {{0, {720, 720, 1440, 1440}},
                                 {0, {1440, 720, 2160, 1440}},
                                 {0, {2160, 720, 2880, 1440}},
                                 {0, {2880, 720, 3600, 1440}},
                                 {0, {3600, 720, 4320, 1440}},
                                 {0, {4320, 720, 5040, 1440}},
                                 {0, {720, 1440, 1440, 2160}}},
                                {0, {0, 2160, 5400, 0}}},
                    PictureCase{"AboveTextOneBelowAnother",
                                0,
                                {P::AboveLeft, P::AboveCentre, P::AboveRight},
                                0,
                                {{0, {720, 720, 1440, 1440}},
                                 {0, {2700, 1440, 3420, 2160}},
                                 {0, {4680, 2160, 5400, 2880}}},
                                {0, {0, 2880, 5400, 0}}},
                    PictureCase{"LeavingARowGoesBelowIt",
                                0,
                                {P::RowsLeft, P::AboveLeft},
                                0,
                                {{0, {720, 720, 1440, 1440}}, {0, {720, 1440, 1440, 2160}}},
                                {0, {0, 2160, 5400, 0}}},
                    PictureCase{"NoRoomLeftGoesToTheNextPage",
                                50,
                                {P::AboveLeft},
                                0,
                                {{1, {720, 720, 1440, 1440}}},
                                {1, {0, 1440, 5400, 0}}},
                    PictureCase{"ToTheRightTheTextGoesOnBeside",
                                0,
                                {P::RightOfText},
                                100,
                                {{0, {4680, 720, 5400, 1440}}},
                                {0, {0, 720, 4680, 0}}}),
    [](const auto& info) { return info.param.name; });

TEST(RptPictures, GapsFrameThePictureAndItsCaption)
{
    RptPageSettings settings = PlainSettings();
    settings.pictureGaps = {10, 10, 10, 10, 5};
    ScriptBody body;
    body.entries.push_back(
        {"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
             layout.BeginPictures(ctx, 1);
             layout.PlacePicture(ctx, {96, 96, "Cap", &Named(1)}, P::AboveLeft, 0, 0);
             layout.EndPictures(ctx, 0);
             return layout.EmitRow(ctx, "after", "", 0, 0, 1, 2);
         }});
    std::map<std::string, Placed> placed = DrawAll(settings, body);
    EXPECT_EQ(placed["pic1"].rect, CRect(792, 792, 1512, 1512));
    EXPECT_EQ(placed["Cap"].rect, CRect(792, 1548, 1512, 1668));
    EXPECT_EQ(placed["after"].rect.top, 720 + 72 + 720 + 36 + 120 + 72);
}

TEST(RptPictures, TheColumnBesideThemClosesBelowThemOrAtAHeading)
{
    ScriptBody body;
    body.entries.push_back(
        {"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
             layout.BeginPictures(ctx, 1);
             layout.PlacePicture(ctx, {96, 96, "", &Named(1)}, P::RightOfText, 100, 100);
             layout.EndPictures(ctx, 0);
             layout.EmitRow(ctx, std::string(600, 'a'), "", 0, 0, 1, 2);
             layout.EmitRow(ctx, std::string(100, 'b'), "", 0, 0, 1, 2);
             layout.BeginPictures(ctx, 1);
             layout.PlacePicture(ctx, {96, 96, "", &Named(2)}, P::RightOfText, 100, 100);
             layout.EndPictures(ctx, 0);
             layout.EmitHeading(ctx, 0, "Next");
             return true;
         }});
    std::map<std::string, Placed> placed = DrawAll(PlainSettings(), body);
    // Beside the picture a line holds 79 characters; below it 93 again.
    EXPECT_EQ(placed[std::string(79, 'a')].rect.right, 4680);
    EXPECT_EQ(placed[std::string(93, 'b')].rect.right, 5400);
    // The second picture stands beside the text at 1200 (8 lines of a, 2 of b); the heading
    // goes below it, across the whole width.
    EXPECT_EQ(placed["pic2"].rect, CRect(4680, 1920, 5400, 2640));
    EXPECT_EQ(placed["Next"].rect, CRect(720, 2640, 5400, 2760));
}

struct ClearCase {
    const char* name;
    bool open;
    RptPosition at, expected;
};

class ClearSide : public testing::TestWithParam<ClearCase> {};

TEST_P(ClearSide, MovesAPlaceAboveTheSidePicturesBottomDownToIt)
{
    const ClearCase& c = GetParam();
    CRptFontSet ctx;
    ctx.SetContent(CRect(720, 720, 5400, 7200));
    ctx.columnRight = 4000;
    ctx.pictures.sideOpen = c.open;
    ctx.pictures.sideBottom = {2, 500};
    RptPosition at = c.at;
    ctx.ClearSidePictures(at.page, at.y);
    EXPECT_EQ(at, c.expected);
    EXPECT_FALSE(ctx.pictures.sideOpen);
    EXPECT_EQ(ctx.columnRight, c.open ? 5400 : 4000);
}

INSTANTIATE_TEST_SUITE_P(FontSet, ClearSide,
                         testing::Values(ClearCase{"AnEarlierPage", true, {1, 900}, {2, 500}},
                                         ClearCase{"HigherOnTheSamePage", true, {2, 300}, {2, 500}},
                                         ClearCase{"LowerOnTheSamePage", true, {2, 700}, {2, 700}},
                                         ClearCase{"ALaterPage", true, {3, 100}, {3, 100}},
                                         ClearCase{"NothingBeside", false, {1, 900}, {1, 900}}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
