// tests/platform/ui/windows/cmd_target_test.cpp: handler tables take commands, update requests and
// notifications by id and code, and an item nobody updates follows its command handler.
#include "platform/ui/windows/cmd_target.h"
#include "platform/ui/windows/cmd_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kSave = 57603;
constexpr UINT kFirstRecent = 26001, kLastRecent = 26050;
constexpr UINT kListId = 1200;
constexpr UINT kSelectionChanging = UINT(-100);

class Target : public CCmdTarget {
public:
    std::vector<std::string> calls;
    bool canSave = false;

    Target()
    {
        MapCommand(kSave, [this] { calls.push_back("save"); });
        MapUpdate(kSave, [this](CCmdUI* ui) { ui->Enable(canSave); });
        MapCommandRange(kFirstRecent, kLastRecent,
                        [this](UINT id) { calls.push_back("recent " + std::to_string(id)); });
        MapUpdateRange(kFirstRecent, kFirstRecent + 9,
                       [](CCmdUI* ui) { ui->SetCheck(ui->m_nID % 2); });
        MapCommand(ID_APP_ABOUT, [this] { calls.push_back("about"); });
        MapNotify(kListId, kSelectionChanging, [this](NMHDR* header, LRESULT* result) {
            calls.push_back("changing from " + std::to_string(header->idFrom));
            *result = TRUE; // veto
        });
        MapCommand(ID_APP_ABOUT, [this] { calls.push_back("second about"); });
    }
};

TEST(CmdTarget, CommandsReachTheFirstMatchingEntry)
{
    Target target;
    EXPECT_TRUE(target.OnCmdMsg(kSave, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(26020, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(kLastRecent + 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(kSave, 0x300, nullptr, nullptr)); // a notification code
    EXPECT_EQ(target.calls, (std::vector<std::string>{"save", "recent 26020", "about"}));
}

TEST(CmdTarget, ProbingFindsAHandlerWithoutRunningIt)
{
    Target target;
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(target.OnCmdMsg(kSave, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_TRUE(target.calls.empty());
}

TEST(CmdTarget, NotificationsCarryTheirHeaderAndResult)
{
    Target target;
    NMHDR header{nullptr, kListId, kSelectionChanging};
    LRESULT result = FALSE;
    AFX_NOTIFY notify{&result, &header};
    EXPECT_TRUE(target.OnCmdMsg(kListId, int(kSelectionChanging), &notify, nullptr));
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(target.calls, std::vector<std::string>{"changing from 1200"});
}

struct UpdateCase {
    const char* name;
    UINT id;
    bool canSave;
    BOOL disableIfNoHandler;
    BOOL answered;
    BOOL enabled;
    int check;
};

class CmdUiUpdate : public testing::TestWithParam<UpdateCase> {};

TEST_P(CmdUiUpdate, FollowsTheUpdateHandlerElseTheCommandHandler)
{
    const UpdateCase c = GetParam();
    Target target;
    target.canSave = c.canSave;
    CCmdUI ui;
    ui.m_nID = c.id;
    EXPECT_EQ(ui.DoUpdate(&target, c.disableIfNoHandler), c.answered);
    EXPECT_EQ(ui.IsEnabled(), c.enabled);
    EXPECT_EQ(ui.GetCheck(), c.check);
    EXPECT_TRUE(target.calls.empty()); // updating never runs a command
}

INSTANTIATE_TEST_SUITE_P(
    CmdUi, CmdUiUpdate,
    testing::Values(
        UpdateCase{"UpdateHandlerDisables", kSave, false, TRUE, TRUE, FALSE, 0},
        UpdateCase{"UpdateHandlerEnables", kSave, true, TRUE, TRUE, TRUE, 0},
        UpdateCase{"CommandHandlerOnlyEnables", ID_APP_ABOUT, false, TRUE, FALSE, TRUE, 0},
        UpdateCase{"NoHandlerDisables", ID_FILE_NEW, false, TRUE, FALSE, FALSE, 0},
        UpdateCase{"NoHandlerKeepsStateWhenAsked", ID_FILE_NEW, false, FALSE, FALSE, TRUE, 0},
        UpdateCase{"RangeUpdateSeesItsId", kFirstRecent + 4, false, TRUE, TRUE, TRUE, 1},
        UpdateCase{"OutsideUpdateRangeUsesCommandRange", kFirstRecent + 10, false, TRUE, FALSE,
                   TRUE, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CmdUi, RadioAndTextAreRecorded)
{
    CCmdUI ui;
    EXPECT_FALSE(ui.GetText().has_value());
    ui.SetRadio(TRUE);
    ui.SetText("&Individuals");
    EXPECT_TRUE(ui.IsRadio());
    EXPECT_EQ(ui.GetCheck(), 1);
    EXPECT_EQ(ui.GetText(), "&Individuals");
    ui.SetCheck(0);
    EXPECT_FALSE(ui.IsRadio());
}

} // namespace
