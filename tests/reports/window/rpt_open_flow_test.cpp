// tests/reports/window/rpt_open_flow_test.cpp: opening a report by name (with damaged and hostile
// report files), the wait for a report that is being restored, and displaying it: the choice of
// its records, the generator and the window.
#include "reports/window/rpt_open_flow.h"

#include "platform/base/clock.h"
#include "reports/rpt_gen.h"
#include "reports/rpt_select.h"
#include "tests/reports/rpt_catalogue_fixture.h"

#include <gmock/gmock.h>

#include <new>
#include <optional>
#include <stdexcept>

namespace {

using rpt_catalogue_test::TypeFile;
using test_support::Prompt;
using testing::ElementsAre;

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

class OpenFlowTest : public rpt_catalogue_test::CatalogueTest {
protected:
    void SetUp() override
    {
        CatalogueTest::SetUp();
        m_clockBefore = GetTickCount();
        clock_seam::FreezeTickCount(0);
    }
    void TearDown() override
    {
        // The window tests run on the frozen clock of the test hooks: it is put back as found.
        clock_seam::FreezeTickCount(m_clockBefore);
        CatalogueTest::TearDown();
    }

    /// Opens a report, answering every box that shows.
    bool Open(std::string_view name, bool custom, int boxes)
    {
        for (int i = 0; i < boxes; ++i)
            Prompt().Answer(IDOK);
        return m_flow.OpenReport(name, custom);
    }
    const CatalogueGen* Shown() const { return dynamic_cast<const CatalogueGen*>(m_shown.get()); }

    DWORD m_clockBefore = 0;
    ScriptedSelector m_selector;
    int m_made = 0;
    /// What the maker throws, when anything.
    std::function<void()> m_makerThrows;
    bool m_accept = true;
    std::unique_ptr<CRptGen> m_shown;
    int m_idles = 0;
    std::function<void()> m_onIdle;
    CRptOpenFlow m_flow{m_selector,
                        [this](const RptGenRequest& request) -> std::unique_ptr<CRptGen> {
                            ++m_made;
                            if (m_makerThrows)
                                m_makerThrows();
                            return std::make_unique<CatalogueGen>(request);
                        },
                        [this](std::unique_ptr<CRptGen> report) {
                            if (!m_accept)
                                return false;
                            m_shown = std::move(report);
                            return true;
                        },
                        [this] {
                            ++m_idles;
                            clock_seam::AdvanceTickCount(100);
                            if (m_onIdle)
                                m_onIdle();
                        }};
};

struct OpenCase {
    const char* name;
    /// The report file's contents; none: no file.
    std::optional<std::string> report;
    bool custom;
    std::vector<std::string> messages;
    std::vector<std::string> asked;
    int type;
};

class OpenReportCases : public OpenFlowTest, public testing::WithParamInterface<OpenCase> {};

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

TEST_F(OpenFlowTest, TemplateValuesNeverLeadOutOfTheTypesFolder)
{
    test_support::WriteFile(test_support::TempDir() + "/x.avr", TypeFile("Individual", "x"));
    for (const std::string& value : {std::string("../../x"), std::string("../x"),
                                     std::string("/etc/passwd"), std::string("a\\..\\x"), kHuge}) {
        AddReport(m_custom, "Mine", "[Ardenvel Report]\nTemplate=" + value + "\n");
        Prompt().Answer(IDOK);
        EXPECT_FALSE(m_flow.OpenReport("Mine", true)) << value.substr(0, 20);
        const std::vector<std::string> shown = Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_THAT(shown[0], testing::StartsWith("Report type not recognised: "));
        EXPECT_THAT(shown[0], testing::HasSubstr("cannot be used as a report name"));
    }
    EXPECT_TRUE(m_selector.asked.empty());
    Prompt().Answer(IDOK);
    EXPECT_FALSE(m_flow.OpenReport("../Mine", true)) << "nor do report names";
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(OpenFlowTest, AMissingStandardReportIsRestoredAndOpensWithoutAMessage)
{
    AddType("Ancestor Report", "Ancestor");
    EXPECT_TRUE(Open("Ancestor Report", false, 0));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_idles, 0);
    EXPECT_EQ(ReadReportTemplate(m_standard + "/Ancestor Report.avr"), "Ancestor Report");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->GetType(), kRptTypeAnc);
}

TEST_F(OpenFlowTest, AStandardReportStillMissingIsAwaitedFiveSecondsWithTheWindowAlive)
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

TEST_F(OpenFlowTest, DisplayEndsQuietlyOnCancelAndSaysSoWhenTheWindowCannotShowIt)
{
    m_selector.ok = false;
    EXPECT_FALSE(m_flow.DisplayReport(kRptTypeFam, "Family Group Sheet", false, -1));
    EXPECT_FALSE(m_flow.DisplayReport(kRptTypeList, "List Report", false, -1));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m_made, 0) << "no generator after Cancel";
    EXPECT_THAT(m_selector.asked, ElementsAre("records 1", "list"));

    m_selector.ok = true;
    m_accept = false;
    Prompt().Answer(IDOK);
    EXPECT_FALSE(m_flow.DisplayReport(kRptTypeSrc, "Source Report", false, -1));
    EXPECT_THAT(Messages(), ElementsAre("An error has occurred - unable to display report"));

    m_accept = true;
    m_makerThrows = [] { throw std::bad_alloc(); };
    Prompt().Answer(IDOK);
    EXPECT_FALSE(m_flow.DisplayReport(kRptTypeInd, "Individual Summary Report", false, -1));
    EXPECT_THAT(Messages(), ElementsAre("An error has occurred - unable to display report"));

    // Anything else is a fault of the program, which no message may hide.
    m_makerThrows = [] { throw std::logic_error("fault"); };
    EXPECT_THROW(m_flow.DisplayReport(kRptTypeInd, "Individual Summary Report", false, -1),
                 std::logic_error);
    EXPECT_TRUE(Messages().empty());

    m_makerThrows = nullptr;
    for (int recordType : {-1, 8}) {
        Prompt().Answer(IDOK);
        EXPECT_FALSE(m_flow.DisplayReport(kRptTypeRec, "Records", false, recordType));
        EXPECT_THAT(Messages(), ElementsAre("Report type not recognised"));
    }

    EXPECT_TRUE(m_flow.DisplayReport(kRptTypeList, "List Report", true, -1));
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->listName, "Cousins");
    ASSERT_EQ(Shown()->Entries().size(), 1u);
    EXPECT_EQ(Shown()->Entries()[0]->m_kind, kRptRowList);
}

} // namespace
