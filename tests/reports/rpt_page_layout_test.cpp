// tests/reports/rpt_page_layout_test.cpp: page geometry, pagination, the header and footer line,
// and drawing one page, on a canvas with fixed metrics.
#include "tests/reports/fake_rpt_canvas.h"

#include "platform/base/progress.h"

#include <gmock/gmock.h>

#include <limits>

namespace rpt_test {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

struct MarginCase {
    const char* name;
    int margin;   // hundredths of an inch
    int border;   // unprintable pixels at 720 dpi
    int expected; // logical units
};

class Margins : public testing::TestWithParam<MarginCase> {};

TEST_P(Margins, AreAtLeastTheUnprintableBorder)
{
    const MarginCase& c = GetParam();
    RptPageSettings settings = PlainSettings();
    settings.marginTop = settings.marginBottom = settings.marginLeft = settings.marginRight =
        c.margin;
    FakeCanvas canvas;
    canvas.device.offsetX = canvas.device.offsetY = c.border;
    CRptPageLayout layout(settings);
    ASSERT_TRUE(layout.MeasurePage(canvas));
    const RptPageMetrics& m = layout.Metrics();
    EXPECT_EQ(m.marginTop, c.expected);
    EXPECT_EQ(m.marginBottom, c.expected);
    EXPECT_EQ(m.marginLeft, c.expected);
    EXPECT_EQ(m.marginRight, c.expected);
    EXPECT_EQ(canvas.mapped, CSize(6120, 7920));
}

INSTANTIATE_TEST_SUITE_P(Page, Margins,
                         testing::Values(MarginCase{"WiderThanTheBorder", 100, 36, 720},
                                         MarginCase{"NarrowerThanTheBorder", 2, 36, 36},
                                         MarginCase{"NoBorder", 2, 0, 14},
                                         MarginCase{"NoMarginNoBorder", 0, 0, 0}),
                         [](const auto& info) { return info.param.name; });

TEST(RptPage, ASheetOfUnknownSizeIsItsPrintableAreaAndNoResolutionIsRefused)
{
    FakeCanvas canvas;
    canvas.device.physicalWidth = canvas.device.physicalHeight = 0;
    CRptPageLayout layout(PlainSettings());
    ASSERT_TRUE(layout.MeasurePage(canvas));
    EXPECT_EQ(layout.Metrics().pageWidth, 6040);
    EXPECT_EQ(layout.Metrics().pageHeight, 7840);
    canvas.device.dpiY = 0;
    EXPECT_FALSE(layout.MeasurePage(canvas));
}

struct PagingCase {
    const char* name;
    std::vector<int> lines; // lines of each entry
    bool entryStartsPage;
    std::vector<RptPosition> starts;
    int pages;
};

class Paging : public testing::TestWithParam<PagingCase> {};

TEST_P(Paging, EntriesStartWhereThereIsRoomAndPagesAreCounted)
{
    const PagingCase& c = GetParam();
    RptPageSettings settings = PlainSettings();
    settings.entryStartsPage = c.entryStartsPage;
    ScriptBody body;
    for (int n : c.lines)
        body.entries.push_back({"entry", Lines(n)});
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    ASSERT_EQ(layout.Build(body, canvas, "Report", "1 Jan 2026"), RptBuildResult::Done);
    std::vector<RptPosition> starts;
    for (const RptEntryStart& start : layout.GetEntryStarts())
        starts.push_back({start.page, start.offset});
    EXPECT_THAT(starts, ElementsAreArray(c.starts));
    EXPECT_EQ(layout.GetPageCount(), c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Page, Paging,
    testing::Values(
        PagingCase{"NoEntriesNoPages", {}, false, {}, 0},
        PagingCase{"OneLine", {1}, false, {{0, 0}}, 1},
        PagingCase{"AFullPageIsOnePage", {54}, false, {{0, 0}}, 1},
        PagingCase{"ALineMoreGoesOn", {55}, false, {{0, 0}}, 2},
        PagingCase{"TooLittleRoomLeftStartsANewPage", {53, 1}, false, {{0, 0}, {1, 0}}, 2},
        PagingCase{"JustEnoughRoomStaysOnThePage", {52, 1}, false, {{0, 0}, {0, 6240}}, 1},
        PagingCase{"EachEntryOnItsOwnPage", {1, 1, 1}, true, {{0, 0}, {1, 0}, {2, 0}}, 3},
        PagingCase{"ALongEntryRunsOverPages",
                   {60, 1, 100, 1},
                   false,
                   {{0, 0}, {1, 720}, {1, 840}, {3, 0}},
                   4}),
    [](const auto& info) { return info.param.name; });

TEST(RptPage, TheFirstEntryOfAPageIsTheOneAtItsTopOrTheLastBeforeIt)
{
    ScriptBody body;
    for (int n : {60, 1, 100, 1})
        body.entries.push_back({"entry", Lines(n)});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    std::vector<int> found;
    for (int page = -1; page <= 4; ++page)
        found.push_back(layout.FindEntryForPage(page));
    EXPECT_THAT(found, ElementsAre(-1, 0, 0, 2, 3, -1));
}

TEST(RptPage, AReportWithoutEntriesDrawsNothingNotEvenItsHeader)
{
    RptPageSettings settings = PlainSettings();
    settings.headerTexts = {"left", "=Title()", "Page =Page()"};
    settings.footerLine = true;
    ScriptBody body;
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    layout.Build(body, canvas, "Report", "");
    layout.PrintPage(body, canvas, 0);
    EXPECT_EQ(layout.GetPageCount(), 0);
    EXPECT_TRUE(canvas.drawn.empty());
}

TEST(RptPage, HeaderAndFooterTokensAreFilledOncePerTextAndPerPage)
{
    RptPageSettings settings = PlainSettings();
    settings.entryStartsPage = true;
    settings.headerTexts = {"Page =Page()", "=Title() =Title()", "=Page() of =Page()"};
    settings.footerTexts = {"=Record()", "=Date()", ""};
    ScriptBody body;
    for (const char* name : {"Ann", "Bob", "Cy"})
        body.entries.push_back({name, Lines(1)});
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    layout.Build(body, canvas, "Family", "9 Dec 2026");
    layout.PrintPage(body, canvas, 2);
    EXPECT_THAT(canvas.Texts(), ElementsAre("Page 3", "Family =Title()", "3 of =Page()", "line 1",
                                            "Cy", "9 Dec 2026"));
    // The header takes a line and a gap above the content.
    EXPECT_EQ(layout.Metrics().content.top, 720 + 120 + 60);
    EXPECT_EQ(canvas.FindText("Page 3")->baseline, 720 + 100);
}

TEST(RptPage, MirroredPagesAreTheEvenNumberedOnesWithTheirSidesExchanged)
{
    RptPageSettings settings = PlainSettings();
    settings.mirrorPages = true;
    settings.marginRight = 200;
    settings.entryStartsPage = true;
    settings.headerTexts = {"L", "", "R"};
    ScriptBody body;
    for (int i = 0; i < 6; ++i)
        body.entries.push_back({"entry", Lines(1)});
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    layout.Build(body, canvas, "", "");
    std::vector<int> lefts;
    for (int page = 0; page < 6; ++page)
        lefts.push_back(layout.GetContentRect(page).left);
    EXPECT_THAT(lefts, ElementsAre(720, 1440, 720, 1440, 720, 1440));
    EXPECT_EQ(layout.GetContentRect(1).Width(), layout.GetContentRect(0).Width());

    layout.PrintPage(body, canvas, 3);
    const FakeCanvas::Drawn* left = canvas.FindText("R");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->align, RptAlign::Left);
    EXPECT_EQ(left->rect.left, 1440);
    EXPECT_EQ(canvas.FindText("L")->align, RptAlign::Right);
    EXPECT_EQ(canvas.FindText("line 1")->rect.left, 1440);
}

struct SplitCase {
    const char* name;
    std::array<std::string, 3> texts;
    // Left and right of each text's range, in the order left, centre, right (absent: 0, 0).
    std::array<std::pair<int, int>, 3> ranges;
};

class HeaderSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(HeaderSplit, TheLineIsSharedBetweenItsThreeTexts)
{
    const SplitCase& c = GetParam();
    RptPageSettings settings = PlainSettings();
    settings.headerTexts = c.texts;
    ScriptBody body;
    body.entries.push_back({"entry", Lines(1)});
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    layout.Build(body, canvas, "", "");
    layout.PrintPage(body, canvas, 0);
    for (std::size_t i = 0; i < 3; ++i) {
        if (c.texts[i].empty())
            continue;
        const FakeCanvas::Drawn* d = canvas.FindText(c.texts[i]);
        ASSERT_NE(d, nullptr) << i;
        EXPECT_EQ(std::make_pair(int(d->rect.left), int(d->rect.right)), c.ranges[i]) << i;
    }
}

// The line runs from 720 to 5400: guides at 2280 and 3840, the middle at 3060; a character is 50
// wide and each text keeps 40 on its inner side.
INSTANTIATE_TEST_SUITE_P(Page, HeaderSplit,
                         testing::Values(SplitCase{"LeftAloneTakesHalfItsSpace",
                                                   {"abcd", "", ""},
                                                   {{{720, 3180}, {}, {}}}},
                                         SplitCase{"ThreeShortTextsMeetMidway",
                                                   {"ab", "cd", "ef"},
                                                   {{{720, 1915}, {1915, 4205}, {4205, 5400}}}},
                                         SplitCase{"ALongLeftTextStopsAtTheCentreText",
                                                   {std::string(50, 'x'), "cd", ""},
                                                   {{{720, 2970}, {2970, 5400}, {}}}},
                                         SplitCase{
                                             "OverlappingSidesSplitAtTheRightTextBeyondTheMiddle",
                                             {std::string(60, 'x'), "", std::string(40, 'y')},
                                             {{{720, 3360}, {}, {3360, 5400}}}}),
                         [](const auto& info) { return info.param.name; });

TEST(RptPage, ALongRunContinuesOnTheFollowingPages)
{
    ScriptBody body;
    body.entries.push_back({"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                std::string note;
                                for (int i = 1; i <= 200; ++i)
                                    note += "line " + std::to_string(i) + "\n";
                                const RptRun runs[] = {{"Note:", 1, ""}, {note, 2, "4"}};
                                return layout.EmitRuns(ctx, 1, runs);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    EXPECT_EQ(layout.GetPageCount(), 4);
    layout.PrintPage(body, canvas, 2);
    const std::vector<std::string> texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 54u);
    EXPECT_EQ(texts.front(), "line 109");
    EXPECT_EQ(texts.back(), "line 162");
    canvas.drawn.clear();
    layout.PrintPage(body, canvas, 3);
    EXPECT_EQ(canvas.Texts().back(), "4") << "the marks follow the last line";
    EXPECT_EQ(canvas.Texts()[canvas.Texts().size() - 2], "line 200");
}

TEST(RptPage, RunsStandInTheirColumnsAndTheRowEndsBelowTheLongest)
{
    ScriptBody body;
    body.entries.push_back({"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                const RptRun runs[] = {{"Social Security Number:", 1, ""},
                                                       {"", 2, ""},
                                                       {std::string(200, 'a'), 2, ""}};
                                layout.EmitRuns(ctx, 1, runs);
                                return layout.EmitRow(ctx, "after", "", 0, 0, 1, 2);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    layout.PrintPage(body, canvas, 0);
    // A wrapped label keeps its gap before the next column and is not stretched into it.
    const FakeCanvas::Drawn* label = canvas.FindText("Social Security");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->rect, CRect(720, 720, 1740, 840));
    EXPECT_FALSE(label->justify);
    // Columns start at 0, 1.5 and 3 inches; the last run reaches the content's right edge and
    // takes 50 characters a line.
    const FakeCanvas::Drawn* data = canvas.FindText(std::string(50, 'a'));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->rect, CRect(2880, 720, 5400, 840));
    EXPECT_TRUE(data->justify);
    EXPECT_EQ(canvas.FindText("after")->rect.top, 720 + 4 * 120);
}

TEST(RptPage, LinesOfAParagraphButItsLastAreStretchedOnThePage)
{
    ScriptBody body;
    body.entries.push_back({"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                return layout.EmitRow(ctx, std::string(100, 'a') + "\nend", "", 0,
                                                      0, 1, 2);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    layout.PrintPage(body, canvas, 0);
    std::vector<bool> justified;
    for (const FakeCanvas::Drawn& d : canvas.drawn)
        justified.push_back(d.justify);
    EXPECT_THAT(canvas.Texts(), ElementsAre(std::string(93, 'a'), std::string(7, 'a'), "end"));
    EXPECT_THAT(justified, ElementsAre(true, false, false));

    // Lines wrapped into the storage of those of another text are the new text's alone.
    canvas.SelectFont(RptFontSlot(1, 2));
    const int width = canvas.GetTextWidth(std::string(93, 'a'));
    std::vector<RptLine> lines =
        RptWrapText(&canvas, RptFontSlot(1, 2), std::string(100, 'a') + "\nend", width);
    RptWrapText(&canvas, RptFontSlot(1, 2), std::string(200, 'b'), width, lines);
    std::vector<std::pair<std::string, bool>> reused;
    for (const RptLine& line : lines)
        reused.emplace_back(line.text, line.endsParagraph);
    EXPECT_THAT(reused, ElementsAre(std::pair{std::string(93, 'b'), false},
                                    std::pair{std::string(93, 'b'), false},
                                    std::pair{std::string(14, 'b'), true}));

    // A context that counted pages and then draws one has the texts of the lines it counted,
    // however often it met them.
    CRptFontSet ctx;
    ctx.Create(PlainSettings(), &canvas);
    ctx.targetPage = -1;
    ctx.Wrap(RptFontSlot(1, 2), "counted", width);
    ctx.Wrap(RptFontSlot(1, 2), "counted", width);
    ctx.targetPage = 0;
    EXPECT_EQ(ctx.Wrap(RptFontSlot(1, 2), "counted", width).at(0).text, "counted");
}

TEST(RptPage, AnEntryWhoseRecordHasGoneIsNotDrawn)
{
    ScriptBody body;
    body.entries.push_back({"entry", Lines(1)});
    body.entries.push_back({"entry", Lines(2)});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    body.entries[0].exists = false;
    layout.PrintPage(body, canvas, 0);
    EXPECT_THAT(canvas.Texts(), ElementsAre("line 1", "line 2"));
    EXPECT_EQ(canvas.drawn[0].rect.top, 720 + 120);
}

TEST(RptPage, AStoppedBuildKeepsThePagesLaidOutAndSaysSo)
{
    ScriptBody body;
    for (int i = 0; i < 10; ++i)
        body.entries.push_back({"entry", Lines(30)});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    CProgressRecorder progress;
    int asked = 0;
    EXPECT_EQ(layout.Build(body, canvas, "", "", &progress, [&] { return ++asked > 3; }),
              RptBuildResult::Stopped);
    EXPECT_TRUE(layout.WasStopped());
    EXPECT_EQ(layout.GetPageCount(), 2);
    EXPECT_EQ(layout.GetEntryStarts()[3].page, -1);
    EXPECT_EQ(layout.GetStoppedText(), "The report was stopped after 3 of its 10 entries: it "
                                       "shows the 2 pages laid out so far.");
    using Call = CProgressRecorder::Call;
    EXPECT_THAT(progress.TakeCalls(),
                ElementsAre(Call{Call::Begin, 10, "Laying out the report's pages"},
                            Call{Call::SetPos, 1, ""}, Call{Call::SetPos, 2, ""},
                            Call{Call::SetPos, 3, ""}, Call{Call::End, 0, ""}));
    layout.PrintPage(body, canvas, 1);
    EXPECT_EQ(canvas.Texts().back(), "line 30");
    EXPECT_EQ(canvas.Texts().size(), 30u + 6u);
}

TEST(RptPage, AHundredThousandCharacterParagraphIsLaidOutWholeInLinearTime)
{
    ScriptBody body;
    body.entries.push_back({"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                return layout.EmitRow(ctx, std::string(100000, 'n'), "", 0, 0, 1,
                                                      2);
                            }});
    FakeCanvas canvas;
    CRptPageLayout layout(PlainSettings());
    layout.Build(body, canvas, "", "");
    // 93 characters a line, 54 lines a page.
    EXPECT_EQ(layout.GetPageCount(), (100000 / 93 + 1 + 53) / 54);
    EXPECT_LT(canvas.measured, 10u * 100000u);
    std::size_t drawn = 0;
    for (int page = 0; page < layout.GetPageCount(); ++page) {
        canvas.drawn.clear();
        layout.PrintPage(body, canvas, page);
        for (const std::string& text : canvas.Texts())
            drawn += text.size();
    }
    EXPECT_EQ(drawn, 100000u);
}

TEST(RptPage, SettingsAndPicturesOfAnySizeStillGivePages)
{
    constexpr int kHuge = std::numeric_limits<int>::max();
    RptPageSettings settings = PlainSettings();
    settings.marginTop = settings.marginLeft = kHuge;
    settings.marginBottom = std::numeric_limits<int>::min();
    settings.columnStarts = {-kHuge, kHuge, -5, kHuge};
    settings.tabWidth = std::numeric_limits<int>::min();
    settings.minHeaderDepth = kHuge;
    settings.headerLine = true;
    settings.headerLineDepth = kHuge;
    settings.headingStyles[0] = {true, true, kHuge, kHuge, kHuge, kHuge};
    settings.pictureGaps = {kHuge, kHuge, kHuge, kHuge, kHuge};
    settings.fonts[0].lfHeight = kHuge;
    ScriptBody body;
    for (int i = 0; i < 3; ++i)
        body.entries.push_back({"entry", [](CRptPageLayout& layout, CRptFontSet& ctx) {
                                    layout.EmitHeading(ctx, 0, "Heading");
                                    layout.BeginPictures(ctx, 0);
                                    layout.PlacePicture(ctx, {kHuge, kHuge, "caption", nullptr},
                                                        RptPlacement::RowsLeft, kHuge, 0);
                                    layout.EndPictures(ctx, kHuge);
                                    const RptRun runs[] = {{"a", 1, ""}, {"b", 2, ""}};
                                    layout.EmitRuns(ctx, 1, runs);
                                    return layout.EmitRow(ctx, "row", "", 1, 3, 1, 2);
                                }});
    FakeCanvas canvas;
    CRptPageLayout layout(settings);
    ASSERT_EQ(layout.Build(body, canvas, "", ""), RptBuildResult::Done);
    EXPECT_GT(layout.GetPageCount(), 0);
    EXPECT_LT(layout.GetPageCount(), 100);
    layout.PrintPage(body, canvas, layout.GetPageCount() - 1);
    EXPECT_FALSE(canvas.drawn.empty());
}

} // namespace
} // namespace rpt_test
