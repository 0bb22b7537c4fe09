// tests/diagrams/diagram_settings_test.cpp: the diagram settings block in custom diagram files
// and the profile: defaults, clamps, bad values, failed saves, sections and generation pairs.
#include "diagrams/diagram_settings.h"

#include "platform/base/app_profile.h"
#include "platform/base/prompt.h"
#include "platform/base/registry.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

class DiagramSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", test_support::NewFolder("config").c_str(), 1);
        RegReset();
        m_folder = test_support::NewFolder("dgm");
        test_support::Prompt().TakeMessages();
    }
    void TearDown() override { RegSetDenyWrites(false); }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    /// The settings loaded from a file holding content.
    CDiagramSettings LoadText(const std::string& content, const std::string& name = "in.dgm")
    {
        CDiagramSettings settings;
        settings.LoadSettingsFromFile(test_support::WriteFile(Path(name), content));
        return settings;
    }

    /// The text a block saves as: two blocks are the same when their texts are.
    std::string Saved(CDiagramSettings settings)
    {
        const std::string path = Path("saved.dgm");
        std::filesystem::remove(path);
        EXPECT_TRUE(settings.SaveSettingsToFile(path));
        return test_support::ReadFile(path);
    }

    CAppProfile m_profile{"Quorvane", "Ardenvel"};
    std::string m_folder;
};

TEST_F(DiagramSettingsTest, InstallationSettingsSaveAsTheGoldenFile)
{
    CDiagramSettings settings;
    settings.SetDefaultSettings(kSectionAll);
    EXPECT_EQ(Saved(settings),
              test_support::ReadFile(test_support::DataPath("expected/diagram_installation.dgm")));
}

TEST_F(DiagramSettingsTest, HandWrittenFileLoadsEveryFieldAndSavesBackUnchanged)
{
    const std::string file = test_support::DataPath("diagrams/every_field.dgm");
    CDiagramSettings settings;
    settings.LoadSettingsFromFile(file);
    EXPECT_EQ(settings.m_diagramType, kAncestorsAndDescendantsDiagram);
    EXPECT_EQ(settings.m_ancestorGenerations, 7);
    EXPECT_EQ(settings.m_descendantGenerations, 8);
    EXPECT_EQ(settings.m_colours[9].colour, RGB(1, 2, 3));
    EXPECT_FALSE(settings.m_colours[9].transparent);
    EXPECT_STREQ(settings.m_relationshipFont.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(settings.m_textScheme, "Compact");
    EXPECT_DOUBLE_EQ(settings.m_topMargin, 12.5);
    EXPECT_EQ(settings.m_titles[2].frame, CRect(-50, 60, 70, -80));
    EXPECT_EQ(settings.m_titles[3].text, "%INDI.NAME%");
    EXPECT_TRUE(settings.m_titles[3].backgroundColour.transparent);
    EXPECT_EQ(Saved(settings), test_support::ReadFile(file));

    CDiagramSettings again;
    again.LoadSettingsFromFile(Path("saved.dgm"));
    EXPECT_EQ(Saved(again), test_support::ReadFile(file));
}

TEST_F(DiagramSettingsTest, FileWithOnlyTheTypeLoadsEveryOtherValueAtItsDefault)
{
    const CDiagramSettings loaded = LoadText("[Diagram Options]\nContents=0\n");
    EXPECT_EQ(loaded.m_diagramType, kAncestorsDiagram);
    EXPECT_EQ(loaded.m_ancestorGenerations, 5);
    EXPECT_EQ(loaded.m_descendantGenerations, 5);
    EXPECT_TRUE(loaded.m_connect);

    CDiagramSettings expected;
    expected.SetDiagramType(kAncestorsDiagram);
    // A title without a text loads "Title"; only the installation values number them.
    for (CDiagramTitle& title : expected.m_titles)
        title.text = "Title";
    EXPECT_EQ(Saved(loaded), Saved(expected));
}

TEST_F(DiagramSettingsTest, PageSizeFollowsTheOrientationAndOriginsComeIntoThePage)
{
    struct Case {
        const char* values;
        int width, height, x, y;
    } const cases[] = {
        {"Page width=1000\nPage height=2000\nPrint landscape=1", 2000, 1000, 248, 0},
        {"Page width=1000\nPage height=2000\nPrint landscape=0", 1000, 2000, 248, 0},
        {"Page width=2000\nPage height=1000\nPrint landscape=0", 1000, 2000, 248, 0},
        {"Page x origin=5000", 2106, 1440, 788, 0},
        {"Page x origin=-5\nPage y origin=-1440", 2106, 1440, 0, 0},
        {"Page y origin=1440", 2106, 1440, 248, 0},
        {"Page x origin=2105\nPage y origin=2881", 2106, 1440, 2105, 1},
        // A page side of no practical size takes the built-in size.
        {"Page width=1\nPage height=0", 2106, 1440, 248, 0},
        {"Page width=-2106\nPage height=99", 2106, 1440, 248, 0},
        {"Page width=2000000000\nPage height=1440", 2106, 1440, 248, 0},
        // The built-in size takes the side's place before the sides follow the orientation.
        {"Page width=50\nPage height=1500\nPrint landscape=0", 1500, 2106, 248, 0},
    };
    for (const Case& c : cases) {
        const CDiagramSettings s = LoadText(std::string("[Diagram Options]\n") + c.values + "\n");
        EXPECT_EQ(s.m_pageWidth, c.width) << c.values;
        EXPECT_EQ(s.m_pageHeight, c.height) << c.values;
        EXPECT_EQ(s.m_pageXOrigin, c.x) << c.values;
        EXPECT_EQ(s.m_pageYOrigin, c.y) << c.values;
    }
}

TEST_F(DiagramSettingsTest, TitleFramesAreWidenedAndBadFramesTakeTheBuiltInOne)
{
    struct Case {
        const char* frame;
        CRect expected; // left, top, right, bottom
    } const cases[] = {
        {"{10,0,10,0}", {0, 19, 9, 10}},
        {"{200,-200,100,-100}", {-200, 200, -100, 100}},
        {"{1,2}", {-200, 200, -100, 100}},
        {"garbage", {-200, 200, -100, 100}},
        {"{2147483647,2147483647,2147483647,2147483647}",
         {100000000, 100000009, 100000009, 100000000}},
    };
    for (const Case& c : cases) {
        const CDiagramSettings s =
            LoadText(std::string("[Title Options 1]\nFrame=") + c.frame + "\n");
        EXPECT_EQ(s.m_titles[0].frame, c.expected) << c.frame;
    }
}

TEST_F(DiagramSettingsTest, MalformedColoursTakeBlackOrWhite)
{
    const CDiagramSettings s = LoadText("[Diagram Colours]\n"
                                        "Box - root=10,20\n"
                                        "Box - ancestor=300,-4,7 \n"
                                        "Text - male=\n"
                                        "Normal lines=x,y,z\n"
                                        "Text - female-transparent=1\n"
                                        "Box - proxy (child)-transparent=0\n"
                                        "[Title Options 2]\n"
                                        "Text Colour=5\n"
                                        "Background Colour=5,5\n"
                                        "Title background-transparent=1\n");
    EXPECT_EQ(s.m_colours[4].colour, RGB(0, 0, 0));
    EXPECT_EQ(s.m_colours[5].colour, RGB(255, 0, 7));
    EXPECT_EQ(s.m_colours[0].colour, RGB(128, 0, 64));
    EXPECT_EQ(s.m_colours[12].colour, RGB(0, 0, 0));
    EXPECT_FALSE(s.m_colours[1].transparent) << "a text colour is never transparent";
    EXPECT_FALSE(s.m_colours[9].transparent);
    EXPECT_TRUE(s.m_colours[10].transparent);
    EXPECT_EQ(s.m_titles[1].textColour.colour, RGB(0, 0, 0));
    EXPECT_EQ(s.m_titles[1].backgroundColour.colour, RGB(255, 255, 255));
    EXPECT_TRUE(s.m_titles[1].backgroundColour.transparent);
}

TEST_F(DiagramSettingsTest, ValuesNoPageAllowsAreBroughtIntoRange)
{
    const CDiagramSettings s = LoadText("[Diagram Options]\n"
                                        "Contents=7\n"
                                        "Duplicate Line=-1\n"
                                        "Min box width=0\n"
                                        "Rows per generation=1000000000\n"
                                        "Picture height=0\n"
                                        "Box margin side=90\n"
                                        "Button radius=0\n"
                                        "Box to box vert gap=99999999999\n"
                                        "Font=100000,0,0,0,400,0,0,0,0,3,2,1,34,Arial\n"
                                        "Relationship Text Font=12,0\n"
                                        "Top margin=1e400\n"
                                        "Left margin=75\n"
                                        "Right margin=-3\n"
                                        "Bottom margin=abc\n"
                                        "[Diagram Options - Ancestors]\n"
                                        "Ancestor Generations=0\n"
                                        "Descendant Generations=5000\n"
                                        "[Title Options 1]\n"
                                        "Margin X=-10\n"
                                        "Font=0,0,0,0,400,0,0,0,0,3,2,1,34,Arial\n");
    EXPECT_EQ(s.m_diagramType, kAllRelativesDiagram);
    EXPECT_EQ(s.m_duplicateLine, 1);
    EXPECT_EQ(s.m_minBoxWidth, 5) << "a width of 0 would divide by zero in the zoom";
    EXPECT_EQ(s.m_rowsPerGeneration, 50);
    EXPECT_EQ(s.m_pictureHeight, 1);
    EXPECT_EQ(s.m_boxMarginSide, 2) << "at most half the minimum box width";
    EXPECT_EQ(s.m_buttonRadius, 1);
    const int a = s.m_boxToBoxVertGap - s.m_buttonCentreToBoxVertGap - s.m_buttonRadius;
    const int c = s.m_boxToBoxVertGap - 2 * s.m_buttonRadius - s.m_sibLineToBoxVertGap - a;
    EXPECT_TRUE(a >= 0 && a <= 1000 && c >= 0 && c <= 1000) << a << " " << c;
    EXPECT_EQ(s.m_boxFont.lfHeight, 12);
    EXPECT_EQ(s.m_relationshipFont.lfHeight, 12);
    EXPECT_STREQ(s.m_relationshipFont.lfFaceName, "Arial") << "a short font text is refused";
    EXPECT_EQ(s.m_topMargin, 0.0);
    EXPECT_EQ(s.m_leftMargin, 40.0);
    EXPECT_EQ(s.m_rightMargin, 0.0);
    EXPECT_EQ(s.m_bottomMargin, 0.0);
    EXPECT_EQ(s.m_generations[0], (GenerationPair{1, 999}));
    EXPECT_EQ(s.m_titles[0].marginX, 0);
    EXPECT_EQ(s.m_titles[0].font.lfHeight, 12);
}

TEST_F(DiagramSettingsTest, RandomBytesLoadAsValuesThePagesAllow)
{
    std::mt19937 random(46);
    for (int round = 0; round < 50; ++round) {
        std::string bytes(std::size_t(random() % 3000), '\0');
        for (char& c : bytes)
            c = char(random() % 4 == 0 ? "[]=,\n{}-0123456789"[random() % 18] : random() % 256);
        const CDiagramSettings s =
            LoadText("[Diagram Options]\nMin box width=" + bytes + "\n" + bytes);
        EXPECT_GE(s.m_minBoxWidth, 5);
        EXPECT_GE(s.m_pageWidth, 100);
        EXPECT_GE(s.m_pageHeight, 100);
        EXPECT_TRUE(s.m_pageXOrigin >= 0 && s.m_pageXOrigin < s.m_pageWidth);
        EXPECT_TRUE(s.m_diagramType >= 0 && s.m_diagramType <= 3);
        EXPECT_GE(s.m_boxFont.lfHeight, 1);
    }
}

TEST_F(DiagramSettingsTest, AFailedSaveSaysWhyAndLeavesTheFile)
{
    const std::string path = test_support::WriteFile(Path("locked.dgm"), "[Diagram Options]\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    CDiagramSettings settings;
    EXPECT_EQ(settings.SaveSettingsToFile(path).failure,
              "Unable to save settings in file " + path + ".  The file is read-only.");
    EXPECT_EQ(test_support::ReadFile(path), "[Diagram Options]\n");

    // The system's reason, and a value no INI line can hold named with its key and section.
    const std::string nowhere = Path("no-such-folder/x.dgm");
    EXPECT_EQ(settings.SaveSettingsToFile(nowhere).failure,
              "Unable to save settings in file " + nowhere + ".  No such file or directory.");
    const std::string writable = test_support::WriteFile(Path("titles.dgm"), "");
    settings.m_titles[1].text = "Smith\r\nFamily";
    EXPECT_EQ(settings.SaveSettingsToFile(writable).failure,
              "Unable to save settings in file " + writable +
                  ".  The value of \"Text Template\" in [Title Options 2] holds a line break, "
                  "which an INI file cannot hold in a value.");
    EXPECT_EQ(test_support::ReadFile(writable), "");
}

TEST_F(DiagramSettingsTest, ProfileSaveIsCheckedAndLeavesNoProbeKey)
{
    CDiagramSettings settings;
    settings.m_textScheme = "Compact";
    settings.m_titles[1].text = "Smith family";
    ASSERT_TRUE(settings.SaveSettingsWrapper(m_profile, kSectionAll));
    EXPECT_EQ(m_profile.GetProfileString("Diagram Options", "Test", "none"), "none");

    CDiagramSettings loaded;
    loaded.LoadSettingsFromProfile(m_profile);
    EXPECT_EQ(Saved(loaded), Saved(settings));

    RegSetDenyWrites(true);
    settings.m_textScheme = "Name Only";
    EXPECT_EQ(settings.SaveSettingsWrapper(m_profile, kSectionTextScheme).failure,
              "Unable to save settings");
    RegSetDenyWrites(false);
    RegReset();
    EXPECT_EQ(m_profile.GetProfileString("Diagram Options", "Text Scheme"), "Compact");
}

TEST_F(DiagramSettingsTest, SavingRemovesAnOldProbeKeyAndWritesOnlyTheSectionAsked)
{
    const std::string path = test_support::WriteFile(
        Path("old.dgm"), "[Diagram Options]\nTest=1\nContents=1\nText Scheme=Compact\n");
    CDiagramSettings settings;
    settings.m_textScheme = "Name Only";
    ASSERT_TRUE(settings.SaveSettings(nullptr, path, kSectionTextScheme));
    EXPECT_EQ(test_support::ReadFile(path),
              "[Diagram Options]\nContents=1\nText Scheme=Name Only\n");
}

TEST_F(DiagramSettingsTest, CopyAndResetTouchOnlyTheirSection)
{
    CDiagramSettings source = LoadText("[Diagram Options]\nContents=0\nMin box width=150\n"
                                       "Font=20,0,0,0,700,0,0,0,0,3,2,1,34,Serif\n"
                                       "Spouse Option=0\nPage width=3000\n"
                                       "[Title Options 4]\nVisible=1\n");
    CDiagramSettings target;
    target.CopySettings(source, kSectionDimensions);
    EXPECT_EQ(target.m_minBoxWidth, 150);
    EXPECT_EQ(target.m_boxFont.lfHeight, 12);
    EXPECT_EQ(target.m_spouseOption, 2);
    target.CopySettings(source, kSectionGeneral);
    EXPECT_EQ(target.m_diagramType, kAncestorsDiagram);
    EXPECT_EQ(target.m_ancestorGenerations, 5);
    EXPECT_EQ(target.m_pageWidth, 2106);
    EXPECT_TRUE(target.CompareGeneralSettings(source, kSectionGeneral));
    EXPECT_FALSE(target.CompareGeneralSettings(source, kSectionColours));
    target.m_ancestorGenerations = 2; // the active counts are not compared
    EXPECT_TRUE(target.CompareGeneralSettings(source, kSectionGeneral));
    target.m_generations[3].descendants = 9;
    EXPECT_FALSE(target.CompareGeneralSettings(source, kSectionGeneral));

    source.SetDefaultSettings(kSectionDimensions);
    EXPECT_EQ(source.m_minBoxWidth, 75);
    EXPECT_EQ(source.m_boxFont.lfHeight, 12) << "resetting dimensions resets the font heights";
    EXPECT_STREQ(source.m_boxFont.lfFaceName, "Serif");
    source.SetDefaultSettings(kSectionGeneral);
    EXPECT_EQ(source.m_diagramType, kAncestorsDiagram) << "the type has no installation value";
    EXPECT_EQ(source.m_spouseOption, 2);
    source.SetDefaultSettings(kSectionTitles);
    EXPECT_EQ(source.m_titles[3].text, "Title 4");
    EXPECT_FALSE(source.m_titles[3].visible);
}

TEST_F(DiagramSettingsTest, ChangingTheTypeAndBackRestoresTheActiveCounts)
{
    CDiagramSettings s;
    s.SetDiagramType(kAncestorsDiagram);
    s.m_ancestorGenerations = 9;
    s.m_descendantGenerations = 1;
    s.SetDiagramType(kAncestorsAndDescendantsDiagram);
    EXPECT_EQ(s.m_ancestorGenerations, 3);
    s.SetDiagramType(kAncestorsDiagram);
    EXPECT_EQ(s.m_ancestorGenerations, 9);
    EXPECT_EQ(s.m_descendantGenerations, 1);
    s.SetDiagramType(4);
    EXPECT_EQ(s.m_diagramType, kAncestorsDiagram);
}

} // namespace
