// tests/diagrams/window/rel_tree_titles_test.cpp: title blocks on the Diagram window's canvas
// (moved and resized with the mouse, kept by an ordinary diagram's defaults only), Title
// Options, Page Setup, Restore Installation Settings and Save As Custom Diagram.
#include "tests/diagrams/window/rel_tree_fixture.h"

#include "common/preferences.h"
#include "common/registry_values.h"
#include "diagrams/window/diag_save_custom_dlg.h"
#include "diagrams/window/diag_title_opts_dlg.h"
#include "platform/base/registry.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/windows/cmd_ui.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

using namespace rel_tree_test;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class RelTreeTitlesTest : public RelTreeFamilyTest {
protected:
    void TearDown() override
    {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, KEY_ALL_ACCESS, &key) ==
            ERROR_SUCCESS) {
            RegDeleteValue(key, "Custom Diagram Directory");
            RegCloseKey(key);
        }
        RelTreeFamilyTest::TearDown();
    }
    /// Title 1 shown around a point near the top of the client area.
    CDiagramTitle& ShowTitle()
    {
        CDiagramTitle& title = m_window->GetSettings().m_titles[0];
        const CPoint c = m_window->Viewport().ToDiagram(CPoint(400, 120));
        title.frame = CRect(c.x - 200, c.y + 100, c.x + 200, c.y - 100);
        title.visible = true;
        return title;
    }
    void Drag(CPoint from, CPoint to)
    {
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, from, MK_LBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::Move, to, MK_LBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, to, 0);
        TestHooks::DeliverPosted();
    }
    std::string UseCustomFolder()
    {
        const std::string folder = m_folder + "/custom";
        std::filesystem::create_directories(folder);
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, "", 0, KEY_ALL_ACCESS, nullptr,
                                 &key, nullptr),
                  ERROR_SUCCESS);
        RegSetString(key, "Custom Diagram Directory", "\"" + folder + "\"");
        RegCloseKey(key);
        return folder;
    }
};

TEST_F(RelTreeTitlesTest, ATitleDraggedMovesAndResizesAndOnlyAnOrdinaryDiagramKeepsIt)
{
    for (const char* custom : {"", "Mine"}) {
        SCOPED_TRACE(custom);
        m_defaults.Settings().CopySettings(m_savedDefaults, kSectionAll);
        ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kAncestorsAndDescendantsDiagram,
                                        false, custom));
        CDiagramTitle& title = ShowTitle();
        TestHooks::RenderWindow(*m_window);
        const CRect start = title.frame;
        const CPoint press = m_window->Viewport().ToDevice(start.CenterPoint());
        const CPoint release = press + CPoint(40, 20);
        const CPoint delta =
            m_window->Viewport().ToDiagram(release) - m_window->Viewport().ToDiagram(press);
        Drag(press, release);
        EXPECT_TRUE(m_window->Titles().IsSelected(0));
        CRect moved = start;
        moved.OffsetRect(delta.x, delta.y);
        EXPECT_EQ(title.frame, moved);
        const bool ordinary = *custom == '\0';
        EXPECT_EQ(m_defaults.Settings().m_titles[0].frame == moved, ordinary);

        // The top-left handle of the selected title follows the mouse.
        TestHooks::RenderWindow(*m_window);
        const CPoint corner =
            m_window->Viewport().ToDevice(CPoint(moved.left, moved.top)) + CPoint(1, 1);
        const CPoint to = corner - CPoint(30, 30);
        Drag(corner, to);
        const CPoint target = m_window->Viewport().ToDiagram(to);
        EXPECT_EQ(title.frame.left, target.x);
        EXPECT_EQ(title.frame.top, target.y);
        EXPECT_EQ(title.frame.right, moved.right);
        EXPECT_EQ(title.frame.bottom, moved.bottom);
        EXPECT_EQ(m_defaults.Settings().m_titles[0].frame == title.frame, ordinary);
    }
}

TEST_F(RelTreeTitlesTest, TitlesJoinTheSelectionByCtrlClickAndByTheStretchyBoxAndDeleteHidesThem)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    m_window->DeselectAll();
    CDiagramTitle& first = ShowTitle();
    CDiagramTitle& second = m_window->GetSettings().m_titles[1];
    second.frame = first.frame;
    second.frame.OffsetRect(0, -first.frame.Height() * 2);
    second.visible = true;
    const CPoint one = m_window->Viewport().ToDevice(first.frame.CenterPoint());
    const CPoint two = m_window->Viewport().ToDevice(second.frame.CenterPoint());
    const auto click = [&](CPoint at, UINT mk) {
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDown, at, mk | MK_LBUTTON);
        TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftUp, at, mk);
        TestHooks::DeliverPosted();
    };
    const auto selected = [&] {
        return std::vector<bool>{m_window->Titles().IsSelected(0),
                                 m_window->Titles().IsSelected(1)};
    };
    click(one, 0);
    EXPECT_EQ(selected(), (std::vector<bool>{true, false}));
    click(two, MK_CONTROL);
    EXPECT_EQ(selected(), (std::vector<bool>{true, true}));
    // A click on a title already selected leaves it alone in the selection.
    click(two, 0);
    EXPECT_EQ(selected(), (std::vector<bool>{false, true}));
    click(two, MK_CONTROL);
    EXPECT_EQ(selected(), (std::vector<bool>{false, false}));
    // A stretchy box around the first title, from empty space, selects it.
    CRect around = first.frame;
    around.InflateRect(40, -40);
    const CPoint from = m_window->Viewport().ToDevice(CPoint(around.left, around.top));
    const CPoint to = m_window->Viewport().ToDevice(CPoint(around.right, around.bottom));
    ASSERT_EQ(m_window->HitTest(from, nullptr, nullptr), kHitNothing);
    Drag(from, to);
    EXPECT_EQ(selected(), (std::vector<bool>{true, false}));
    // The Delete key hides every selected title and deletes no record.
    m_window->DeselectAll();
    click(one, MK_CONTROL);
    click(two, MK_CONTROL);
    ASSERT_TRUE(m_window->Document().Selection().Boxes().empty());
    const std::size_t people = GetRecordTypeRoot(RECORD_LIST_INDI)->CountChildren();
    TestHooks::PostKey(*m_window, VK_DELETE, 0);
    TestHooks::DeliverPosted();
    EXPECT_FALSE(first.visible);
    EXPECT_FALSE(second.visible);
    EXPECT_EQ(GetRecordTypeRoot(RECORD_LIST_INDI)->CountChildren(), people);
}

TEST_F(RelTreeTitlesTest, TitleOptionsNeedsOneTitleAndNoBox)
{
    for (const char* custom : {"", "Mine"}) {
        SCOPED_TRACE(custom);
        m_defaults.Settings().CopySettings(m_savedDefaults, kSectionAll);
        ASSERT_TRUE(
            m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false, custom));
        m_window->DeselectAll();
        ShowTitle();
        m_window->GetSettings().m_titles[1].visible = true;
        EXPECT_FALSE(Enabled(diagram_cmd::kTitleOptions));
        m_window->Titles().Select(0, true);
        m_window->Titles().Select(1, false);
        EXPECT_FALSE(Enabled(diagram_cmd::kTitleOptions));
        m_window->Titles().Select(0, true);
        EXPECT_TRUE(Enabled(diagram_cmd::kTitleOptions));
        m_window->SelectBox(BoxOf("ann"), false, false);
        EXPECT_FALSE(Enabled(diagram_cmd::kTitleOptions));
        m_window->DeselectBox(nullptr, false);
        ASSERT_TRUE(Enabled(diagram_cmd::kTitleOptions));
        TestHooks::OnNextDialog(CTitleOptsDlg::kTemplate, [](CDialog& dialog) {
            TestHooks::SetText(dialog, CTitleOptsDlg::kTextId, "  The Smiths ");
            TestHooks::Click(dialog, IDOK);
        });
        ASSERT_TRUE(Run(diagram_cmd::kTitleOptions));
        EXPECT_EQ(m_window->Settings().m_titles[0].text, "The Smiths");
        // Title Options makes the titles the defaults, a custom diagram's too.
        EXPECT_EQ(m_defaults.Settings().m_titles[0].text, "The Smiths");
        // Hide Title shares its command with Delete: with a title selected it hides the title
        // and deletes nothing.
        const std::size_t people = GetRecordTypeRoot(RECORD_LIST_INDI)->CountChildren();
        ASSERT_TRUE(Run(diagram_cmd::kHideTitle));
        EXPECT_FALSE(m_window->Settings().m_titles[0].visible);
        EXPECT_EQ(GetRecordTypeRoot(RECORD_LIST_INDI)->CountChildren(), people);
        EXPECT_FALSE(Enabled(diagram_cmd::kHideTitle)) << "nothing selected now";
    }
}

TEST_F(RelTreeTitlesTest, DoubleClickingATitleOpensItsOptions)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    m_window->SelectBox(BoxOf("ann"), true, false);
    ShowTitle();
    bool opened = false;
    TestHooks::OnNextDialog(CTitleOptsDlg::kTemplate, [&](CDialog& dialog) {
        opened = true;
        TestHooks::SetText(dialog, CTitleOptsDlg::kTextId, "Smith family");
        TestHooks::Click(dialog, IDOK);
    });
    TestHooks::PostMouse(*m_window, TestHooks::MouseEvent::LeftDoubleClick, CPoint(400, 120), 0);
    TestHooks::DeliverPosted();
    EXPECT_TRUE(opened);
    EXPECT_EQ(m_window->Settings().m_titles[0].text, "Smith family");
    EXPECT_TRUE(m_window->Document().Selection().Boxes().empty());
}

TEST_F(RelTreeTitlesTest, PageSetupMakesThePrintingSectionTheDefault)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    // Equal margins each way keep the page's proportions.
    for (double* margin :
         {&m_window->GetSettings().m_leftMargin, &m_window->GetSettings().m_rightMargin,
          &m_window->GetSettings().m_topMargin, &m_window->GetSettings().m_bottomMargin})
        *margin = 7.5;
    ASSERT_NE(m_defaults.Settings().m_leftMargin, 7.5);
    std::string caption;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        sheet.GetWindowText(caption);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Ok);
    });
    ASSERT_TRUE(Run(diagram_cmd::kPageSetup));
    EXPECT_EQ(caption, "Page Setup");
    EXPECT_EQ(m_defaults.Settings().m_leftMargin, m_window->Settings().m_leftMargin);
    EXPECT_EQ(m_defaults.Settings().m_pageWidth, m_window->Settings().m_pageWidth);
}

TEST_F(RelTreeTitlesTest, RestoreInstallationSettingsByAnswer)
{
    CDiagramSettings installed;
    installed.SetDefaultSettings(kSectionAll);
    struct Case {
        int answer;
        bool windowReset;
        bool defaultsReset;
    };
    for (const Case c :
         {Case{IDCANCEL, false, false}, Case{IDNO, true, false}, Case{IDYES, true, true}}) {
        SCOPED_TRACE(c.answer);
        m_defaults.Settings().m_minBoxWidth = installed.m_minBoxWidth + 11;
        ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
        m_window->GetSettings().m_minBoxWidth = installed.m_minBoxWidth + 22;
        TestHooks::AnswerMessageBox(c.answer);
        ASSERT_TRUE(Run(diagram_cmd::kRestoreInstallation));
        const auto shown = TestHooks::TakeMessages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].style & 0xF, UINT(MB_YESNOCANCEL));
        EXPECT_EQ(m_window->Settings().m_minBoxWidth,
                  installed.m_minBoxWidth + (c.windowReset ? 0 : 22));
        EXPECT_EQ(m_defaults.Settings().m_minBoxWidth,
                  installed.m_minBoxWidth + (c.defaultsReset ? 0 : 11));
        EXPECT_EQ(m_window->Settings().m_diagramType, kDescendantsDiagram);
        EXPECT_NE(BoxOf("ann"), nullptr);
    }
}

TEST_F(RelTreeTitlesTest, ACustomDiagramSavedAndReopenedHasTheSameSettings)
{
    const std::string folder = UseCustomFolder();
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    CDiagramSettings& settings = m_window->GetSettings();
    settings.m_minBoxWidth = 91;
    settings.m_pageWidth = 3333;
    ShowTitle().text = "Saved";
    TestHooks::OnNextDialog(CSaveCustomDiagramDlg::kTemplate, [](CDialog& dialog) {
        TestHooks::SetText(dialog, CSaveCustomDiagramDlg::kNameId, "Tall");
        TestHooks::Click(dialog, IDOK);
    });
    ASSERT_TRUE(Run(diagram_cmd::kSaveCustom));
    EXPECT_EQ(m_window->Document().CustomName(), "Tall");
    const std::string path = folder + "/Tall.dgm";
    ASSERT_TRUE(std::filesystem::exists(path));
    std::string title;
    m_window->GetTitle(title);
    EXPECT_EQ(title.rfind("\"Tall\" - ", 0), 0u) << title;

    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    EXPECT_NE(m_window->Settings().m_minBoxWidth, 91);
    ASSERT_TRUE(m_window->Custom().OpenCustomDiagram(path, m_people["john"], "Tall"));
    const std::string again = m_folder + "/again.dgm";
    ASSERT_TRUE(m_window->GetSettings().SaveSettingsToFile(again));
    EXPECT_EQ(ReadAll(again), ReadAll(path));
    EXPECT_EQ(m_window->Settings().m_titles[0].text, "Saved");
}

TEST_F(RelTreeTitlesTest, ARefusedCustomNameWritesNothingAnywhere)
{
    const std::string folder = UseCustomFolder();
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    const std::set<std::string> outside = FilesIn(m_folder);
    for (const std::string name : {"../Up", "a/b", "a\\b", "bell\x07", "what?", "..", "x<y"}) {
        SCOPED_TRACE(name);
        TestHooks::OnNextDialog(CSaveCustomDiagramDlg::kTemplate, [&](CDialog& dialog) {
            TestHooks::SetText(dialog, CSaveCustomDiagramDlg::kNameId, name);
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::Click(dialog, IDOK);
            EXPECT_TRUE(dialog.IsWindowVisible());
            TestHooks::Click(dialog, IDCANCEL);
        });
        ASSERT_TRUE(Run(diagram_cmd::kSaveCustom));
        EXPECT_EQ(TestHooks::TakeMessages().size(), 1u);
        EXPECT_TRUE(FilesIn(folder).empty());
        EXPECT_EQ(FilesIn(m_folder), outside);
        EXPECT_EQ(m_window->Document().CustomName(), "");
    }
}

TEST_F(RelTreeTitlesTest, ATitleShowsItsTemplateFilledInForTheRoot)
{
    struct Case {
        bool couple;
        const char* text;
        const char* shown; // empty: the root person's name follows the prefix
    };
    const Case cases[] = {
        {false, "Title", "Title"},
        {false, "Descendants of %INDI.NAME%", ""},
        {true, "Descendants of %INDI.NAME%", ""},
        {false, "%INDI.NOSUCHFIELD% 100%", "%INDI.NOSUCHFIELD% 100%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.couple)
            ASSERT_TRUE(m_window->RebuildTree(m_parents, false, kDescendantsDiagram, false));
        else
            ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
        ShowTitle().text = c.text;
        const std::string shown = m_window->Titles().Text(0);
        if (*c.shown) {
            EXPECT_EQ(shown, c.shown);
            continue;
        }
        EXPECT_EQ(shown.rfind("Descendants of John ", 0), 0u) << shown;
        EXPECT_EQ(shown.find('%'), std::string::npos) << shown;
    }
}

TEST_F(RelTreeTitlesTest, TheCanvasDrawsTheFilledInTitle)
{
    ASSERT_TRUE(m_window->BuildTree(m_people["john"], false, kDescendantsDiagram, false));
    CDiagramTitle& title = ShowTitle();
    title.text = "%INDI.NAME%";
    const std::string filled = m_window->Titles().Text(0);
    ASSERT_NE(filled, title.text);
    const TestHooks::Image templated = TestHooks::RenderWindow(*m_window);
    title.text = filled;
    const TestHooks::Image typed = TestHooks::RenderWindow(*m_window);
    EXPECT_EQ(templated.pixels, typed.pixels);
}

} // namespace
