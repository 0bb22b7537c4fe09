// tests/controls/window_text_test.cpp: wrapping text to a width as a device context measures
// it, and the window-text helpers.
#include "controls/window_text.h"

#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/dialog_test_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// The lines WrapTextToWidth takes from text at a width of `chars` times the width of "x" plus
/// one pixel, so that exactly that many of those characters fit.
std::vector<std::string> Wrap(const std::string& text, int chars)
{
    std::vector<std::string> lines;
    TestHooks::RenderDC(10, 10, [&](CDC& dc) {
        const int width = dc.GetTextExtent(std::string(std::size_t(chars), 'x')).cx;
        std::size_t position = 0;
        std::string line;
        while (WrapTextToWidth(dc, text, position, width, line) && lines.size() < 50)
            lines.push_back(line);
        EXPECT_EQ(position, text.size());
    });
    return lines;
}

using Lines = std::vector<std::string>;

TEST(WrapTextToWidthTest, LinesBreakAtBlanksLineEndsAndWhatFits)
{
    EXPECT_EQ(Wrap("xxx xxx xxx", 7), (Lines{"xxx xxx", "xxx"}));
    EXPECT_EQ(Wrap("xxx xxx", 40), (Lines{"xxx xxx"}));
    EXPECT_EQ(Wrap("xxxxxxxxxx", 4), (Lines{"xxxx", "xxxx", "xx"})) << "a word too long is cut";
    EXPECT_EQ(Wrap("xx\r\nxx\nxx\rxx", 40), (Lines{"xx", "xx", "xx", "xx"}));
    EXPECT_EQ(Wrap("xx\r\n\r\n   \r\n  xx", 40), (Lines{"xx", "  xx"}))
        << "empty and blank lines are passed over";
    EXPECT_EQ(Wrap("   \r\n  ", 40), Lines{});
    EXPECT_EQ(Wrap("", 40), Lines{});
    EXPECT_EQ(Wrap("xxx", 0), (Lines{"x", "x", "x"})) << "at least one character a line";
}

TEST(WrapTextToWidthTest, ALongLineIsLookedAtInPiecesAndKeepsWholeCharacters)
{
    const std::string longLine(6000, 'x');
    const Lines lines = Wrap(longLine, 10000);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 2500u);
    EXPECT_EQ(Wrap("\xC3\xA9\xC3\xA9\xC3\xA9", 1).size(), 3u) << "no character is cut in two";
}

using WindowTextTest = controls_test::DialogTest;

TEST_F(WindowTextTest, CombosFillTextsChangeAndDigitsRead)
{
    static constexpr int kCombo = 1103;
    static constexpr int kButton = 1524;
    CDialog dialog(320);
    TestHooks::OnNextDialog(320, [](CDialog& dlg) {
        const std::pair<int, const char*> pairs[] = {
            {kCombo, "one"}, {9999, "no such item"}, {kCombo, "two"}};
        FillDialogCombos(dlg, pairs);
        FillDialogCombos(dlg, pairs);
        auto* combo = dynamic_cast<CComboBox*>(dlg.GetDlgItem(kCombo));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->GetCount(), 2) << "a combo is emptied before its first pair";

        CWnd* button = dlg.GetDlgItem(kButton);
        SetWindowTextIfChanged(*button, "1987 and later");
        EXPECT_EQ(Text(dlg, kButton), "1987 and later");
        EXPECT_EQ(GetDlgItemDigits(dlg, kButton), 1987);
        SetWindowTextIfChanged(*button, "none");
        EXPECT_EQ(GetDlgItemDigits(dlg, kButton), 0);
        EXPECT_EQ(GetDlgItemDigits(dlg, 9999), 0);
        const std::string longText(300, '7');
        SetWindowTextIfChanged(*button, longText);
        EXPECT_EQ(Text(dlg, kButton), longText);
        EXPECT_GT(GetDlgItemDigits(dlg, kButton), 0) << "many digits stop before they overflow";
        TestHooks::Click(dlg, IDCANCEL);
    });
    dialog.DoModal();
}

} // namespace
