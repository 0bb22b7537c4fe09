// tests/reports/rpt_golden_cases.h: the golden reports, one table for the export tests and the
// printing test: each report's file, type and fixed choice of records, the pages it takes on the
// virtual printer; the choice made and the generator made, with the checks an export passes.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "queries/named_list.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "tests/reports/export_checks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace rpt_test {

/// Which records a golden report is made of.
enum class GoldenPick {
    First,    // the first count records of the list
    Youngest, // the count individuals with the latest date keys, the youngest first
    Named,    // the individual whose name holds the case's text
};

struct GoldenCase {
    const char* name;
    const char* gedcom; // under tests/data/gedcom/
    int type;
    int listIndex; // of the records chosen (or listed, for a List report)
    GoldenPick pick;
    std::size_t count;
    const char* file;            // under tests/data/expected/, without extension
    int pages;                   // on the virtual printer
    const char* named = nullptr; // a part of the name, in any case
    /// Three generations with the compact numbers instead of the shipped settings.
    bool threeGenerations = false;
};

/// Test names show the case's name.
inline void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.name;
}

inline constexpr const char* kRoyal = "royal92.ged";
inline constexpr const char* kTorture = "TGC551.ged";

/// The golden reports of three types on royal92 made with three generations.
inline const GoldenCase kRoyalCases[] = {
    {"IndividualSummary", kRoyal, kRptTypeInd, RECORD_LIST_INDI, GoldenPick::First, 20,
     "royal92_ind", 20, nullptr, true},
    {"FamilyGroupSheet", kRoyal, kRptTypeFam, RECORD_LIST_FAM, GoldenPick::First, 10, "royal92_fam",
     19, nullptr, true},
    {"Descendants", kRoyal, kRptTypeDesc, RECORD_LIST_INDI, GoldenPick::First, 1, "royal92_desc", 3,
     nullptr, true},
};

/// The golden reports made with the shipped report types' settings.
inline const GoldenCase kShippedCases[] = {
    {"Sources", kTorture, kRptTypeSrc, RECORD_LIST_SOUR, GoldenPick::First, 100, "torture_src", 3},
    {"RecordsOfIndividuals", kRoyal, kRptTypeRec, RECORD_LIST_INDI, GoldenPick::First, 10,
     "royal92_rec_ind", 10},
    {"RecordsOfFamilies", kRoyal, kRptTypeRec, RECORD_LIST_FAM, GoldenPick::First, 10,
     "royal92_rec_fam", 10},
    {"List", kRoyal, kRptTypeList, RECORD_LIST_INDI, GoldenPick::First, 15, "royal92_list", 1},
    {"Ancestors", kRoyal, kRptTypeAnc, RECORD_LIST_INDI, GoldenPick::Youngest, 3, "royal92_anc", 3},
    {"RecordsOfSubmitters", kRoyal, kRptTypeRec, RECORD_LIST_SUBM, GoldenPick::First, 10,
     "royal92_rec_subm", 1},
    {"TortureIndividualSummary", kTorture, kRptTypeInd, RECORD_LIST_INDI, GoldenPick::First, 20,
     "torture_ind", 33},
    {"TortureFamilyGroupSheet", kTorture, kRptTypeFam, RECORD_LIST_FAM, GoldenPick::First, 10,
     "torture_fam", 57},
    {"TortureDescendants", kTorture, kRptTypeDesc, RECORD_LIST_INDI, GoldenPick::Named, 1,
     "torture_desc", 1, "Matriarch"},
    {"TortureAncestors", kTorture, kRptTypeAnc, RECORD_LIST_INDI, GoldenPick::Youngest, 3,
     "torture_anc", 3},
    {"TortureList", kTorture, kRptTypeList, RECORD_LIST_INDI, GoldenPick::First, 15, "torture_list",
     1},
    {"TortureRecordsOfIndividuals", kTorture, kRptTypeRec, RECORD_LIST_INDI, GoldenPick::First, 10,
     "torture_rec_ind", 15},
    {"TortureRecordsOfFamilies", kTorture, kRptTypeRec, RECORD_LIST_FAM, GoldenPick::First, 10,
     "torture_rec_fam", 12},
    {"TortureRecordsOfNotes", kTorture, kRptTypeRec, RECORD_LIST_NOTE, GoldenPick::First, 10,
     "torture_rec_note", 10},
    {"TortureRecordsOfSources", kTorture, kRptTypeRec, RECORD_LIST_SOUR, GoldenPick::First, 10,
     "torture_rec_sour", 2},
    {"TortureRecordsOfRepositories", kTorture, kRptTypeRec, RECORD_LIST_REPO, GoldenPick::First, 10,
     "torture_rec_repo", 1},
    {"TortureRecordsOfSubmitters", kTorture, kRptTypeRec, RECORD_LIST_SUBM, GoldenPick::First, 10,
     "torture_rec_subm", 3},
    {"TortureRecordsOfSubmissions", kTorture, kRptTypeRec, RECORD_LIST_SUBN, GoldenPick::First, 10,
     "torture_rec_subn", 1},
    {"TortureRecordsOfMultimedia", kTorture, kRptTypeRec, RECORD_LIST_OBJE, GoldenPick::First, 10,
     "torture_rec_obje", 1},
};

/// The case's records from the loaded file.
inline std::vector<CRecordNode*> GoldenRecords(const GoldenCase& c)
{
    std::vector<CRecordNode*> all;
    for (CDataNode* record = GetRecordTypeRoot(c.listIndex)->GetFirstChild(); record;
         record = record->GetNextSibling())
        all.push_back(static_cast<CRecordNode*>(record));
    if (c.pick == GoldenPick::Youngest) {
        std::stable_sort(all.begin(), all.end(), [](CRecordNode* a, CRecordNode* b) {
            return static_cast<CIndRec*>(a)->CompareByDate(static_cast<CIndRec*>(b)) > 0;
        });
    } else if (c.pick == GoldenPick::Named) {
        std::erase_if(all, [&](CRecordNode* record) {
            std::string name;
            static_cast<CIndRec*>(record)->FormatNameForReport(name, false, false, false);
            const auto upper = [](std::string text) {
                std::ranges::transform(text, text.begin(),
                                       [](unsigned char ch) { return char(std::toupper(ch)); });
                return text;
            };
            return upper(name).find(upper(c.named)) == std::string::npos;
        });
    }
    all.resize(std::min(all.size(), c.count));
    return all;
}

/// A golden report's generator with the named list a List report shows.
struct GoldenReport {
    std::unique_ptr<CNamedList> list;
    std::unique_ptr<CRptGen> gen;
};

/// Makes the case's report over the loaded file.
inline GoldenReport MakeGoldenReport(const GoldenCase& c)
{
    GoldenReport report;
    const std::vector<CRecordNode*> chosen = GoldenRecords(c);
    if (c.type == kRptTypeList) {
        report.list = std::make_unique<CNamedList>("Golden List");
        report.list->SetNote("The first of the file");
        for (CRecordNode* record : chosen)
            report.list->Entries().push_back({record, ""});
    }
    report.gen =
        RptMakeGenerator({c.type, "Golden Test", false, c.type == kRptTypeRec ? c.listIndex : -1,
                          c.type == kRptTypeList ? "Golden List" : ""});
    if (!report.gen)
        return report;
    if (c.threeGenerations) {
        report.gen->Settings().m_contents.m_generations = 3;
        report.gen->Settings().m_contents.m_numbering = 3;
    }
    if (c.type != kRptTypeList)
        report.gen->TakeSelectedRecords(chosen);
    return report;
}

/// The checks of an exported file beyond its bytes: HTML passes tidy without errors, RTF has
/// balanced groups and, read back by unrtf, holds every entry title.
inline void CheckExportReadsBack(const std::string& path, int kind,
                                 const std::vector<std::string>& titles)
{
    if (kind == kRptHtml) {
        // Status 2 means errors; warnings are allowed.
        const ToolRun run = RunTool("tidy -errors -quiet '" + path + "' 2>&1");
        EXPECT_LT(run.status, 2) << run.output;
        EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
    } else if (kind == kRptRtf) {
        EXPECT_TRUE(RtfGroupsBalanced(test_support::ReadFile(path))) << path;
        const ToolRun run = RunTool("unrtf --text '" + path + "' 2>/dev/null");
        ASSERT_EQ(run.status, 0) << "unrtf is missing: scripts/install-deps installs it";
        const std::string text = Squeezed(run.output);
        for (const std::string& title : titles)
            EXPECT_NE(text.find(Squeezed(title)), std::string::npos) << title;
    }
}

/// The entry titles of a report, the empty ones left out.
inline std::vector<std::string> GoldenTitles(const CRptGen& gen)
{
    std::vector<std::string> titles;
    for (const auto& entry : gen.Entries()) {
        std::string title;
        gen.GetEntryTitle(*entry, title);
        if (!title.empty())
            titles.push_back(title);
    }
    return titles;
}

} // namespace rpt_test
