// tests/reports/rpt_gen_stop_test.cpp: Escape inside one long entry: the build stops in the middle
// of the entry and says so, an export is abandoned, and drawing a page is never stopped.
#include "reports/rpt_gen_anc.h"
#include "reports/rpt_gen_fam.h"
#include "reports/rpt_gen_ind.h"

#include "database/records/fam_rec.h"
#include "reports/rpt_sink.h"
#include "tests/database/kin/ind_rec_test_support.h"
#include "tests/reports/fake_rpt_canvas.h"
#include "tests/support/test_support.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace rpt_test {
namespace {

class FakeDevice final : public IRptDevice {
public:
    std::unique_ptr<IRptCanvas> CreatePrinterCanvas(bool, bool) override
    {
        return std::make_unique<FakeCanvas>();
    }
};

class LongEntryStop : public ind_test::CIndRecTest {
protected:
    void SetUp() override
    {
        CIndRecTest::SetUp();
        // A man who is his own father: one entry of as many lines as there are generations.
        loop = Person(SEX_MALE, "Loop");
        Marry(loop, nullptr, {loop});
        gen.Settings().m_contents.m_generations = 100000;
        gen.Settings().m_contents.m_options[kRptAhnentafel] = false;
        gen.Settings().m_contents.m_options[kRptDatesWithNames] = false;
        gen.Settings().m_sources.m_flags[kRptIncludeSources] = false;
        CRecordNode* record = loop;
        gen.TakeSelectedRecords({&record, 1});
    }

    FakeDevice m_device;
    CIndRec* loop = nullptr;
    CRptGenAnc gen{"Ancestors", false};
};

TEST_F(LongEntryStop, EscapeStopsTheBuildInsideTheEntryAndDrawingStillDrawsThePages)
{
    int asked = 0;
    gen.SetMonitor({nullptr, [&asked] { return ++asked > 300; }});
    ASSERT_TRUE(gen.Build(m_device, false));
    EXPECT_TRUE(gen.WasStopped()) << "the only entry was cut short";
    EXPECT_THAT(gen.GetStoppedText(), testing::HasSubstr("after 0 of its 1 entries"));
    EXPECT_LT(asked, 400) << "the body asked between its lines";
    EXPECT_GE(gen.GetPageCount(), 5);
    EXPECT_LE(gen.GetPageCount(), 7) << "about 300 lines of 54 a page";
    // The stop stays requested, yet a page laid out draws whole.
    FakeCanvas canvas;
    gen.PrintPage(canvas, 2);
    EXPECT_GE(canvas.Texts().size(), 50u);
    EXPECT_LE(asked, 400);
}

TEST_F(LongEntryStop, EscapeInsideTheLastEntryAbandonsTheExport)
{
    const std::string path = test_support::TempDir() + "/long_entry_stop.txt";
    test_support::WriteFile(path, "before");
    int asked = 0;
    gen.SetMonitor({nullptr, [&asked] { return ++asked > 300; }});
    const RptExportOutcome exported = gen.Export(path, kRptText);
    EXPECT_FALSE(exported);
    EXPECT_TRUE(exported.stopped);
    EXPECT_EQ(exported.failure,
              "The report was stopped before it was saved: " + path + " is left as it was.");
    EXPECT_EQ(test_support::ReadFile(path), "before") << "a cut entry is no whole file";
    EXPECT_LT(asked, 400);
    std::filesystem::remove(path);
}

/// The Individual Summary of a person with thousands of events, and the Family Group Sheet of a
/// family with thousands of children and events: each one entry.
TEST_F(LongEntryStop, EscapeStopsALongSummaryAndALongFamilySheet)
{
    CIndRec* busy = Person(SEX_MALE, "Busy");
    CIndRec* wife = Person(SEX_FEMALE, "Wife");
    CFamRec* family = Marry(busy, wife);
    for (int i = 0; i < 3000; ++i) {
        Event(busy, "RESI", std::to_string(1800 + i % 100));
        Event(family, "EVEN", std::to_string(1800 + i % 100));
    }
    for (int i = 0; i < 2000; ++i)
        family->LinkChild(Person(SEX_MALE, "Kid"), nullptr);
    CRptGenInd ind("Summary", false);
    CRptGenFam fam("Sheet", false);
    CRecordNode* person = busy;
    CRecordNode* sheet = family;
    ind.TakeSelectedRecords({&person, 1});
    fam.TakeSelectedRecords({&sheet, 1});
    for (CRptGen* report : {static_cast<CRptGen*>(&ind), static_cast<CRptGen*>(&fam)}) {
        report->Settings().m_sources.m_flags[kRptIncludeSources] = false;
        int asked = 0;
        report->SetMonitor({nullptr, [&asked] { return ++asked > 200; }});
        ASSERT_TRUE(report->Build(m_device, false));
        EXPECT_TRUE(report->WasStopped()) << report->GetName();
        EXPECT_LT(asked, 300) << report->GetName();
        EXPECT_LT(report->GetPageCount(), 10) << report->GetName();
    }
}

} // namespace
} // namespace rpt_test
