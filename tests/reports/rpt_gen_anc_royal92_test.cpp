// tests/reports/rpt_gen_anc_royal92_test.cpp: the Ancestor and Descendant generators on royal92:
// exported as text, HTML and RTF, and laid out on pages of a fake printer.
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "reports/rpt_gen_anc.h"
#include "reports/rpt_gen_desc.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <regex>

namespace rpt_test {
namespace {

using testing::HasSubstr;
using testing::StartsWith;

class FakeDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FakeCanvas>();
    }
};

class Royal92Reports : public gedcom_test::CGedcomTest {
protected:
    void SetUp() override
    {
        CGedcomTest::SetUp();
        ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged")));
        victoria = AsIndividual(
            static_cast<CRecordNode*>(GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild()));
        ASSERT_NE(victoria, nullptr);
    }
    /// The generator's settings for a test: plain headings, numbers, no sources.
    static void Prepare(CRptGen& gen, int gens)
    {
        CRptSettings& settings = gen.Settings();
        settings.m_contents.m_generations = gens;
        settings.m_contents.m_textLayout = 0;
        settings.m_contents.m_options[kRptAhnentafel] = true;
        settings.m_contents.m_options[kRptAltParents] = false;
        settings.m_contents.m_options[kRptDatesWithNames] = false;
        settings.m_contents.m_indEventMode = 1;
        settings.m_contents.m_indEvents.clear();
        settings.m_contents.m_famEventMode = 1;
        settings.m_contents.m_famEvents.clear();
        settings.m_sources.m_flags[kRptIncludeSources] = false;
    }
    std::string Export(CRptGen& gen, int kind)
    {
        const std::string path = PathOf(kind == kRptText   ? "r.txt"
                                        : kind == kRptHtml ? "r.html"
                                                           : "r.rtf");
        EXPECT_TRUE(gen.Export(path, kind));
        return test_support::ReadFile(path);
    }

    CIndRec* victoria = nullptr;
    FakeDevice m_device;
};

TEST_F(Royal92Reports, VictoriasDescendantsAreNumberedByPath)
{
    CRptGenDesc gen("Descendants", false);
    Prepare(gen, 3);
    gen.Settings().m_contents.m_numbering = kRptDescDotted;
    gen.Settings().m_contents.m_options[kRptSpousePrefix] = true;
    CRecordNode* subject = victoria;
    gen.TakeSelectedRecords({&subject, 1});
    const std::vector<std::string> lines = WordLines(Export(gen, kRptText));
    ASSERT_GT(lines.size(), 30u);
    const auto first = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& line) { return line.starts_with("1 "); });
    ASSERT_NE(first, lines.end());
    EXPECT_THAT(*first, HasSubstr("Victoria"));
    EXPECT_THAT(*(first + 1), StartsWith("Sp. Albert"));
    EXPECT_THAT(*(first + 2), StartsWith("\t1.1 "));
    const std::regex grandchild("\t\t1\\.[0-9]+\\.[0-9]+ .*");
    const std::regex child("\t1\\.[0-9]+ .*");
    int grandchildren = 0, children = 0;
    for (auto line = first; line != lines.end(); ++line) {
        grandchildren += std::regex_match(*line, grandchild);
        children += std::regex_match(*line, child);
        EXPECT_FALSE(line->starts_with("\t\t\t")) << *line;
    }
    EXPECT_EQ(children, 9) << "Victoria's nine children";
    EXPECT_GT(grandchildren, 30);
}

TEST_F(Royal92Reports, AncestorsOfPrinceWilliamRepeatCollapsedLinesAndStayInTheirGenerations)
{
    // Prince William, whose pedigree meets itself through many cousins.
    CIndRec* subject = nullptr;
    for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild(); record;
         record = record->GetNextSibling()) {
        std::string text;
        record->GetText(text, 0);
        if (text.starts_with("William Arthur Philip"))
            subject = AsIndividual(static_cast<CRecordNode*>(record));
    }
    ASSERT_NE(subject, nullptr);
    CRptGenAnc gen("Ancestors", false);
    Prepare(gen, 12);
    CRecordNode* record = subject;
    gen.TakeSelectedRecords({&record, 1});
    const std::vector<std::string> lines = WordLines(Export(gen, kRptText));
    const std::regex numbered("(\t*)([0-9]+) .*");
    std::size_t count = 0;
    for (const std::string& line : lines) {
        std::smatch match;
        if (!std::regex_match(line, match, numbered))
            continue;
        ++count;
        // Generation g holds the numbers 2^g .. 2^(g+1) - 1; indents stop at the seventh.
        const std::size_t generation = match[1].length();
        const unsigned long long number = std::stoull(match[2]);
        EXPECT_GE(number, 1ull << generation) << line;
        EXPECT_LE(generation, 7u) << line;
        if (generation < 7) {
            EXPECT_LT(number, 2ull << generation) << line;
        }
    }
    EXPECT_GT(count, 300u);
    const auto victorias = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(" Victoria HANOVER") != std::string::npos;
    });
    EXPECT_GE(victorias, 2)
        << "Queen Victoria is an ancestor through both of his grandparents (as 79 and 81)";
    EXPECT_LT(count, std::size_t(1) << 12);
}

TEST_F(Royal92Reports, EveryFormatHoldsTheNamesEscaped)
{
    CRptGenDesc gen("Descendants", false);
    Prepare(gen, 2);
    gen.Settings().m_contents.m_numbering = kRptDescCompact;
    std::string name;
    victoria->GetText(name, 0);
    CRecordNode* subject = victoria;
    gen.TakeSelectedRecords({&subject, 1});
    const std::string html = Export(gen, kRptHtml);
    EXPECT_THAT(html, HasSubstr("1 " + name));
    EXPECT_THAT(html, HasSubstr("charset=UTF-8"));
    EXPECT_THAT(Export(gen, kRptRtf), HasSubstr("1 " + name));
}

TEST_F(Royal92Reports, PagesCountAndDrawTheLines)
{
    CRptGenDesc gen("Descendants", false);
    Prepare(gen, 4);
    gen.Settings().m_contents.m_numbering = kRptDescGeneration;
    CRecordNode* subject = victoria;
    gen.TakeSelectedRecords({&subject, 1});
    ASSERT_TRUE(gen.Build(m_device, false));
    EXPECT_GT(gen.GetPageCount(), 1);
    FakeCanvas canvas;
    gen.PrintPage(canvas, 0);
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& text) { return text.starts_with("1. "); }));
    FakeCanvas last;
    gen.PrintPage(last, gen.GetPageCount() - 1);
    EXPECT_FALSE(last.Texts().empty());
}

TEST_F(Royal92Reports, APageDeepInAnEntryIsDrawnAsTheWholeWalkDrawsIt)
{
    CRptGenDesc gen("Descendants", false);
    Prepare(gen, 30);
    gen.Settings().m_contents.m_numbering = kRptDescDotted;
    gen.Settings().m_contents.m_options[kRptShowGraphics] = true;
    gen.Settings().m_sources.m_flags[kRptIncludeSources] = true;
    CIndRec* first = victoria;
    while (CIndRec* father = first->GetParent(true, 0, false))
        first = father;
    CRecordNode* subject = first;
    gen.TakeSelectedRecords({&subject, 1});
    ASSERT_TRUE(gen.Build(m_device, false));
    const int pages = gen.GetPageCount();
    ASSERT_GT(pages, 40);
    std::vector<FakeCanvas> taken(std::size_t(pages) + 1), whole(taken.size());
    for (int page = 0; page <= pages; ++page)
        gen.PrintPage(taken[std::size_t(page)], page);
    // After an edit the walk runs from the entry's start again.
    gen.PurgeDeletedRecords();
    for (int page = 0; page <= pages; ++page) {
        const auto& a = taken[std::size_t(page)].drawn;
        const auto& b = whole[std::size_t(page)].drawn;
        gen.PrintPage(whole[std::size_t(page)], page);
        ASSERT_EQ(a.size(), b.size()) << "page " << page;
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_TRUE(a[i].kind == b[i].kind && a[i].rect == b[i].rect &&
                        a[i].text == b[i].text && a[i].baseline == b[i].baseline)
                << "page " << page << " element " << i;
    }
    EXPECT_LT(taken[std::size_t(pages) - 1].measured * 2, whole[std::size_t(pages) - 1].measured);
}

} // namespace
} // namespace rpt_test
