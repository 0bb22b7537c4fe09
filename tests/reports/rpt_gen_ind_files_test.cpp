// tests/reports/rpt_gen_ind_files_test.cpp: the generators over whole files (royal92 and the
// torture file): every report type exported in the three formats, and the citation marks of a
// report matching its closing sources section or each entry's own.
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "reports/rpt_gen_make.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/reports/rpt_body_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <regex>
#include <set>

namespace rpt_test {
namespace {

using testing::HasSubstr;
using testing::Not;

class FakeDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FakeCanvas>();
    }
};

class FileReports : public gedcom_test::CGedcomTest {
protected:
    /// The first count records of a list index.
    static std::vector<CRecordNode*> First(int listIndex, std::size_t count)
    {
        std::vector<CRecordNode*> records;
        for (CDataNode* record = GetRecordTypeRoot(listIndex)->GetFirstChild();
             record && records.size() < count; record = record->GetNextSibling())
            records.push_back(static_cast<CRecordNode*>(record));
        return records;
    }
    std::string Export(CRptGen& gen, int kind)
    {
        const std::string path = PathOf(kind == kRptText   ? "r.txt"
                                        : kind == kRptHtml ? "r.html"
                                                           : "r.rtf");
        EXPECT_TRUE(gen.Export(path, kind));
        return test_support::ReadFile(path);
    }
    FakeDevice m_device;
};

struct TypeCase {
    const char* name;
    int type;
    int recordType; // of the selection
    int listIndex;
    const char* label; // a text every export holds
};

class EveryReportType : public FileReports, public testing::WithParamInterface<TypeCase> {};

TEST_P(EveryReportType, BuildsAndExportsRoyal92)
{
    const TypeCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged")));
    std::unique_ptr<CRptGen> gen =
        RptMakeGenerator({c.type, "Test", false, c.type == kRptTypeRec ? c.recordType : -1, ""});
    ASSERT_NE(gen, nullptr);
    gen->Settings().m_contents.m_generations = 4;
    const std::vector<CRecordNode*> chosen = First(c.listIndex, 20);
    gen->TakeSelectedRecords(chosen);
    ASSERT_TRUE(gen->Build(m_device, false));
    EXPECT_GT(gen->GetPageCount(), 0);
    FakeCanvas page;
    gen->PrintPage(page, 0);
    EXPECT_FALSE(page.Texts().empty());
    const std::string text = Export(*gen, kRptText);
    EXPECT_THAT(text, HasSubstr(c.label));
    const std::string html = Export(*gen, kRptHtml);
    EXPECT_THAT(html, HasSubstr(c.label));
    EXPECT_THAT(html, Not(HasSubstr("<unknown>")));
    EXPECT_THAT(Export(*gen, kRptRtf), HasSubstr(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, EveryReportType,
    testing::Values(TypeCase{"IndividualSummary", kRptTypeInd, 0, RECORD_LIST_INDI, "Name:"},
                    TypeCase{"FamilyGroupSheet", kRptTypeFam, 1, RECORD_LIST_FAM, "Husband: "},
                    TypeCase{"Ancestors", kRptTypeAnc, 0, RECORD_LIST_INDI, "Victoria"},
                    TypeCase{"Descendants", kRptTypeDesc, 0, RECORD_LIST_INDI, "Victoria"},
                    TypeCase{"RecordsOfIndividuals", kRptTypeRec, 0, RECORD_LIST_INDI, "Victoria"},
                    TypeCase{"RecordsOfFamilies", kRptTypeRec, 1, RECORD_LIST_FAM, "Family of"}),
    [](const auto& info) { return info.param.name; });

/// The largest citation mark in a text export, and the numbers of its source lines.
void ReadCitations(const std::string& text, int& largestMark, std::vector<int>& lineNumbers)
{
    largestMark = 0;
    const std::regex mark("\\[([0-9,]+)\\]");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), mark);
         it != std::sregex_iterator(); ++it) {
        std::string numbers = (*it)[1];
        for (std::size_t start = 0; start < numbers.size();) {
            const std::size_t comma = numbers.find(',', start);
            largestMark = std::max(largestMark, std::stoi(numbers.substr(start, comma - start)));
            start = comma == std::string::npos ? numbers.size() : comma + 1;
        }
    }
    const std::regex line("^ *([0-9]+)\\.  ", std::regex::multiline);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line);
         it != std::sregex_iterator(); ++it)
        lineNumbers.push_back(std::stoi((*it)[1]));
}

TEST_F(FileReports, TheClosingSourcesSectionListsEveryMarkOnce)
{
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551.ged")));
    std::unique_ptr<CRptGen> gen = RptMakeGenerator({kRptTypeInd, "Test", false, -1, ""});
    CRptSettings& settings = gen->Settings();
    settings.m_sources.m_flags[kRptIncludeSources] = true;
    settings.m_sources.m_flags[kRptSourcesEndEntry] = false;
    gen->TakeSelectedRecords(First(RECORD_LIST_INDI, 20));
    ASSERT_TRUE(gen->Build(m_device, false));
    const std::string text = Export(*gen, kRptText);
    int largest = 0;
    std::vector<int> lines;
    ReadCitations(text, largest, lines);
    ASSERT_GT(largest, 0) << "the torture file cites sources";
    ASSERT_EQ(int(lines.size()), largest);
    for (int i = 0; i < largest; ++i)
        EXPECT_EQ(lines[std::size_t(i)], i + 1);
    // Building again gives the same list, not a second copy.
    ASSERT_TRUE(gen->Build(m_device, false));
    std::vector<int> again;
    ReadCitations(Export(*gen, kRptText), largest, again);
    EXPECT_EQ(again, lines);
}

TEST_F(FileReports, EachEntryListsItsOwnSources)
{
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/TGC551.ged")));
    std::unique_ptr<CRptGen> gen = RptMakeGenerator({kRptTypeInd, "Test", false, -1, ""});
    CRptSettings& settings = gen->Settings();
    settings.m_sources.m_flags[kRptIncludeSources] = true;
    settings.m_sources.m_flags[kRptSourcesEndEntry] = true;
    gen->TakeSelectedRecords(First(RECORD_LIST_INDI, 20));
    ASSERT_TRUE(gen->Build(m_device, false));
    const std::string html = Export(*gen, kRptHtml);
    // Every link to an entry's source has its anchor.
    const std::regex link("href=\"#(Src[0-9]+-[0-9]+)\"");
    std::set<std::string> links;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link);
         it != std::sregex_iterator(); ++it)
        links.insert((*it)[1]);
    ASSERT_FALSE(links.empty());
    for (const std::string& name : links)
        EXPECT_THAT(html, HasSubstr("name=\"" + name + "\"")) << name;
}

} // namespace
} // namespace rpt_test
