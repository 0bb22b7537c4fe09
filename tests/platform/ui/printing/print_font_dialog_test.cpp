// tests/platform/ui/printing/print_font_dialog_test.cpp: the font dialog's answer: the size in
// points that a height shows as, effects taken only when offered, and Cancel leaving the font.
#include "platform/ui/dialogs/font_dialog.h"
#include "platform/ui/windows/test_hooks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT Font(LONG height, BYTE underline = 0)
{
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline;
    std::strcpy(font.lfFaceName, "Arial");
    return font;
}

struct SizeCase {
    const char* name;
    LONG height;
    int tenths;
};

class FontDialogSize : public testing::TestWithParam<SizeCase> {};

TEST_P(FontDialogSize, IsTheHeightInWholePoints)
{
    const LOGFONT start = Font(-16);
    CFontDialog dialog(&start, CF_EFFECTS | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    TestHooks::AnswerFont(Font(GetParam().height));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetSize(), GetParam().tenths);
    EXPECT_EQ(dialog.m_lf.lfHeight, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontDialogSize,
                         testing::Values(SizeCase{"TenPoints", -13, 100},
                                         SizeCase{"TwelvePoints", -16, 120},
                                         SizeCase{"EightPoints", -11, 80}),
                         [](const testing::TestParamInfo<SizeCase>& info) {
                             return info.param.name;
                         });

TEST(FontDialog, EffectsAreTakenOnlyWhenOffered)
{
    const LOGFONT start = Font(-13);
    CFontDialog plain(&start, CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    TestHooks::AnswerFont(Font(-16, 1));
    ASSERT_EQ(plain.DoModal(), IDOK);
    EXPECT_EQ(plain.m_lf.lfUnderline, 0);

    CFontDialog effects(&start, CF_EFFECTS | CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT);
    TestHooks::AnswerFont(Font(-16, 1));
    ASSERT_EQ(effects.DoModal(), IDOK);
    EXPECT_EQ(effects.m_lf.lfUnderline, 1);
}

TEST(FontDialog, CancelLeavesTheFontAndItsSize)
{
    const LOGFONT start = Font(-13);
    CFontDialog dialog(&start, CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
    TestHooks::AnswerFont(std::nullopt);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    LOGFONT current;
    dialog.GetCurrentFont(&current);
    EXPECT_EQ(current.lfHeight, -13);
    EXPECT_EQ(dialog.GetSize(), 100);
}

} // namespace
