// tests/platform/ui/resources/dialog_template_test.cpp: dialog units to pixels, and the base units
// that the template fonts give on the offscreen screen.
#include "platform/ui/resources/dialog_template.h"
#include "platform/ui/resources/resources.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT Font(const char* face, LONG height, LONG weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

} // namespace

TEST(MapDialogRect, ScalesEachEdgeAndTruncatesTowardZero)
{
    struct Case {
        CRect units;
        CSize base;
        CRect pixels;
    };
    const Case cases[] = {
        {{0, 0, 299, 13}, {6, 13}, {0, 0, 448, 21}}, // 448.5 and 21.1 are cut
        {{0, 0, 50, 14}, {6, 12}, {0, 0, 75, 21}},   // the usual button
        {{7, 9, 55, 17}, {6, 12}, {10, 13, 82, 25}}, // each edge is scaled, not the size
        {{-3, -5, 1, 1}, {6, 13}, {-4, -8, 1, 1}},   // -4.5 and -8.1 toward zero
        {{10, 10, 20, 20}, {0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        RECT rect = c.units;
        MapDialogRect(c.base, rect);
        EXPECT_EQ(CRect(rect), c.pixels)
            << c.units.left << "," << c.units.top << "," << c.units.right << "," << c.units.bottom;
    }
}

TEST(DialogTemplate, FontIsMeasuredAtNinetySixDpi)
{
    CDialogTemplate dialog;
    dialog.m_pointSize = 8;
    dialog.m_faceName = "MS Sans Serif";
    LOGFONT lf = dialog.GetFont();
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");

    dialog.m_pointSize = 9;
    dialog.m_weight = FW_BOLD;
    dialog.m_italic = true;
    lf = dialog.GetFont();
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);

    const LOGFONT system = CDialogTemplate().GetFont(); // no FONT line: System at 10 points
    EXPECT_EQ(system.lfHeight, -13);
    EXPECT_STREQ(system.lfFaceName, "System");
}

TEST(DialogTemplate, BaseUnitsOfTheDialogFont)
{
    struct Case {
        LOGFONT font;
        CSize units;
    };
    const Case cases[] = {
        {Font("Liberation Sans", -11), {6, 12}},
        {Font("Liberation Sans", -11, FW_BOLD), {7, 12}},
        {Font("MS Sans Serif", -11), {6, 12}}, // stands in as Liberation Sans
        {Font("MS Sans Serif", -11, FW_BOLD), {7, 12}},
        {Font("System", -13, FW_BOLD), {8, 15}},
        {Font("Courier New", -13), {8, 15}}, // fixed pitch: the average width
    };
    for (const Case& c : cases) {
        const CSize units = GetDialogBaseUnits(c.font);
        EXPECT_EQ(units, c.units) << c.font.lfFaceName << " " << c.font.lfHeight << " "
                                  << c.font.lfWeight << ": " << units.cx << " x " << units.cy;
    }
}

TEST(DialogTemplate, PositiveHeightIsTheCellHeight)
{
    const CSize units = GetDialogBaseUnits(Font("Liberation Sans", 12));
    EXPECT_EQ(units, GetDialogBaseUnits(Font("Liberation Sans", -11)));
}

TEST(DialogTemplate, ButtonOfTheScriptFontInPixels)
{
    CResources resources;
    resources.AddScript("306 DIALOG 0, 0, 186, 56\nFONT 8, \"MS Sans Serif\"\nBEGIN\n"
                        "    DEFPUSHBUTTON \"OK\", 1, 75, 35, 50, 14\nEND\n",
                        "button.rc", ".");
    const CDialogTemplate* dialog = resources.FindDialog(306);
    ASSERT_NE(dialog, nullptr);
    const CSize base = GetDialogBaseUnits(dialog->GetFont());
    RECT rect = dialog->m_items.at(0).Rect();
    MapDialogRect(base, rect);
    EXPECT_EQ(CRect(rect), CRect(112, 52, 187, 73));
    RECT whole = dialog->Rect();
    MapDialogRect(base, whole);
    EXPECT_EQ(CRect(whole), CRect(0, 0, 279, 84));
}
