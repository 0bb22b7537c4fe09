// tests/controls/dialog_template_builder_test.cpp: a template's controls made inside a plain
// window: their pixel places, their borders and the font the units are measured with.
#include "controls/dialog_template_builder.h"
#include "platform/ui/resources/resources.h"

#include <gtest/gtest.h>

#include <cstring>

#include <memory>
#include <vector>

namespace {

constexpr const char* kScript = R"(
700 DIALOG 3, 5, 299, 13
STYLE DS_CONTROL | WS_CHILD
FONT 8, "MS Sans Serif"
BEGIN
    LTEXT           "Name:", 11, 4, 2, 30, 8
    EDITTEXT        12, 40, 1, 100, 12, ES_AUTOHSCROLL | NOT WS_BORDER
    PUSHBUTTON      "Go", 13, 150, 0, 40, 13
    LISTBOX         14, 200, 0, 90, 13, NOT WS_BORDER
END
)";

class DlgTemplateBuilderTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScript(kScript, "builder.rc", ".");
        SetAppResources(&m_resources);
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 100), nullptr, 0));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        SetAppResources(nullptr);
    }

    CResources m_resources;
    CWnd m_host;
};

TEST_F(DlgTemplateBuilderTest, UnitsTurnIntoPixelsTruncatingTowardZero)
{
    RECT rect{0, 0, 299, 13};
    MapDialogRect(CSize(6, 13), rect);
    EXPECT_EQ(448, rect.right);
    EXPECT_EQ(21, rect.bottom);

    LOGFONT font{};
    font.lfHeight = -13;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    const CDlgTemplateBuilder builder(700, &font);
    const CSize units = builder.GetBaseUnits();
    ASSERT_GT(units.cx, 0);
    RECT templateRect;
    builder.GetTemplateRect(templateRect);
    EXPECT_EQ(3 * units.cx / 4, templateRect.left);
    EXPECT_EQ(5 * units.cy / 8, templateRect.top);
    EXPECT_EQ(302 * units.cx / 4, templateRect.right);
    EXPECT_EQ(18 * units.cy / 8, templateRect.bottom);
}

TEST_F(DlgTemplateBuilderTest, MeasuresWithTheTemplateFontInBoldWhenGivenNone)
{
    const CDlgTemplateBuilder builder(700, nullptr);
    LOGFONT bold = m_resources.FindDialog(700)->GetFont();
    EXPECT_EQ(-11, bold.lfHeight); // 8 points at 96 pixels per inch
    bold.lfWeight = FW_BOLD;
    EXPECT_EQ(GetDialogBaseUnits(bold), builder.GetBaseUnits());
}

TEST_F(DlgTemplateBuilderTest, ControlsSitAtTheirItemRectangles)
{
    const CDlgTemplateBuilder builder(700, nullptr);
    std::vector<std::unique_ptr<CWnd>> controls;
    ASSERT_TRUE(builder.CreateControls(m_host, controls));
    ASSERT_EQ(4u, controls.size());
    for (int index = 0; index < 4; ++index) {
        RECT expected;
        builder.GetItemRect(index, expected);
        CRect actual;
        controls[static_cast<size_t>(index)]->GetWindowRect(&actual);
        m_host.ScreenToClient(&actual);
        EXPECT_EQ(CRect(expected), actual) << "item " << index;
        EXPECT_EQ(11 + index, controls[static_cast<size_t>(index)]->GetDlgCtrlID());
    }
}

TEST_F(DlgTemplateBuilderTest, OnlyEntryControlsGetTheClientEdge)
{
    const CDlgTemplateBuilder builder(700, nullptr);
    std::vector<std::unique_ptr<CWnd>> controls;
    ASSERT_TRUE(builder.CreateControls(m_host, controls));
    ASSERT_EQ(4u, controls.size());
    const DWORD expected[] = {0, WS_BORDER, 0, WS_BORDER};
    for (size_t index = 0; index < 4; ++index)
        EXPECT_EQ(expected[index], controls[index]->GetStyle() & WS_BORDER) << index;
    EXPECT_EQ(WS_EX_CLIENTEDGE, CDlgTemplateBuilder::ExStyleForClass("syslistview32"));
    EXPECT_EQ(0u, CDlgTemplateBuilder::ExStyleForClass("Static"));
}

TEST_F(DlgTemplateBuilderTest, MissingTemplateMakesNothing)
{
    const CDlgTemplateBuilder builder(701, nullptr);
    EXPECT_FALSE(builder.IsValid());
    RECT rect{1, 2, 3, 4};
    builder.GetTemplateRect(rect);
    EXPECT_EQ(CRect(), CRect(rect));
    std::vector<std::unique_ptr<CWnd>> controls;
    EXPECT_FALSE(builder.CreateControls(m_host, controls));
    EXPECT_TRUE(controls.empty());
}

} // namespace
