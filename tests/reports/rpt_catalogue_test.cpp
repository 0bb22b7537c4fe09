// tests/reports/rpt_catalogue_test.cpp: the report folders, the class table and restoring
// standard reports from the types.
#include "reports/rpt_catalogue.h"

#include "platform/base/paths.h"
#include "reports/report_name.h"
#include "reports/rpt_gen.h"
#include "tests/reports/rpt_catalogue_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

using rpt_catalogue_test::CatalogueTest;
using rpt_catalogue_test::SetFolderValue;
using testing::ElementsAre;

TEST_F(CatalogueTest, FoldersComeWithoutQuotesAndWithOneSeparatorBeforeTheName)
{
    EXPECT_EQ(GetReportTypesFolderPath(), m_types);
    EXPECT_EQ(GetReportTypeFilePath("Ancestor Report"), m_types + "/Ancestor Report.avr");
    EXPECT_EQ(GetReportFilePath("Mine", false), m_standard + "/Mine.avr");
    EXPECT_EQ(GetReportFilePath("Mine", true), m_custom + "/Mine.avr");
    EXPECT_EQ(GetReportsFolder(0), "");
    EXPECT_EQ(GetReportsFolder(4), "");
    for (const char* name : {"../../x", "a/b", "..", "", "x\ty"}) {
        EXPECT_EQ(GetReportFilePath(name, true), "") << name;
        EXPECT_EQ(GetReportTypeFilePath(name), "") << name;
    }
}

TEST_F(CatalogueTest, AFreshInstallKeepsTypesBesideTheProgramAndReportsInTheUsersData)
{
    setenv("XDG_CONFIG_HOME", test_support::NewFolder("fresh").c_str(), 1);
    RegReset();
    EXPECT_EQ(GetReportTypesFolderPath(), paths::Join(paths::ProgramFolder(), "Reports/Types"));
    EXPECT_EQ(GetReportFolderPath(false),
              paths::Join(paths::DataHome(), "ardenvel/Reports/Standard"));
    EXPECT_EQ(GetReportFolderPath(true), paths::Join(paths::DataHome(), "ardenvel/Reports/Custom"));
}

TEST(ReportClassTest, ClassesChooseTheGeneratorWithoutRegardToCase)
{
    struct Case {
        const char* value;
        bool found;
        int type, recordType;
    };
    const Case cases[] = {
        {"Individual", true, kRptTypeInd, -1},
        {"family", true, kRptTypeFam, -1},
        {"SOURCE", true, kRptTypeSrc, -1},
        {"Descendant", true, kRptTypeDesc, -1},
        {"ancestor", true, kRptTypeAnc, -1},
        {"List", true, kRptTypeList, -1},
        {"Rec-Ind", true, kRptTypeRec, 0},
        {"rec-fam", true, kRptTypeRec, 1},
        {"Rec-Not", true, kRptTypeRec, 2},
        {"Rec-Src", true, kRptTypeRec, 3},
        {"Rec-Rep", true, kRptTypeRec, 4},
        {"Rec-Sbr", true, kRptTypeRec, 5},
        {"Rec-Sbn", true, kRptTypeRec, 6},
        {"REC-OBJ", true, kRptTypeRec, 7},
        {"Rec-Xyz", false, 0, 0},
        {"Rec-", false, 0, 0},
        {"", false, 0, 0},
        {"Individual Summary", false, 0, 0},
        {"\xc3", false, 0, 0},
    };
    for (const Case& c : cases) {
        int type = -9, recordType = -9;
        EXPECT_EQ(FindReportClass(c.value, type, recordType), c.found) << c.value;
        if (c.found) {
            EXPECT_EQ(type, c.type) << c.value;
            EXPECT_EQ(recordType, c.recordType) << c.value;
        }
    }
}

TEST(ReportTypeFilesTest, EveryClassHasOneTypeFileThatNamesItself)
{
    const std::string folder = ARDENVEL_TEST_REPORT_TYPES;
    const std::vector<std::string> files = paths::ListFolder(folder, "*.avr");
    EXPECT_EQ(files.size(), 14u);
    std::set<std::pair<int, int>> kinds;
    for (const std::string& file : files) {
        const std::string name = file.substr(0, file.size() - 4);
        const std::string path = folder + "/" + file;
        EXPECT_EQ(ReadReportTemplate(path), name);
        int type = -1, recordType = -1;
        EXPECT_TRUE(FindReportClass(ReadReportClass(path), type, recordType)) << file;
        kinds.insert({type, recordType});
    }
    EXPECT_EQ(kinds.size(), 14u) << "one file per class";
    for (const char* name :
         {GetIndividualSummaryReportName(), GetFamilyGroupSheetName(), GetSourceReportName()})
        EXPECT_NE(std::find(files.begin(), files.end(), std::string(name) + ".avr"), files.end())
            << name;
}

TEST_F(CatalogueTest, ScanCopiesTheTypesTheStandardFolderLacks)
{
    AddType("Ancestor Report", "Ancestor");
    AddType("Family Group Sheet", "Family");
    AddType("List Report", "List");
    AddReport(m_standard, "family group sheet", "[Ardenvel Report]\nTemplate=Mine\n");
    EXPECT_TRUE(ScanReportsFolder());
    EXPECT_THAT(paths::ListFolder(m_standard, "*.avr"),
                ElementsAre("Ancestor Report.avr", "family group sheet.avr", "List Report.avr"));
    EXPECT_EQ(test_support::ReadFile(m_standard + "/family group sheet.avr"),
              "[Ardenvel Report]\nTemplate=Mine\n")
        << "a report of the same name is kept";
    EXPECT_FALSE(ScanReportsFolder()) << "nothing left to copy";

    const std::vector<std::string> known = {"Ancestor Report.avr", "Family Group Sheet.avr"};
    test_support::WriteFile(m_standard + "/List Report.avr", "kept");
    EXPECT_FALSE(ScanReportsFolder(&known)) << "existing files are never replaced";
    EXPECT_EQ(test_support::ReadFile(m_standard + "/List Report.avr"), "kept");
}

TEST_F(CatalogueTest, AStandardFolderThatDoesNotExistYetIsMade)
{
    AddType("Ancestor Report", "Ancestor");
    const std::string fresh = test_support::TempDir() + "/fresh/Reports/Standard";
    SetFolderValue("Reports Directory - Standard", fresh);
    EXPECT_TRUE(ScanReportsFolder());
    EXPECT_EQ(ReadReportTemplate(fresh + "/Ancestor Report.avr"), "Ancestor Report");
}

} // namespace
