// tests/app/diagram_defaults_command_test.cpp: Diagram Defaults reaches the options sheet over the
// default block, with no diagram open and no "Save as default" box; what it applies reaches the
// next new diagram, also after the program has ended and started again.
#include "tests/app/app_fixture.h"

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "diagrams/window/tree_opts_main.h"
#include "platform/ui/dialogs/property_sheet.h"

namespace app_test {
namespace {

constexpr UINT kDiagramDefaults = 33024;

TEST_F(AppTest, DiagramDefaultsOpensTheOptionsSheetWithNoWindow)
{
    ASSERT_TRUE(Start());
    std::string title;
    int pages = 0;
    bool saveBox = true;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        sheet.GetWindowText(title);
        pages = sheet.GetPageCount();
        saveBox = sheet.GetDlgItem(CTreeOptsDlg::kSaveAsDefaultId) != nullptr;
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_TRUE(Run(kDiagramDefaults));
    EXPECT_EQ(title, "Diagram Defaults");
    EXPECT_EQ(pages, 6);
    EXPECT_FALSE(saveBox);
}

TEST_F(AppTest, DiagramDefaultsReachTheNextDiagramAlsoAfterARestart)
{
    ASSERT_TRUE(Start());
    const std::string file = WriteGedcom("family.ged", kFamilyFile);
    m_app->OpenDocumentFile(file.c_str());
    const bool framed = m_app->GetDiagramDefaults().Settings().m_showBoxes;
    TestHooks::OnNextSheet([](CPropertySheet& sheet) {
        TestHooks::Click(*sheet.GetActivePage(), CTreePageMain::kBoxesId);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    ASSERT_TRUE(Run(kDiagramDefaults));

    for (const char* when : {"now", "after a restart"}) {
        SCOPED_TRACE(when);
        auto* john = AsIndividual(
            static_cast<CRecordNode*>(GetRecordTypeRoot(RECORD_LIST_INDI)->GetFirstChild()));
        ASSERT_NE(john, nullptr);
        CSubViewRelTree* window = m_app->ShowInDiagram(kDescendantsDiagram, john, nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Settings().m_showBoxes, !framed);
        // The program ends (the statics are freed) and starts again on the same settings.
        m_app->ExitInstance();
        m_app = std::make_unique<CAvApp>();
        ASSERT_TRUE(Start());
        m_app->OpenDocumentFile(file.c_str());
    }
}

} // namespace
} // namespace app_test
