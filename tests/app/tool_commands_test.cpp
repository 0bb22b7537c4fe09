// tests/app/tool_commands_test.cpp: Tests that the menu commands of the tools reach their dialogs
// through the application's command map, that Print Setup answers when there is no printer, and
// that a window that cannot print refuses Print and Print Preview.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
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
    EXPECT_TRUE(Run(ID_FILE_PRINT_SETUP)) << "the records window's Print Setup answers";
    TestHooks::SetNoPrinter(false);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"No printer detected"});
}

TEST_F(AppTest, AWindowThatCannotPrintRefusesPrintAndPreview)
{
    ASSERT_TRUE(Start());
    CAvView* view = nullptr;
    ASSERT_NE(m_app->FindRecordsView(&view), nullptr);
    EXPECT_TRUE(TestHooks::RenderPreviewPage(*view, 1).pixels.empty());
    EXPECT_TRUE(Run(ID_FILE_PRINT)) << "refused before the print dialog, which has no answer";
    EXPECT_TRUE(Run(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(MessageTexts().empty());

    TestHooks::SetNoPrinter(true);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(Run(ID_FILE_PRINT_PREVIEW));
    TestHooks::SetNoPrinter(false);
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"No printer detected.  Cannot display a print preview."});
}

} // namespace
} // namespace app_test
