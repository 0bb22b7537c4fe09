// tests/diagrams/window/rel_tree_commands_test.cpp: the window's commands with their update rules:
// toggles mirrored into the defaults for an ordinary diagram only, the spouse options greyed in an
// Ancestors diagram, titles toggled from the menu made the defaults, Refresh keeping the custom
// name, statistics, the properties opener, and typed box texts underlined on demand.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_sheet.h"

#include <algorithm>
#include <vector>

#include <array>

namespace {

using namespace rel_tree_test;

constexpr UINT kShowFrames = 32822, kShowButtons = 32823, kShowSpouses = 32808, kNoSpouses = 32790,
               kRefresh = 32811, kStatistics = 33043;

class RelTreeCommandsTest : public RelTreeFamilyTest {
protected:
    void TearDown() override
    {
        CRelTreeProperties::SetOpener(nullptr);
        RelTreeFamilyTest::TearDown();
    }
};

TEST_F(RelTreeCommandsTest, TogglesMirrorIntoTheDefaultsOfOrdinaryDiagramsOnly)
{
    struct Case {
        const char* custom;
        bool mirrored;
    };
    for (const Case c : {Case{"", true}, Case{"Mine", false}}) {
        SCOPED_TRACE(c.custom);
        m_defaults.Settings().CopySettings(m_savedDefaults, kSectionAll);
        ASSERT_TRUE(
            m_window->BuildTree(m_people["john"], true, kDescendantsDiagram, false, c.custom));
        const bool frames = m_window->Settings().m_showBoxes;
        const bool buttons = m_window->Settings().m_showExpansionButtons;
        ASSERT_TRUE(Run(kShowFrames));
        ASSERT_TRUE(Run(kShowButtons));
        EXPECT_EQ(m_window->Settings().m_showBoxes, !frames);
        EXPECT_EQ(m_window->Settings().m_showExpansionButtons, !buttons);
        EXPECT_EQ(m_defaults.Settings().m_showBoxes,
                  c.mirrored ? !frames : m_savedDefaults.m_showBoxes);
        EXPECT_EQ(m_defaults.Settings().m_showExpansionButtons,
                  c.mirrored ? !buttons : m_savedDefaults.m_showExpansionButtons);
        ASSERT_TRUE(Run(kNoSpouses));
        EXPECT_EQ(m_window->Settings().m_spouseOption, 0);
        EXPECT_EQ(m_defaults.Settings().m_spouseOption,
                  c.mirrored ? 0 : m_savedDefaults.m_spouseOption);
        // Ann and Bob stay in the diagram under their parents.
        EXPECT_NE(BoxOf("ann"), nullptr);
        ASSERT_TRUE(Run(kShowSpouses));
        EXPECT_EQ(m_window->Settings().m_spouseOption, 2);
        EXPECT_NE(BoxOf("mary"), nullptr);
    }
}

TEST_F(RelTreeCommandsTest, SpouseOptionsAreGreyInAnAncestorsDiagram)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["ann"], true, kAncestorsDiagram, false));
    const int option = m_window->Settings().m_spouseOption;
    EXPECT_FALSE(Run(kShowSpouses));
    EXPECT_FALSE(Run(kNoSpouses));
    EXPECT_EQ(m_window->Settings().m_spouseOption, option);
}

TEST_F(RelTreeCommandsTest, TitlesToggledFromTheMenuBecomeTheDefaultsCustomOrNot)
{
    for (const char* custom : {"X", ""}) {
        SCOPED_TRACE(custom);
        ASSERT_TRUE(
            m_window->BuildTree(m_people["john"], true, kAllRelativesDiagram, false, custom));
        const bool before = m_defaults.Settings().m_titles[1].visible;
        ASSERT_TRUE(Run(diagram_cmd::kTitle1 + 1));
        EXPECT_NE(m_window->Settings().m_titles[1].visible, before);
        EXPECT_EQ(m_defaults.Settings().m_titles[1].visible,
                  m_window->Settings().m_titles[1].visible);
    }
}

TEST_F(RelTreeCommandsTest, RefreshKeepsTheCustomNameAndFollowsTheRecords)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], true, kDescendantsDiagram, false, "X"));
    CIndRec* carl = NewIndividual(SEX_MALE, "Carl /Smith/");
    m_parents->LinkChild(carl, nullptr);
    ASSERT_TRUE(Run(kRefresh));
    std::string title;
    m_window->GetTitle(title);
    EXPECT_EQ(title.rfind("\"X\" - Descendants of ", 0), 0u) << title;
    m_people["carl"] = carl;
    EXPECT_NE(BoxOf("carl"), nullptr);
}

TEST_F(RelTreeCommandsTest, StatisticsCountNodesAndIndividuals)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    TestHooks::AnswerMessageBox(IDOK);
    ASSERT_TRUE(Run(kStatistics));
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind("Diagram contains ", 0), 0u) << shown[0].text;
    EXPECT_NE(shown[0].text.find("references 4 individuals."), std::string::npos) << shown[0].text;
}

TEST_F(RelTreeCommandsTest, DoubleClickAndPropertiesOpenTheBoxOnTheSelection)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    TestHooks::RenderWindow(*m_window);
    int opened = 0;
    CRelTreeProperties::SetOpener([&](const CRect*, CRelTreeProperties::Use use) {
        // Viewing a box: the diagram's own preferred size, not the drag-add one.
        EXPECT_EQ(use, CRelTreeProperties::Use::kView);
        ++opened;
    });
    ASSERT_TRUE(Run(diagram_cmd::kProperties));
    EXPECT_EQ(opened, 1);
    const CPoint ann = ClientCentre("ann");
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, ann, MK_LBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, ann, 0);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDoubleClick, ann, MK_LBUTTON);
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, ann, 0);
    TestHooks::DeliverPosted();
    EXPECT_EQ(opened, 2);
    ASSERT_EQ(m_window->Document().Selection().Boxes().size(), 1u);
    EXPECT_EQ(m_window->Document().Selection().Boxes()[0]->GetIndividual(), m_people["ann"]);
}

} // namespace

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeCommandsTest, OptionsSheetOpensOnTheWindowsSettings)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], true, kDescendantsDiagram, false));
    std::string caption;
    bool saveAsDefault = false;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        sheet.GetWindowText(caption);
        auto& options = dynamic_cast<CTreeOptsDlg&>(sheet);
        saveAsDefault = options.IsSaveAsDefault();
        EXPECT_EQ(&options.Edited(), &m_window->GetSettings());
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    ASSERT_TRUE(Run(diagram_cmd::kOptions));
    EXPECT_NE(caption.find("Diagram Options"), std::string::npos) << caption;
    EXPECT_TRUE(saveAsDefault);
    EXPECT_TRUE(m_window->HasTree());
}

TEST_F(RelTreeCommandsTest, ColoursAppliedRepaintTheBoxes)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["fred"], false, kDescendantsDiagram, false));
    std::array<DiagramColourEntry, kDiagramColourCount> entries{};
    for (int row = 0; row < kDiagramColourCount; ++row)
        entries[std::size_t(row)] = m_window->Settings().m_colours[std::size_t(row)];
    entries[kBoxDescendantRow].colour = RGB(0, 200, 0);
    m_window->Options().ApplyColours(entries.data(), kDiagramColourCount);
    const TestHooks::Image image = Render("colours.png");
    const CRect& box = BoxOf("ann")->Rect();
    const CPoint inside = m_window->Viewport().ToDevice(CPoint(box.left + 2, box.bottom + 2));
    EXPECT_EQ(image.Pixel(inside.x + 1, inside.y - 1), RGB(0, 200, 0));
    EXPECT_TRUE(m_window->Options().RelayoutDiagram(true));
    EXPECT_NE(BoxOf("ann"), nullptr);
}

} // namespace

namespace {

using namespace rel_tree_test;

TEST_F(RelTreeCommandsTest, OverrideTextAndMarkCommandsFollowTheSelection)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    EXPECT_FALSE(Run(diagram_cmd::kOverrideText));
    EXPECT_FALSE(Run(diagram_cmd::kSetMark));
    m_window->SelectBox(BoxOf("ann"), true, false);
    std::string shown;
    TestHooks::OnNextDialog(153, [&](CDialog& dialog) {
        dialog.GetDlgItem(1038)->GetWindowText(shown);
        TestHooks::SetText(dialog, 1038, "Annie\r\nthe elder");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_TRUE(Run(diagram_cmd::kOverrideText));
    EXPECT_NE(shown.find("Ann"), std::string::npos) << shown;
    ASSERT_NE(BoxOf("ann"), nullptr);
    EXPECT_TRUE(BoxOf("ann")->HasText());
    EXPECT_EQ(BoxOf("ann")->GetText().rfind("Annie", 0), 0u);
    ASSERT_TRUE(Run(diagram_cmd::kSetMark));
    EXPECT_FALSE(Run(diagram_cmd::kSetMark));
    ASSERT_TRUE(Run(diagram_cmd::kClearMark));
    EXPECT_FALSE(BoxOf("ann")->HasFlag(kElemMarked));
    // Bare line feeds, kept or typed, become carriage return and line feed pairs.
    BoxOf("ann")->SetText("Ann\nof\r\nYork");
    TestHooks::OnNextDialog(153, [&](CDialog& dialog) {
        dialog.GetDlgItem(1038)->GetWindowText(shown);
        TestHooks::SetText(dialog, 1038, "Annie\nthe\r\nelder\n");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_TRUE(Run(diagram_cmd::kOverrideText));
    EXPECT_EQ(shown, "Ann\r\nof\r\nYork");
    EXPECT_EQ(BoxOf("ann")->GetText(), "Annie\r\nthe\r\nelder\r\n");
    ASSERT_TRUE(Run(diagram_cmd::kClearOverride));
    EXPECT_FALSE(BoxOf("ann")->HasText());
    // Repeated ancestors are not offered in a Descendants diagram.
    EXPECT_FALSE(Run(diagram_cmd::kMarkRepeated));
}

TEST_F(RelTreeCommandsTest, UnderlineOverriddenTextMarksOnlyTypedTexts)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    BoxOf("ann")->SetText("Annie");
    // The pixels of a box, to compare renders.
    const auto pixels = [&](const TestHooks::Image& image, const std::string& key) {
        const CDiagElem* box = BoxOf(key);
        const CPoint a = m_window->Viewport().ToDevice(CPoint(box->Rect().left, box->Rect().top));
        const CPoint b =
            m_window->Viewport().ToDevice(CPoint(box->Rect().right, box->Rect().bottom));
        std::vector<COLORREF> inside;
        for (int y = std::max(0, a.y); y < std::min(image.height, b.y); ++y)
            for (int x = std::max(0, a.x); x < std::min(image.width, b.x); ++x)
                inside.push_back(image.Pixel(x, y));
        return inside;
    };
    const TestHooks::Image plain = TestHooks::RenderWindow(*m_window);
    EXPECT_FALSE(Checked(diagram_cmd::kUnderlineOverridden));
    ASSERT_TRUE(Run(diagram_cmd::kUnderlineOverridden));
    EXPECT_TRUE(Checked(diagram_cmd::kUnderlineOverridden));
    const TestHooks::Image underlined = Render("underlined.png");
    EXPECT_NE(pixels(plain, "ann"), pixels(underlined, "ann"));
    EXPECT_EQ(pixels(plain, "bob"), pixels(underlined, "bob"));
}

} // namespace
