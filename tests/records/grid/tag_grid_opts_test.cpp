// tests/records/grid/tag_grid_opts_test.cpp: the Record Window Options sheet driven as a user
// would: the lists and paired check boxes, what reaches the options and the profile.
#include "records/grid/rec_wnd_options.h"
#include "records/grid/tag_grid_opts_dlg.h"

#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

namespace {

class TagGridOptsTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        controls_test::UseCompiledResources();
        m_saved = RecWndOptions();
        RecWndOptions() = CRecWndOptions();
        RecWndOptions().m_loaded = true;
    }
    void TearDown() override
    {
        m_app.GetProfile().WriteProfileString(kRecWndOptionsSection, nullptr, nullptr);
        m_app.GetProfile().WriteProfileString(kRecWndColoursSection, nullptr, nullptr);
        RecWndOptions() = m_saved;
        CRecordTest::TearDown();
    }
    int ProfileInt(const char* key, int fallback = -1)
    {
        return int(m_app.GetProfile().GetProfileInt(kRecWndOptionsSection, key, fallback));
    }

    CWinApp m_app{"ArdenvelOptsTest"};
    CRecWndOptions m_saved;
};

TEST_F(TagGridOptsTest, BothPagesReachTheProfileOnOk)
{
    RecWndOptions().m_displayChoice[0] = 2; // whatever the profile held, individuals show
    bool individualsEnabled = true;
    int individualsChoice = -1;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        CPropertyPage* general = sheet.GetPage(0);
        auto* individuals = dynamic_cast<CComboBox*>(general->GetDlgItem(1244));
        ASSERT_NE(individuals, nullptr);
        individualsEnabled = individuals->IsWindowEnabled();
        individualsChoice = individuals->GetCurSel();
        TestHooks::SelectItem(*general, 1251, 2); // notes: "Always hide"
        TestHooks::Click(*general, 1048);         // surnames first off
        sheet.SetActivePage(1);
        CPropertyPage* advanced = sheet.GetPage(1);
        // Show child is 2: "Only show if..." is checked; its partner clears it.
        EXPECT_EQ(advanced->IsDlgButtonChecked(1052), BST_CHECKED);
        TestHooks::Click(*advanced, 1051);
        EXPECT_EQ(advanced->IsDlgButtonChecked(1052), BST_UNCHECKED);
        TestHooks::Click(*advanced, 1049); // the spouse is shown again
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    RunRecWndOptionsDialog("Record Window Options", nullptr);
    EXPECT_FALSE(individualsEnabled);
    EXPECT_EQ(individualsChoice, 0);
    const CRecWndOptions& options = RecWndOptions();
    EXPECT_EQ(options.m_displayChoice[0], 0);
    EXPECT_EQ(options.m_displayChoice[2], 2);
    EXPECT_FALSE(options.m_surnamesFirst);
    EXPECT_EQ(options.m_showChild, 1);
    EXPECT_EQ(options.m_showSpouse, 0);
    // The Advanced page's choices are saved too, not only the General page's.
    EXPECT_EQ(ProfileInt("Notes"), 2);
    EXPECT_EQ(ProfileInt("Surnames First"), 0);
    EXPECT_EQ(ProfileInt("Show Child Opt"), 1);
    EXPECT_EQ(ProfileInt("Show Spouse Opt"), 0);
}

TEST_F(TagGridOptsTest, CancelKeepsTheOptionsAndTheProfile)
{
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        sheet.SetActivePage(1);
        TestHooks::Click(*sheet.GetPage(1), 1055);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    RunRecWndOptionsDialog("Record Window Options", nullptr);
    EXPECT_EQ(RecWndOptions().m_showFamilyAsChild, 2);
    EXPECT_EQ(ProfileInt("Show Family As Child Opt"), -1);
}

} // namespace
