// tests/reports/rpt_catalogue_test.cpp: the report folders, the class table, restoring standard
// reports from the types, opening a report by name (with damaged and hostile report files) and
// the wait for a report that is being restored.
#include "reports/rpt_catalogue.h"

#include "common/preferences.h"
#include "platform/base/clock.h"
#include "platform/base/paths.h"
#include "platform/base/registry.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_retry.h"
#include "reports/rpt_select.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>

namespace {

using test_support::Prompt;
using test_support::TextsOf;
using testing::ElementsAre;

void SetFolderValue(const char* name, const std::string& text)
{
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  DWORD(text.size() + 1));
    RegCloseKey(key);
}

std::string TypeFile(std::string_view reportClass, std::string_view name)
{
    return "[Ardenvel Report]\nVersion=3\nClass=" + std::string(reportClass) +
           "\nTemplate=" + std::string(name) + "\n";
}

/// A generator that only remembers how it was asked for.
class CatalogueGen final : public CRptGen {
public:
    explicit CatalogueGen(const RptGenRequest& request)
        : CRptGen(request.type, request.name, request.custom), listName(request.listName),
          recordType(request.recordType)
    {
    }
    void PrepareEntries() override
    {
        if (GetType() == kRptTypeList && Entries().empty())
            Entries().push_back(std::make_unique<CRptRow>(kRptRowList, nullptr));
    }
    void GetEntryTitle(const CRptRow&, std::string& out) const override { out.clear(); }
    std::string listName;
    int recordType;
};

class ScriptedSelector final : public IRptSelector {
public:
    bool SelectRecords(int recordType, std::vector<CRecordNode*>& chosen) override
    {
        asked.push_back("records " + std::to_string(recordType));
        chosen.clear();
        return ok;
    }
    bool SelectNamedList(std::string& name) override
    {
        asked.push_back("list");
        name = "Cousins";
        return ok;
    }
    std::vector<std::string> asked;
    bool ok = true;
};

class ScriptedHost final : public IRptWindowHost {
public:
    bool OpenReportWindow(std::unique_ptr<CRptGen> report) override
    {
        if (!accept)
            return false;
        shown = std::move(report);
        return true;
    }
    std::unique_ptr<CRptGen> shown;
    bool accept = true;
};

class CatalogueTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        m_types = test_support::NewFolder("types");
        m_standard = test_support::NewFolder("standard");
        m_custom = test_support::NewFolder("custom");
        SetFolderValue("Reports Directory - Type", "\"" + m_types + "/\"");
        SetFolderValue("Reports Directory - Standard", m_standard);
        SetFolderValue("Reports Directory - Custom", m_custom);
        SetRptSelector(&m_selector);
        SetRptWindowHost(&m_host);
        SetRptGenMaker([this](const RptGenRequest& request) -> std::unique_ptr<CRptGen> {
            ++m_made;
            if (m_makerThrows)
                throw std::runtime_error("no memory");
            return std::make_unique<CatalogueGen>(request);
        });
        clock_seam::FreezeTickCount(0);
        SetRptRetryIdle([this] {
            ++m_idles;
            clock_seam::AdvanceTickCount(100);
            if (m_onIdle)
                m_onIdle();
        });
        Prompt().TakeMessages();
    }
    void TearDown() override
    {
        SetRptRetryIdle({});
        clock_seam::ReleaseTickCount();
        SetRptGenMaker({});
        SetRptWindowHost(nullptr);
        SetRptSelector(nullptr);
        RegReset();
    }

    void AddType(std::string_view name, std::string_view reportClass)
    {
        test_support::WriteFile(m_types + "/" + std::string(name) + ".avr",
                                TypeFile(reportClass, name));
    }
    void AddReport(const std::string& folder, std::string_view name, std::string_view body)
    {
        test_support::WriteFile(folder + "/" + std::string(name) + ".avr", body);
    }
    std::vector<std::string> Messages() { return TextsOf(Prompt().TakeMessages()); }
    /// Opens a report, answering every box that shows.
    bool Open(std::string_view name, bool custom, int boxes)
    {
        for (int i = 0; i < boxes; ++i)
            Prompt().Answer(IDOK);
        return OpenReport(name, custom);
    }
    const CatalogueGen* Shown() const
    {
        return dynamic_cast<const CatalogueGen*>(m_host.shown.get());
    }

    std::string m_types, m_standard, m_custom;
    ScriptedSelector m_selector;
    ScriptedHost m_host;
    int m_made = 0;
    bool m_makerThrows = false;
    int m_idles = 0;
    std::function<void()> m_onIdle;
};

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

struct OpenCase {
    const char* name;
    /// The report file's contents; none: no file.
    std::optional<std::string> report;
    bool custom;
    std::vector<std::string> messages;
    std::vector<std::string> asked;
    int type;
};

class OpenReportCases : public CatalogueTest, public testing::WithParamInterface<OpenCase> {};

TEST_P(OpenReportCases, OpenOrSayWhy)
{
    const OpenCase& c = GetParam();
    AddType("Ancestor Report", "ancestor");
    AddType("Odd", "Rec-Xyz");
    AddType("Objects", "Rec-Obj");
    AddType("Lists", "List");
    // A type file outside the types folder, which no Template value may reach.
    test_support::WriteFile(test_support::TempDir() + "/x.avr", TypeFile("Individual", "x"));
    if (c.report)
        AddReport(c.custom ? m_custom : m_standard, "Mine", *c.report);
    const bool shown = Open("Mine", c.custom, int(c.messages.size()));
    EXPECT_EQ(Messages(), c.messages);
    EXPECT_EQ(m_selector.asked, c.asked);
    EXPECT_EQ(shown, c.type >= 0);
    if (c.type >= 0) {
        ASSERT_NE(Shown(), nullptr);
        EXPECT_EQ(Shown()->GetType(), c.type);
        EXPECT_EQ(Shown()->GetName(), "Mine");
        EXPECT_EQ(Shown()->IsCustom(), c.custom);
    }
    EXPECT_EQ(m_idles, 0) << "no wait for a report that is there or custom";
}

const std::string kHuge(100000, 'x');
const char kBinaryBytes[] = "\x00\xff[Ardenvel Report\x01\nTemplate\x00=Ancestor Report";
const std::string kBinary(kBinaryBytes, sizeof kBinaryBytes - 1);

INSTANTIATE_TEST_SUITE_P(
    Catalogue, OpenReportCases,
    testing::Values(
        OpenCase{"LowerCaseClass",
                 "[Ardenvel Report]\nTemplate=Ancestor Report\n",
                 false,
                 {},
                 {"records 0"},
                 kRptTypeAnc},
        OpenCase{"CustomReport",
                 "[Ardenvel Report]\nTemplate= Ancestor Report \n",
                 true,
                 {},
                 {"records 0"},
                 kRptTypeAnc},
        OpenCase{"RecordReport",
                 "[Ardenvel Report]\nTemplate=Objects\n",
                 true,
                 {},
                 {"records 7"},
                 kRptTypeRec},
        OpenCase{
            "ListReport", "[Ardenvel Report]\nTemplate=Lists\n", true, {}, {"list"}, kRptTypeList},
        OpenCase{"UnknownRecordClass",
                 "[Ardenvel Report]\nTemplate=Odd\n",
                 true,
                 {"Report type not recognised"},
                 {},
                 -1},
        OpenCase{"MissingTypeFile",
                 "[Ardenvel Report]\nTemplate=Gone\n",
                 true,
                 {"Report type not recognised"},
                 {},
                 -1},
        OpenCase{"MissingCustomReport", std::nullopt, true, {"Report not found"}, {}, -1},
        OpenCase{"TruncatedFile", "[Ardenvel Rep", true, {"Report not found"}, {}, -1},
        OpenCase{"BinaryFile", kBinary, true, {"Report not found"}, {}, -1},
        OpenCase{"CountsAndLongValues",
                 "[Ardenvel Report]\nCount=1000000000\nTemplate=Ancestor Report\n"
                 "[Report Opts - Ind Items]\nCount=1000000000\nItem1=S1,0\nItem2=" +
                     kHuge + "\n[Report Layout]\nHeader Left=" + kHuge + "\n",
                 true,
                 {},
                 {"records 0"},
                 kRptTypeAnc}),
    [](const testing::TestParamInfo<OpenCase>& info) { return info.param.name; });

TEST_F(CatalogueTest, TemplateValuesNeverLeadOutOfTheTypesFolder)
{
    test_support::WriteFile(test_support::TempDir() + "/x.avr", TypeFile("Individual", "x"));
    for (const std::string& value : {std::string("../../x"), std::string("../x"),
                                     std::string("/etc/passwd"), std::string("a\\..\\x"), kHuge}) {
        AddReport(m_custom, "Mine", "[Ardenvel Report]\nTemplate=" + value + "\n");
        Prompt().Answer(IDOK);
        EXPECT_FALSE(OpenReport("Mine", true)) << value.substr(0, 20);
        const std::vector<std::string> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_THAT(shown[0], testing::StartsWith("Report type not recognised: "));
        EXPECT_THAT(shown[0], testing::HasSubstr("cannot be used as a report name"));
    }
    EXPECT_TRUE(m_selector.asked.empty());
    Prompt().Answer(IDOK);
    EXPECT_FALSE(OpenReport("../Mine", true)) << "nor do report names";
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(CatalogueTest, AMissingStandardReportIsRestoredAndOpensWithoutAMessage)
{
    AddType("Ancestor Report", "Ancestor");
    EXPECT_TRUE(Open("Ancestor Report", false, 0));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_idles, 0);
    EXPECT_EQ(ReadReportTemplate(m_standard + "/Ancestor Report.avr"), "Ancestor Report");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->GetType(), kRptTypeAnc);
}

TEST_F(CatalogueTest, AStandardReportStillMissingIsAwaitedFiveSecondsWithTheWindowAlive)
{
    EXPECT_FALSE(Open("Ancestor Report", false, 1));
    EXPECT_THAT(Messages(), ElementsAre("Report not found"));
    EXPECT_EQ(m_idles, 50) << "five waits of a second, each spent in the idle step";
    EXPECT_EQ(GetTickCount(), 5000u);

    // A report that another step puts in place during the wait opens.
    m_idles = 0;
    clock_seam::FreezeTickCount(0);
    AddType("Ancestor Report", "Ancestor");
    m_onIdle = [this] {
        if (GetTickCount() == 2500)
            AddReport(m_standard, "Late", "[Ardenvel Report]\nTemplate=Ancestor Report\n");
    };
    EXPECT_TRUE(Open("Late", false, 0));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(GetTickCount(), 3000u) << "found at the end of the third wait";
}

TEST_F(CatalogueTest, DisplayEndsQuietlyOnCancelAndSaysSoWhenTheWindowCannotShowIt)
{
    m_selector.ok = false;
    EXPECT_FALSE(DisplayReport(kRptTypeFam, "Family Group Sheet", false, -1));
    EXPECT_FALSE(DisplayReport(kRptTypeList, "List Report", false, -1));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_made, 0) << "no generator after Cancel";
    EXPECT_THAT(m_selector.asked, ElementsAre("records 1", "list"));

    m_selector.ok = true;
    m_host.accept = false;
    Prompt().Answer(IDOK);
    EXPECT_FALSE(DisplayReport(kRptTypeSrc, "Source Report", false, -1));
    EXPECT_THAT(Messages(), ElementsAre("An error has occurred - unable to display report"));

    m_host.accept = true;
    m_makerThrows = true;
    Prompt().Answer(IDOK);
    EXPECT_FALSE(DisplayReport(kRptTypeInd, "Individual Summary Report", false, -1));
    EXPECT_THAT(Messages(), ElementsAre("An error has occurred - unable to display report"));

    m_makerThrows = false;
    for (int recordType : {-1, 8}) {
        Prompt().Answer(IDOK);
        EXPECT_FALSE(DisplayReport(kRptTypeRec, "Records", false, recordType));
        EXPECT_THAT(Messages(), ElementsAre("Report type not recognised"));
    }

    EXPECT_TRUE(DisplayReport(kRptTypeList, "List Report", true, -1));
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->listName, "Cousins");
    ASSERT_EQ(Shown()->Entries().size(), 1u);
    EXPECT_EQ(Shown()->Entries()[0]->m_kind, kRptRowList);
}

} // namespace
