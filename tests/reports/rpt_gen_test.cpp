// tests/reports/rpt_gen_test.cpp: the report generator base: the rebuild's steps and guards, the
// work list (selection, compaction, purge, the closing sources entry), the printer check, a
// stopped build or export, and the elements going to an export writer instead of the pages.
#include "reports/rpt_gen.h"

#include "database/records/record_node.h"
#include "platform/base/progress.h"
#include "reports/rpt_select.h"
#include "reports/rpt_sink.h"
#include "reports/rpt_writer.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <new>
#include <stdexcept>

namespace rpt_test {
namespace {

using testing::ElementsAre;

/// Hands out fake canvases over a device page the test sets; none when absent.
class FakeDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool /*landscape*/, bool allowScreen) override
    {
        ++made;
        screenAllowed = allowScreen;
        if (absent)
            return nullptr;
        auto canvas = std::make_unique<FakeCanvas>();
        canvas->device = page;
        return canvas;
    }
    RptDevicePage page = LetterAt720();
    bool absent = false;
    bool screenAllowed = false;
    int made = 0;
};

/// A report of individuals whose body is a heading and a field row per record; it notes the
/// steps of each build and can fail or throw on a step.
class TestGen final : public CRptGen {
public:
    TestGen() : CRptGen(kRptTypeInd, "Test Report", false)
    {
        m_recordType = 0;
        Settings().m_layout.m_headerTexts = {"", "=Title()", ""};
        Settings().m_layout.m_footerTexts = {"", "", ""};
        Settings().m_layout.m_recordStart = false;
    }

    bool MeasurePage(IRptCanvas& canvas) override
    {
        trace.push_back("measure");
        return failAt != "measure" && CRptGen::MeasurePage(canvas);
    }
    bool PrepareHeaderFooter() override
    {
        trace.push_back("header");
        return failAt != "header" && CRptGen::PrepareHeaderFooter();
    }
    bool ComputeMetrics(CRptFontSet& ctx) override
    {
        trace.push_back("metrics");
        return failAt != "metrics" && CRptGen::ComputeMetrics(ctx);
    }
    bool Paginate(CRptFontSet& ctx) override
    {
        trace.push_back("paginate");
        return CRptGen::Paginate(ctx);
    }
    void PrepareEntries() override { trace.push_back("entries"); }
    bool BuildBody(CRptFontSet& ctx, int index) override
    {
        if (throwInBody)
            throwInBody();
        if (nested) {
            FakeDevice device;
            nestedResult = Build(device, false);
        }
        std::string title;
        GetEntryTitle(*Entries()[std::size_t(index)], title);
        NextEntry(ctx);
        EmitHeading(ctx, 0, title);
        for (int i = 0; i < linesPerEntry; ++i)
            if (!WriteFieldRow(ctx, 1, "Name:", title))
                return false;
        return true;
    }
    bool WriteReportSources(CRptFontSet& ctx, int /*index*/) override
    {
        EmitHeading(ctx, 0, "Sources");
        return true;
    }
    void GetEntryTitle(const CRptRow& entry, std::string& out) const override
    {
        out.clear();
        if (CRecordNode* record = entry.GetRecord())
            record->GetText(out, 0);
    }

    std::vector<std::string> trace;
    std::string failAt;
    /// What the body throws, when anything.
    std::function<void()> throwInBody;
    bool nested = false;
    bool nestedResult = true;
    int linesPerEntry = 1;
};

class RptGenTest : public ind_test::CIndRecTest {
protected:
    /// n individuals named "Person 1" to "Person n".
    std::vector<CRecordNode*> People(int n)
    {
        std::vector<CRecordNode*> people;
        for (int i = 1; i <= n; ++i)
            people.push_back(Person(SEX_MALE, "Person " + std::to_string(i)));
        return people;
    }

    static std::vector<unsigned> Kinds(const CRptGen& gen)
    {
        std::vector<unsigned> kinds;
        for (const auto& entry : gen.Entries())
            kinds.push_back(entry->m_kind);
        return kinds;
    }

    FakeDevice m_device;
};

struct StepCase {
    const char* failAt;
    std::vector<std::string> trace;
    bool result;
};

TEST_F(RptGenTest, BuildRunsItsStepsInOrderAndStopsAtTheFirstThatFails)
{
    const StepCase cases[] = {
        {"", {"entries", "measure", "header", "metrics", "paginate"}, true},
        {"measure", {"entries", "measure"}, false},
        {"header", {"entries", "measure", "header"}, false},
        {"metrics", {"entries", "measure", "header", "metrics"}, false},
    };
    for (const StepCase& c : cases) {
        TestGen gen;
        gen.TakeSelectedRecords(People(2));
        gen.failAt = c.failAt;
        EXPECT_EQ(gen.Build(m_device, false), c.result) << c.failAt;
        EXPECT_EQ(gen.trace, c.trace) << c.failAt;
        EXPECT_FALSE(gen.IsBuilding()) << c.failAt;
    }
    EXPECT_TRUE(m_device.screenAllowed) << "without a printer the screen serves";
}

TEST_F(RptGenTest, BuildIsRefusedWhileOneRunsAndReleasedOnEveryWayOut)
{
    TestGen gen;
    gen.TakeSelectedRecords(People(1));
    gen.nested = true;
    EXPECT_TRUE(gen.Build(m_device, false));
    EXPECT_FALSE(gen.nestedResult) << "no nested builds";

    gen.nested = false;
    gen.throwInBody = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(gen.Build(m_device, false)) << "memory running out fails the build";
    EXPECT_FALSE(gen.IsBuilding());
    gen.throwInBody = [] { throw std::logic_error("body"); };
    EXPECT_THROW(gen.Build(m_device, false), std::logic_error) << "a fault is not hidden";
    EXPECT_FALSE(gen.IsBuilding());
    gen.throwInBody = nullptr;
    EXPECT_TRUE(gen.Build(m_device, false)) << "and the next build runs";

    m_device.absent = true;
    EXPECT_FALSE(gen.Build(m_device, false)) << "no device context";
    EXPECT_FALSE(gen.IsBuilding());
    EXPECT_EQ(gen.GetPageCount(), 0);
}

TEST_F(RptGenTest, TheClosingSourcesEntryIsAddedOncePerBuildWhenSourcesCloseTheReport)
{
    struct Case {
        bool include, endEntry, paginateOnly;
        std::vector<unsigned> kinds;
    };
    const Case cases[] = {
        {true, false, false, {kRptRowRecord, kRptRowRecord, kRptRowSources}},
        {true, true, false, {kRptRowRecord, kRptRowRecord}},
        {false, false, false, {kRptRowRecord, kRptRowRecord}},
        {true, false, true, {kRptRowRecord, kRptRowRecord}},
    };
    for (const Case& c : cases) {
        TestGen gen;
        gen.Settings().m_sources.m_flags[kRptIncludeSources] = c.include;
        gen.Settings().m_sources.m_flags[kRptSourcesEndEntry] = c.endEntry;
        gen.TakeSelectedRecords(People(2));
        ASSERT_TRUE(gen.Build(m_device, c.paginateOnly));
        ASSERT_TRUE(gen.Build(m_device, c.paginateOnly)) << "a second build adds no second entry";
        EXPECT_EQ(Kinds(gen), c.kinds) << c.include << c.endEntry << c.paginateOnly;
        EXPECT_EQ(gen.IsPaginationOnly(), c.paginateOnly);
    }
}

TEST_F(RptGenTest, ASelectionOfDeletedRecordsLeavesAnEmptyReport)
{
    TestGen gen;
    const std::vector<CRecordNode*> people = People(3);
    gen.TakeSelectedRecords(people);
    NotifyChanges();
    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(people[0]);
    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(people[2]);
    gen.PurgeDeletedRecords();
    EXPECT_EQ(gen.Entries()[0]->GetRecord(), nullptr);
    EXPECT_EQ(gen.Entries()[1]->GetRecord(), people[1]);
    NotifyChanges();

    ASSERT_TRUE(gen.Build(m_device, false));
    ASSERT_EQ(gen.Entries().size(), 1u) << "compaction keeps the records still there";
    EXPECT_EQ(gen.Entries()[0]->GetRecord(), people[1]);
    EXPECT_EQ(gen.GetPageCount(), 1);

    gen.TakeSelectedRecords({});
    ASSERT_TRUE(gen.Build(m_device, false));
    EXPECT_EQ(gen.GetPageCount(), 0);
    FakeCanvas canvas;
    gen.PrintPage(canvas, 0);
    EXPECT_TRUE(canvas.drawn.empty()) << "no header or footer without pages";
}

TEST_F(RptGenTest, AttachedFieldsBeingDeletedAreDroppedAndTheEntryKept)
{
    TestGen gen;
    CIndRec* person = Person(SEX_MALE, "Al");
    CDataNode* birth = Event(person, "BIRT", "1 JAN 1900");
    ASSERT_NE(birth, nullptr);
    gen.TakeSelectedRecords(std::vector<CRecordNode*>{person});
    gen.Entries()[0]->m_attached.push_back({birth, false});
    NotifyChanges();
    gen.PurgeDeletedRecords();
    EXPECT_EQ(gen.Entries()[0]->m_attached.size(), 1u) << "nothing deleted yet";

    person->DeleteChild(birth);
    GetRecordTypeRoot(record_test::kIndi)->DeleteChild(Person(SEX_FEMALE, "Other"));
    gen.PurgeDeletedRecords();
    EXPECT_TRUE(gen.Entries()[0]->m_attached.empty());
    EXPECT_EQ(gen.Entries()[0]->GetRecord(), person);
    NotifyChanges();
}

TEST_F(RptGenTest, SelectRecordsTakesTheDialogsOrderOrLeavesTheEntriesOnCancel)
{
    struct Selector final : IRptSelector {
        bool SelectRecords(int recordType, std::vector<CRecordNode*>& chosen) override
        {
            asked.push_back(recordType);
            chosen = answer;
            return ok;
        }
        bool SelectNamedList(std::string&) override { return false; }
        std::vector<int> asked;
        std::vector<CRecordNode*> answer;
        bool ok = true;
    } selector;
    const std::vector<CRecordNode*> people = People(3);
    TestGen gen;
    gen.TakeSelectedRecords(people);

    selector.ok = false;
    EXPECT_FALSE(gen.SelectRecords(selector));
    EXPECT_EQ(gen.Entries().size(), 3u);

    selector.ok = true;
    selector.answer = {people[2], people[0]};
    EXPECT_TRUE(gen.SelectRecords(selector));
    ASSERT_EQ(gen.Entries().size(), 2u);
    EXPECT_EQ(gen.Entries()[0]->GetRecord(), people[2]);
    EXPECT_EQ(gen.Entries()[1]->GetRecord(), people[0]);

    selector.answer = {};
    EXPECT_TRUE(gen.SelectRecords(selector)) << "OK with no records";
    EXPECT_TRUE(gen.Entries().empty());
    EXPECT_THAT(selector.asked, ElementsAre(0, 0, 0));
}

TEST_F(RptGenTest, APrinterChangeMarksTheLayoutStaleOnlyWhenThePageChanged)
{
    struct Case {
        const char* name;
        RptDevicePage page;
        bool absent;
        bool stale;
    };
    const RptDevicePage letter = LetterAt720();
    RptDevicePage a4 = letter;
    a4.physicalWidth = 5953;
    a4.physicalHeight = 8419;
    RptDevicePage otherBorder = letter;
    otherBorder.offsetX = 50;
    RptDevicePage noResolution = letter;
    noResolution.dpiX = 0;
    const Case cases[] = {
        {"same page", letter, false, false}, {"other border only", otherBorder, false, false},
        {"other paper", a4, false, true},    {"no resolution", noResolution, false, true},
        {"no printer", letter, true, true},
    };
    for (const Case& c : cases) {
        TestGen gen;
        gen.TakeSelectedRecords(People(1));
        m_device = {};
        ASSERT_TRUE(gen.Build(m_device, false));
        m_device.page = c.page;
        m_device.absent = c.absent;
        gen.CheckPrinterChanged(m_device);
        EXPECT_EQ(gen.IsStale(), c.stale) << c.name;
    }
    m_device = {};
    TestGen gen;
    gen.Reset(true);
    gen.CheckPrinterChanged(m_device);
    EXPECT_EQ(m_device.made, 0) << "a stale layout is not checked again";
    EXPECT_TRUE(gen.IsStale());
}

TEST_F(RptGenTest, AStoppedBuildKeepsItsPagesAndSaysSo)
{
    TestGen gen;
    gen.linesPerEntry = 30;
    gen.TakeSelectedRecords(People(10));
    CProgressRecorder progress;
    int asked = 0;
    gen.SetMonitor({&progress, [&asked] { return ++asked > 4; }});
    ASSERT_TRUE(gen.Build(m_device, false));
    EXPECT_TRUE(gen.WasStopped());
    EXPECT_THAT(gen.GetStoppedText(), testing::HasSubstr("4 of its 10 entries"));
    EXPECT_GE(gen.GetPageCount(), 2);
    EXPECT_EQ(gen.Entries()[3]->m_startPage >= 0, true);
    EXPECT_EQ(gen.Entries()[4]->m_startPage, -1);
    EXPECT_FALSE(progress.IsActive());
    FakeCanvas canvas;
    gen.PrintPage(canvas, 0);
    EXPECT_NE(canvas.FindText("Person 1"), nullptr) << "the pages laid out are drawn";

    gen.SetMonitor({});
    ASSERT_TRUE(gen.Build(m_device, false));
    EXPECT_FALSE(gen.WasStopped());
    EXPECT_EQ(gen.GetStoppedText(), "");
}

TEST_F(RptGenTest, PagesDrawTheirEntriesWithTheTitleAndPrintJobsEndAfterTheLast)
{
    TestGen gen;
    gen.TakeSelectedRecords(People(2));
    ASSERT_TRUE(gen.Build(m_device, false));
    ASSERT_EQ(gen.GetPageCount(), 1);
    FakeCanvas canvas;
    EXPECT_TRUE(gen.PrintCurrentPage(canvas, 1));
    EXPECT_THAT(canvas.Texts(), testing::IsSupersetOf({"Test Report", "Person 1", "Person 2"}));
    FakeCanvas beyond;
    EXPECT_FALSE(gen.PrintCurrentPage(beyond, 2));
    EXPECT_FALSE(gen.PrintCurrentPage(beyond, 0));
    EXPECT_TRUE(beyond.drawn.empty());
    int maxPage = 0;
    EXPECT_EQ(gen.SetPrintPageRange(maxPage), 1);
    EXPECT_EQ(maxPage, 1);
    int top = 0, bottom = 0, left = 0, right = 0;
    EXPECT_TRUE(gen.GetMargins(top, bottom, left, right));
    EXPECT_EQ(top, 360) << "half an inch";
}

TEST_F(RptGenTest, ExportsWriteTheBodyWholeAndAStoppedExportLeavesTheFileAlone)
{
    TestGen gen;
    const std::vector<CRecordNode*> people = {Person(SEX_MALE, "Tom & <Jerry> {x}"),
                                              Person(SEX_FEMALE, "Zoë Ærø")};
    gen.TakeSelectedRecords(people);
    ASSERT_TRUE(gen.Build(m_device, false));
    const int pages = gen.GetPageCount();
    const std::string folder = test_support::NewFolder("export");

    const std::string text = folder + "/report.txt";
    ASSERT_TRUE(gen.Export(text, kRptText));
    const std::string written = test_support::ReadFile(text);
    EXPECT_THAT(written, testing::HasSubstr("Tom & <Jerry> {x}\n"));
    EXPECT_THAT(written, testing::HasSubstr("Name:  Zoë Ærø\n"));
    EXPECT_EQ(gen.GetPageCount(), pages) << "the pages stay as built";
    FakeCanvas canvas;
    gen.PrintPage(canvas, 0);
    EXPECT_NE(canvas.FindText("Zoë Ærø"), nullptr);

    const std::string html = folder + "/report.html";
    ASSERT_TRUE(gen.Export(html, kRptHtml));
    EXPECT_THAT(test_support::ReadFile(html),
                testing::HasSubstr("<p class=\"AvHdg1\">Tom &amp; &lt;Jerry&gt; {x}</p>\n"));

    test_support::WriteFile(text, "before");
    CProgressRecorder progress;
    gen.SetMonitor({&progress, [] { return true; }});
    const RptExportOutcome stopped = gen.Export(text, kRptText);
    EXPECT_FALSE(stopped);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(test_support::ReadFile(text), "before");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              2)
        << "no half-written file is left beside it";
    EXPECT_THAT(stopped.failure, testing::HasSubstr("stopped"));
    EXPECT_FALSE(progress.IsActive());
}

/// The elements a body emits, written by an export writer of each kind instead of laid out.
TEST(RptGenWriterBranchTest, ElementsGoToTheContextsWriter)
{
    struct Case {
        int kind;
        std::string expected;
    };
    const Case cases[] = {
        {kRptHtml, "<p class=\"AvHdg1\">John Smith</p>\n"
                   "<table width=\"75%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
                   "<col width=\"20%\" valign=top class=\"AvLbl2\"><col width=\"80%\" valign=top "
                   "class=\"AvDat2\">\n"
                   "<tr><td width=\"20%\">Name:<td width=\"80%\">John Smith</tr>\n"
                   "<tr><td>Sex:<td>Male</tr>\n"
                   "</table>\n"
                   "<p class=\"AvDat2\">A &lt;note&gt;<sup><a href=\"#Src3\">3</a></sup></p>\n"},
        {kRptText, "\n\n\nJohn Smith\nName:\tJohn Smith\nSex:\tMale\nA <note>[3]\n"},
    };
    for (const Case& c : cases) {
        CRptStringSink sink(c.kind);
        CRptWriter writer(sink);
        CRptPageLayout layout(PlainSettings());
        CRptFontSet ctx;
        ctx.Create(layout.Settings(), nullptr);
        ctx.writer = &writer;
        layout.EmitHeading(ctx, 0, "John Smith");
        writer.BeginTable(1, 2);
        const RptRun name[] = {{"Name:", 1, ""}, {"John Smith", 2, ""}};
        const RptRun sex[] = {{"Sex:", 1, ""}, {"Male", 2, ""}};
        EXPECT_TRUE(layout.EmitRuns(ctx, 1, name));
        EXPECT_TRUE(layout.EmitRuns(ctx, 1, sex));
        writer.EndTable();
        EXPECT_TRUE(layout.EmitRow(ctx, "A <note>", "3", 1, 0, 1, 2));
        EXPECT_EQ(sink.Str(), c.expected) << c.kind;
        EXPECT_EQ(ctx.page, 0) << "nothing was laid out";
        EXPECT_EQ(ctx.y, 0);
    }
}

TEST(RptPageSettingsTest, TheSettingsRecordFillsThePageSettings)
{
    CRptSettings settings;
    CRptLayout& layout = settings.m_layout;
    layout.m_marginTop = 11;
    layout.m_marginBottom = 12;
    layout.m_marginLeft = 13;
    layout.m_marginRight = 14;
    layout.m_mirrorPages = true;
    layout.m_headerTexts = {"a", "b", "c"};
    layout.m_footerTexts = {"d", "e", "=Page()"};
    layout.m_minHeaderDepth = 21;
    layout.m_minFooterDepth = 22;
    layout.m_headerLine = true;
    layout.m_headerLineDepth = 23;
    layout.m_footerLineDepth = 24;
    layout.m_startingPage = 5;
    layout.m_recordStart = false;
    layout.m_colStarts = {1, 2, 3, 4};
    layout.m_tabWidth = 31;
    layout.m_paraIndent = 32;
    settings.m_format.m_fonts[kRptFontCaption].lfHeight = 7;
    settings.m_format.m_headingStyles[2] = {1, 0, 4, 5, 60, 2};
    settings.m_pictures.m_gaps = {1, 2, 3, 4, 5};
    settings.m_sources.m_flags[kRptSourcesEndEntry] = true;

    const RptPageSettings page = settings.GetPageSettings();
    EXPECT_EQ(
        std::vector<int>({page.marginTop, page.marginBottom, page.marginLeft, page.marginRight}),
        std::vector<int>({11, 12, 13, 14}));
    EXPECT_TRUE(page.mirrorPages);
    EXPECT_EQ(page.headerTexts[2], "c");
    EXPECT_EQ(page.footerTexts[2], "=Page()");
    EXPECT_EQ(page.minHeaderDepth, 21);
    EXPECT_EQ(page.minFooterDepth, 22);
    EXPECT_TRUE(page.headerLine);
    EXPECT_FALSE(page.footerLine);
    EXPECT_EQ(page.headerLineDepth, 23);
    EXPECT_EQ(page.footerLineDepth, 24);
    EXPECT_EQ(page.firstPageNumber, 5);
    EXPECT_FALSE(page.entryStartsPage);
    EXPECT_TRUE(page.citationsPerEntry);
    EXPECT_EQ(page.columnStarts, (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(page.tabWidth, 31);
    EXPECT_EQ(page.paraIndent, 32);
    EXPECT_EQ(page.fonts[kRptFontCaption].lfHeight, 7);
    const RptHeadingLayout& heading = page.headingStyles[2];
    EXPECT_TRUE(heading.lineAbove);
    EXPECT_FALSE(heading.lineBelow);
    EXPECT_EQ(std::vector<int>(
                  {heading.gapAbove, heading.gapBelow, heading.lineDepth, heading.keepWithNext}),
              std::vector<int>({4, 5, 60, 2}));
    EXPECT_EQ(std::vector<int>({page.pictureGaps.left, page.pictureGaps.top, page.pictureGaps.right,
                                page.pictureGaps.bottom, page.pictureGaps.caption}),
              std::vector<int>({1, 2, 3, 4, 5}));
}

} // namespace
} // namespace rpt_test
