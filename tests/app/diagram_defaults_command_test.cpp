// tests/app/diagram_defaults_command_test.cpp: Diagram Defaults reaches the options sheet over the
// default block, with no diagram open and no "Save as default" box.
#include "tests/app/app_fixture.h"

#include "diagrams/window/tree_opts_dlg.h"
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

} // namespace
} // namespace app_test
