// tests/app/query_print_text_test.cpp: what the query window's printed pages say, read back from
// the PDF the virtual printer writes: the title and subtitle, the column headings of the page's
// band, every row once and in order, "*** End of Report ***" on the pages that hold the last row
// and "Page n of m" at the foot of each, for an empty result, many pages down, and columns too
// wide for one page taken down then across, across then down, or cut at the page's edge.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "platform/base/paths.h"
#include "platform/base/text.h"
#include "queries/window/sub_view_query.h"
#include "tests/support/pdf_text.h"

namespace app_test {
namespace {

using Pages = std::vector<std::vector<std::string>>;

/// Enough people for three pages down on the landscape sheet.
constexpr int kPeople = 130;
constexpr const char* kEnd = "*** End of Report ***";

/// A query on everybody (or, with an empty filter value, on nobody) with the two columns at the
/// width given and the pages in the order given.
std::string QueryText(int width, const char* order, bool nobody = false)
{
    return text::Format("[Ardenvel Query]\nTYPE=INDI\nTITLE=\"Everybody\"\n"
                        "SUBTITLE=\"The Lee family\"\nMULTIPAGE_HANDLING=%s\n"
                        "TAG=\"Name\",\"INDI.NAME\",,,%d\n"
                        "TAG=\"Born in\",\"INDI.BIRT.PLAC\",,,%d\n"
                        "FILTER=GEN,ADD,%s,N,\"\",\"INDI.NAME\",,\"null\"\n",
                        order, width, width, nobody ? "IF" : "UNLESS");
}

class QueryPrintTextTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_custom = m_folder + "/data/ardenvel/Queries/Custom";
        ASSERT_TRUE(paths::MakeDirectories(m_custom));
        std::string family = "0 HEAD\r\n1 CHAR UTF-8\r\n";
        for (int i = 1; i <= kPeople; ++i)
            family += text::Format("0 @I%d@ INDI\r\n1 NAME Ann%03d /Lee/\r\n1 BIRT\r\n"
                                   "2 PLAC Town%03d\r\n",
                                   i, i, i);
        family += "0 TRLR\r\n";
        ASSERT_TRUE(Start({WriteGedcom("family.ged", family.c_str())}));
    }

    /// Opens the query, prints it to a PDF and reads the PDF's pages back.
    Pages Print(const std::string& query)
    {
        const std::string file = test_support::WriteFile(m_custom + "/People.avq", query);
        m_app->OpenSavedFile(SavedFileKind::kQuery, file);
        m_view = m_app->GetNextViewOfKind(nullptr, kSubViewQuery);
        m_window = m_view ? dynamic_cast<CSubViewQuery*>(m_view->GetSubView()) : nullptr;
        if (!m_window) {
            ADD_FAILURE() << "no query window";
            return {};
        }
        const std::string pdf = m_folder + "/people.pdf";
        TestHooks::AnswerPrintDialog(true, pdf);
        m_view->OnFilePrint();
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
        std::string error;
        Pages pages = test_support::PdfPageLines(pdf, error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(int(pages.size()), m_window->GetPrintLayout().totalPages);
        return pages;
    }

    /// Checks what every page has: the title, the subtitle and the headings at the top, the
    /// page's number and the total at the foot, and the end line only where expected; answers
    /// each page's body lines.
    Pages Bodies(const Pages& pages, const std::vector<std::string>& headings,
                 const std::vector<bool>& endOn)
    {
        Pages bodies;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::vector<std::string>& lines = pages[i];
            SCOPED_TRACE(text::Format("page %zu", i + 1));
            if (lines.size() < 4) {
                ADD_FAILURE() << testing::PrintToString(lines);
                bodies.emplace_back();
                continue;
            }
            EXPECT_EQ(lines[0], "Everybody");
            EXPECT_EQ(lines[1], "The Lee family");
            EXPECT_EQ(lines[2], headings[i]);
            EXPECT_EQ(lines.back(), text::Format("Page %zu of %zu", i + 1, pages.size()));
            const bool ends = lines[lines.size() - 2] == kEnd;
            EXPECT_EQ(ends, endOn[i]);
            bodies.emplace_back(lines.begin() + 3, lines.end() - (ends ? 2 : 1));
        }
        return bodies;
    }

    /// The result grid's column as the rows print it.
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> cells;
        CQryResultGrid& grid = m_window->GetResultGrid();
        for (int row = 0; row < grid.GetRowCount(); ++row)
            cells.push_back(grid.GetCellString(row, column));
        return cells;
    }

    std::string m_custom;
    CAvView* m_view = nullptr;
    CSubViewQuery* m_window = nullptr;
};

TEST_F(QueryPrintTextTest, AnEmptyResultPrintsOnePageWithHeadingsAndTheEndLine)
{
    const Pages pages = Print(QueryText(80, "DOWN_FIRST", true));
    ASSERT_EQ(m_window->GetResultGrid().GetRowCount(), 0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"Everybody", "The Lee family", "Name Born in",
                                                  kEnd, "Page 1 of 1"}));
}

TEST_F(QueryPrintTextTest, PagesDownHoldEveryRowOnceInOrderAndTheEndLineOnlyOnTheLast)
{
    const Pages pages = Print(QueryText(80, "DOWN_FIRST"));
    ASSERT_GE(pages.size(), 3u);
    std::vector<bool> endOn(pages.size(), false);
    endOn.back() = true;
    const Pages bodies =
        Bodies(pages, std::vector<std::string>(pages.size(), "Name Born in"), endOn);
    std::vector<std::string> printed, expected;
    for (const std::vector<std::string>& body : bodies)
        printed.insert(printed.end(), body.begin(), body.end());
    const std::vector<std::string> names = Column(0), places = Column(1);
    ASSERT_EQ(names.size(), std::size_t(kPeople));
    for (std::size_t row = 0; row < names.size(); ++row)
        expected.push_back(names[row] + " " + places[row]);
    EXPECT_EQ(printed, expected);
}

struct BandCase {
    const char* name;
    const char* order;
    /// The heading of each page, N for Name and B for Born in, and the pages that end a band.
    const char* headings;
    const char* ends;
};

class QueryPrintBands : public QueryPrintTextTest, public testing::WithParamInterface<BandCase> {};

TEST_P(QueryPrintBands, ColumnsWiderThanThePagePrintInTheChosenOrderOfBands)
{
    // Columns wider than the sheet: one column a band, three row pages each; or one band with
    // the columns cut at the printable edge.
    const Pages pages = Print(QueryText(2000, GetParam().order));
    const std::size_t count = std::string(GetParam().headings).size();
    ASSERT_EQ(pages.size(), count);
    std::vector<std::string> headings;
    std::vector<bool> endOn;
    for (std::size_t i = 0; i < count; ++i) {
        headings.push_back(GetParam().headings[i] == 'N' ? "Name" : "Born in");
        endOn.push_back(GetParam().ends[i] == '*');
    }
    const Pages bodies = Bodies(pages, headings, endOn);
    std::vector<std::string> names, places;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        std::vector<std::string>& cells = headings[i] == "Name" ? names : places;
        cells.insert(cells.end(), bodies[i].begin(), bodies[i].end());
    }
    EXPECT_EQ(names, Column(0));
    EXPECT_EQ(places, count == 6 ? Column(1) : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Orders, QueryPrintBands,
    testing::Values(BandCase{"DownThenAcross", "DOWN_FIRST", "NNNBBB", "  *  *"},
                    BandCase{"AcrossThenDown", "ACROSS_FIRST", "NBNBNB", "    **"},
                    BandCase{"OnePageAcross", "ACROSS_ONE_MAX", "NNN", "  *"}),
    [](const testing::TestParamInfo<BandCase>& info) { return info.param.name; });

} // namespace
} // namespace app_test
