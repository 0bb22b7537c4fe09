// tests/reports/rpt_gen_rec_reload_test.cpp: a record report of royal92's families in one
// process with other loads: its "DIV N" lines, kept in a user-defined field, are rows of the
// report whether royal92 is loaded first or after the torture file and after itself.
#include "database/dictionary/record_type_table.h"
#include "database/nodes/data_model.h"
#include "database/records/record_id_state.h"
#include "reports/rpt_gen_make.h"
#include "reports/rpt_sink.h"
#include "tests/database/gedcom/gedcom_test_support.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

namespace rpt_test {
namespace {

class FamilyRecordsReload : public gedcom_test::CGedcomTest,
                            public testing::WithParamInterface<std::vector<const char*>> {
protected:
    /// Royal92's first ten families as a record report in plain text.
    std::string FamilyRecords()
    {
        std::vector<CRecordNode*> chosen;
        for (CDataNode* record = GetRecordTypeRoot(RECORD_LIST_FAM)->GetFirstChild();
             record && chosen.size() < 10; record = record->GetNextSibling())
            chosen.push_back(static_cast<CRecordNode*>(record));
        std::unique_ptr<CRptGen> gen =
            RptMakeGenerator({kRptTypeRec, "Families", false, RECORD_LIST_FAM, ""});
        if (!gen)
            return {};
        gen->TakeSelectedRecords(chosen);
        const std::string path = PathOf("families.txt");
        return gen->Export(path, kRptText) ? test_support::ReadFile(path) : std::string();
    }
};

TEST_P(FamilyRecordsReload, DivorceLinesStayRows)
{
    for (const char* before : GetParam()) {
        ASSERT_TRUE(Load(test_support::DataPath(std::string("gedcom/") + before)));
        DeleteAllRecords();
    }
    ASSERT_TRUE(Load(test_support::DataPath("gedcom/royal92.ged")));
    const std::string report = FamilyRecords();
    // Two of the ten families hold "1 DIV N".
    std::size_t rows = 0;
    for (std::size_t at = report.find("- DIV: N\n"); at != std::string::npos;
         at = report.find("- DIV: N\n", at + 1))
        ++rows;
    EXPECT_EQ(rows, 2u) << report;
}

INSTANTIATE_TEST_SUITE_P(Reports, FamilyRecordsReload,
                         testing::Values(std::vector<const char*>{},
                                         std::vector<const char*>{"TGC551.ged"},
                                         std::vector<const char*>{"royal92.ged", "TGC551.ged"}),
                         [](const auto& info) {
                             return std::string(info.param.empty() ? "First" : "After") +
                                    std::to_string(info.param.size());
                         });

} // namespace
} // namespace rpt_test
