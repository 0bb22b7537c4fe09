// tests/reports/rpt_gen_src_golden_test.cpp: golden files of the Source, record and List reports
// in the three formats, byte for byte, with the installed settings: the sources of the torture
// file, the records of royal92's first ten individuals and of its first ten families (after the
// torture file's load, whose user-defined fields must not hide royal92's), and a List
// report of a named list of its first 15 individuals. Each HTML file passes tidy and each RTF
// file read back by unrtf holds every entry's title.
#include "database/dictionary/record_type_table.h"
#include "database/records/record_id_state.h"
#include "queries/named_list.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <sys/wait.h>

namespace rpt_test {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

/// Runs a command line and collects its standard output; status -1 when it could not run.
ToolRun RunTool(const std::string& command)
{
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, read);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

/// Runs of white space made one blank.
std::string Squeezed(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

struct GoldenCase {
    const char* name;
    const char* gedcom; // under tests/data/gedcom/
    int type;
    int listIndex; // of the records chosen (or listed, for a List report)
    std::size_t count;
    const char* file; // under tests/data/expected/, without extension
};

class OtherGolden : public gedcom_test::CGedcomTest,
                    public testing::WithParamInterface<GoldenCase> {};

TEST_P(OtherGolden, EachFormatWritesItsGoldenFileAndReadsBack)
{
    const GoldenCase& c = GetParam();
    ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + c.gedcom), true));
    std::vector<CRecordNode*> chosen;
    for (CDataNode* record = GetRecordTypeRoot(c.listIndex)->GetFirstChild();
         record && chosen.size() < c.count; record = record->GetNextSibling())
        chosen.push_back(static_cast<CRecordNode*>(record));
    CNamedList list("Golden List");
    list.SetNote("The first of the file");
    for (CRecordNode* record : chosen)
        list.Entries().push_back({record, ""});
    std::unique_ptr<CRptGen> gen =
        RptMakeGenerator({c.type, "Golden Test", false, c.type == kRptTypeRec ? c.listIndex : -1,
                          c.type == kRptTypeList ? "Golden List" : ""});
    ASSERT_NE(gen, nullptr);
    if (c.type != kRptTypeList)
        gen->TakeSelectedRecords(chosen);
    std::vector<std::string> titles;
    for (const auto& entry : gen->Entries()) {
        std::string title;
        gen->GetEntryTitle(*entry, title);
        if (!title.empty())
            titles.push_back(title);
    }
    ASSERT_FALSE(titles.empty());
    for (const auto& [kind, extension] :
         {std::pair{kRptText, ".txt"}, std::pair{kRptHtml, ".html"}, std::pair{kRptRtf, ".rtf"}}) {
        const std::string path = PathOf(std::string("out") + extension);
        ASSERT_TRUE(gen->Export(path, kind));
        EXPECT_EQ(test_support::ReadFile(path), test_support::ReadFile(test_support::DataPath(
                                                    std::string("expected/") + c.file + extension)))
            << c.file << extension;
        if (kind == kRptHtml) {
            // Status 2 means errors; warnings are allowed.
            const ToolRun run = RunTool("tidy -errors -quiet '" + path + "' 2>&1");
            EXPECT_LT(run.status, 2) << run.output;
            EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
        } else if (kind == kRptRtf) {
            const ToolRun run = RunTool("unrtf --text '" + path + "' 2>/dev/null");
            ASSERT_EQ(run.status, 0) << "unrtf is missing: scripts/install-deps installs it";
            const std::string text = Squeezed(run.output);
            for (const std::string& title : titles)
                EXPECT_NE(text.find(Squeezed(title)), std::string::npos) << title;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Reports, OtherGolden,
                         testing::Values(GoldenCase{"Sources", "TGC551.ged", kRptTypeSrc,
                                                    RECORD_LIST_SOUR, 100, "torture_src"},
                                         GoldenCase{"RecordsOfIndividuals", "royal92.ged",
                                                    kRptTypeRec, RECORD_LIST_INDI, 10,
                                                    "royal92_rec_ind"},
                                         GoldenCase{"RecordsOfFamilies", "royal92.ged", kRptTypeRec,
                                                    RECORD_LIST_FAM, 10, "royal92_rec_fam"},
                                         GoldenCase{"List", "royal92.ged", kRptTypeList,
                                                    RECORD_LIST_INDI, 15, "royal92_list"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace rpt_test
