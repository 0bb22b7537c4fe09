// tests/common/text_forms_test.cpp: the text forms of fonts and rectangles.
#include "common/font_text.h"
#include "common/rect_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT SampleFont()
{
    LOGFONT font;
    font.lfHeight = -13;
    font.lfWidth = 7;
    font.lfEscapement = 900;
    font.lfOrientation = -900;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfUnderline = 0;
    font.lfStrikeOut = 1;
    font.lfCharSet = OEM_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = 2;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(font.lfFaceName, "Liberation Sans");
    return font;
}

TEST(FontTextTest, WritesFourteenFieldsInTheirOrder)
{
    EXPECT_EQ(FontToText(SampleFont()), "-13,7,900,-900,700,1,0,1,255,4,2,2,34,Liberation Sans");
}

TEST(FontTextTest, ReadsBackWhatItWrote)
{
    LOGFONT font;
    TextToFont(FontToText(SampleFont()), font);
    EXPECT_EQ(FontToText(font), FontToText(SampleFont()));
}

TEST(FontTextTest, MissingFieldsReadZeroAndFaceKeepsItsCommas)
{
    LOGFONT font = SampleFont();
    TextToFont("-20,x,3", font);
    EXPECT_EQ(FontToText(font), "-20,0,3,0,0,0,0,0,0,0,0,0,0,");
    TextToFont("1,2,3,4,5,6,7,8,9,10,11,12,13,Face, with comma", font);
    EXPECT_STREQ(font.lfFaceName, "Face, with comma");
}

TEST(FontTextTest, FaceNameIsCutToThirtyOneBytesWithoutSplittingACharacter)
{
    LOGFONT font;
    TextToFont("0,0,0,0,0,0,0,0,0,0,0,0,0," + std::string(40, 'F'), font);
    EXPECT_EQ(std::string(font.lfFaceName), std::string(31, 'F'));
    TextToFont("0,0,0,0,0,0,0,0,0,0,0,0,0," + std::string(30, 'F') + "\xC3\xA9", font);
    EXPECT_EQ(std::string(font.lfFaceName), std::string(30, 'F'));
}

TEST(RectTextTest, WritesTopLeftBottomRight)
{
    EXPECT_EQ(RectToText(CRect(1, 2, 3, 4)), "{2,1,4,3}");
    EXPECT_EQ(RectToText(CRect(-5, 0, 10, -1)), "{0,-5,-1,10}");
}

struct RectCase {
    const char* text;
    bool ok;
    CRect rect;
};

class TextToRectTest : public testing::TestWithParam<RectCase> {};

TEST_P(TextToRectTest, ReadsTheRectangleText)
{
    CRect rect(9, 9, 9, 9);
    EXPECT_EQ(TextToRect(GetParam().text, rect), GetParam().ok);
    EXPECT_EQ(rect, GetParam().rect);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToRectTest,
                         testing::Values(RectCase{"{2,1,4,3}", true, CRect(1, 2, 3, 4)},
                                         RectCase{"  {10,20,30,40}", true, CRect(20, 10, 40, 30)},
                                         RectCase{"{-1, -2,-3,-4}", true, CRect(-2, -1, -4, -3)},
                                         RectCase{"5,6,7,8", true, CRect(6, 5, 8, 7)},
                                         RectCase{"{1,2,3}", false, CRect()},
                                         RectCase{"", false, CRect()},
                                         RectCase{"{a,b,c,d}", false, CRect()}));

} // namespace
