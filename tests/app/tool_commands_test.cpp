// Tests that the menu commands of the tools reach their dialogs through the application's
// command map, and that Print Setup answers when there is no printer.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_sheet.h"

namespace app_test {
namespace {

struct DialogCommand {
    const char* name;
    UINT command;
    UINT templateId;
};

class ToolCommandsTest : public AppTest, public testing::WithParamInterface<DialogCommand> {};

TEST_P(ToolCommandsTest, OpensItsDialog)
{
    ASSERT_TRUE(Start());
    bool shown = false;
    TestHooks::OnNextDialog(GetParam().templateId, [&](CDialog& dialog) {
        shown = true;
        dialog.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(Run(GetParam().command));
    EXPECT_TRUE(shown);
}

INSTANTIATE_TEST_SUITE_P(Commands, ToolCommandsTest,
                         testing::Values(DialogCommand{"About", ID_APP_ABOUT, 100},
                                         DialogCommand{"RecordIds", ID_RECORD_IDS, 320},
                                         DialogCommand{"Reorder", ID_REORDER, 367}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, PreferencesOpenTheSheet)
{
    ASSERT_TRUE(Start());
    bool shown = false;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        shown = true;
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    EXPECT_TRUE(Run(ID_PREFERENCES));
    EXPECT_TRUE(shown);
}

TEST_F(AppTest, PrintSetupWithoutAPrinterSaysSo)
{
    ASSERT_TRUE(Start());
    TestHooks::SetNoPrinter(true);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Run(ID_FILE_PRINT_SETUP));
    TestHooks::SetNoPrinter(false);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "No printer detected.");
}

} // namespace
} // namespace app_test
