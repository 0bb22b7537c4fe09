// tests/controls/colour_chooser_test.cpp: the chooser assigns each choice at once and shows
// it, Cancel puts every element back with one repaint, and the custom colours are kept in the
// profile only when asked.
#include "controls/colour_chooser.h"

#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/sys_metrics.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 180, 0), kBlue = RGB(0, 0, 200);
constexpr COLORREF kBox = RGB(255, 255, 200), kLine = RGB(0, 0, 0), kText = RGB(0, 0, 128);

CustomColours Greys()
{
    CustomColours greys{};
    for (int i = 0; i < 16; ++i)
        greys[std::size_t(i)] = RGB(BYTE(255 - 16 * i), BYTE(255 - 16 * i), BYTE(255 - 16 * i));
    return greys;
}

std::string Key(int index)
{
    return "Custom Colour " + std::to_string(index + 1);
}

/// Records the colours of every Apply; resets to fixed colours.
class Sink : public IColourSink {
public:
    std::vector<std::vector<COLORREF>> applied;

    void Apply(const ColourItem* items, int count) override
    {
        std::vector<COLORREF> colours;
        for (int i = 0; i < count; ++i)
            colours.push_back(items[i].transparent ? kTransparent : items[i].colour);
        applied.push_back(colours);
    }
    void ResetToInstallationSettings(ColourItem* items, int count) override
    {
        for (int i = 0; i < count; ++i) {
            items[i].colour = kGreen;
            items[i].transparent = false;
        }
    }

    static constexpr COLORREF kTransparent = 0xFF000000;
};

class ColourChooserTest : public testing::Test {
protected:
    void SetUp() override
    {
        controls_test::UseCompiledResources();
        GetCustomColours() = Greys();
        ASSERT_TRUE(InitColourChooser());
    }
    void TearDown() override { GetCustomColours() = Greys(); }

    /// Runs the chooser with the driver; the result of ChooseColours.
    BOOL Run(const std::function<void(CDialog&)>& driver, bool showDefaults = false,
             bool* defaults = nullptr)
    {
        TestHooks::OnNextDialog(IDD_COLOUR_CHOOSER, driver);
        return ChooseColours(nullptr, m_items, 3, &m_sink, showDefaults, defaults);
    }

    ColourItem m_items[3] = {{false, kBox, "Box", false, false},
                             {false, kLine, "Line", true, false},
                             {true, kText, "Text", true, true}};
    Sink m_sink;
    CWinApp m_app{"ColourChooserTest"};
};

/// The colour in the middle of the sample.
COLORREF SampleColour(CDialog& dialog)
{
    CRect sample;
    dialog.GetDlgItem(IDC_COLOUR_SAMPLE)->GetWindowRect(&sample);
    dialog.ScreenToClient(&sample);
    return TestHooks::RenderWindow(dialog).Pixel(sample.CenterPoint().x, sample.CenterPoint().y);
}

void Choose(CDialog& dialog, int item, COLORREF colour)
{
    TestHooks::SelectItem(dialog, IDC_COLOUR_ITEMS, item);
    static_cast<CColorDialog&>(dialog).SetCurrentColor(colour);
    TestHooks::Click(dialog, IDOK);
}

TEST_F(ColourChooserTest, AChoiceIsAssignedAndShownAtOnceAndTheDialogStaysOpen)
{
    const BOOL ok = Run([this](CDialog& dialog) {
        EXPECT_EQ(SampleColour(dialog), kBox) << "the first item starts selected";
        Choose(dialog, 1, kRed);
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_EQ(m_items[1].colour, kRed);
        EXPECT_EQ(SampleColour(dialog), kRed);
        EXPECT_EQ(m_sink.applied,
                  (std::vector<std::vector<COLORREF>>{{kBox, kRed, Sink::kTransparent}}));
        TestHooks::RenderWindow(dialog).SavePng("colour_chooser.png");
        TestHooks::Click(dialog, IDC_COLOURS_OK);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(m_items[1].colour, kRed);
    EXPECT_EQ(m_sink.applied.size(), 1u);
}

TEST_F(ColourChooserTest, CancelRestoresEveryElementAndRepaintsOnce)
{
    const BOOL ok = Run([](CDialog& dialog) {
        Choose(dialog, 0, kRed);
        Choose(dialog, 1, kGreen);
        Choose(dialog, 2, kBlue); // also clears "Transparent"
        TestHooks::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(ok);
    const ColourItem restored[3] = {{false, kBox, "", false, false},
                                    {false, kLine, "", true, false},
                                    {true, kText, "", true, true}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_items[i].colour, restored[i].colour) << i;
        EXPECT_EQ(m_items[i].transparent, restored[i].transparent) << i;
    }
    ASSERT_EQ(m_sink.applied.size(), 4u);
    EXPECT_EQ(m_sink.applied.back(), (std::vector<COLORREF>{kBox, kLine, Sink::kTransparent}));

    m_sink.applied.clear();
    EXPECT_FALSE(Run([](CDialog& dialog) { TestHooks::Click(dialog, IDCANCEL); }));
    EXPECT_TRUE(m_sink.applied.empty()) << "nothing changed, nothing to repaint";
}

TEST_F(ColourChooserTest, ControlsFollowTheSelectedElement)
{
    Run([this](CDialog& dialog) {
        struct Row {
            int item;
            bool transparentEnabled, transparentChecked, labelEnabled;
            COLORREF sample;
        };
        const Row rows[] = {{0, false, false, true, kBox},
                            {1, true, false, true, kLine},
                            {2, true, true, false, GetSysColor(COLOR_3DFACE)}};
        for (const Row& row : rows) {
            TestHooks::SelectItem(dialog, IDC_COLOUR_ITEMS, row.item);
            EXPECT_EQ(dialog.GetDlgItem(IDC_COLOUR_TRANSPARENT)->IsWindowEnabled() != FALSE,
                      row.transparentEnabled)
                << row.item;
            EXPECT_EQ(dialog.IsDlgButtonChecked(IDC_COLOUR_TRANSPARENT) != 0,
                      row.transparentChecked)
                << row.item;
            EXPECT_EQ(dialog.GetDlgItem(IDC_COLOUR_LABEL)->IsWindowEnabled() != FALSE,
                      row.labelEnabled)
                << row.item;
            EXPECT_EQ(SampleColour(dialog), row.sample) << row.item;
        }
        TestHooks::Click(dialog, IDC_COLOUR_TRANSPARENT); // the third item becomes opaque
        EXPECT_FALSE(m_items[2].transparent);
        EXPECT_EQ(SampleColour(dialog), kText);
        TestHooks::Click(dialog, IDC_INSTALLATION_COLOURS);
        EXPECT_EQ(m_items[0].colour, kGreen);
        EXPECT_EQ(SampleColour(dialog), kGreen);
        EXPECT_EQ(m_sink.applied.size(), 2u);
        TestHooks::Click(dialog, IDC_COLOURS_OK);
    });
}

TEST_F(ColourChooserTest, CustomColoursAddedStayOnlyWhenKeptWithOk)
{
    struct Row {
        const char* name;
        bool clearSave;
        int closeWith;
        bool kept;
    };
    const Row rows[] = {{"kept", false, IDC_COLOURS_OK, true},
                        {"save cleared", true, IDC_COLOURS_OK, false},
                        {"cancelled", false, IDCANCEL, false}};
    for (const Row& row : rows) {
        GetCustomColours() = Greys();
        m_app.WriteProfileString("Custom Colours", nullptr, nullptr);
        Run([&row](CDialog& dialog) {
            static_cast<CColorDialog&>(dialog).SetCurrentColor(kRed);
            TestHooks::Click(dialog, IDC_ADD_CUSTOM_COLOUR);
            if (row.clearSave)
                TestHooks::Click(dialog, IDC_SAVE_CUSTOM_COLOURS);
            TestHooks::Click(dialog, row.closeWith);
        });
        EXPECT_EQ(GetCustomColours()[0], row.kept ? kRed : RGB(255, 255, 255)) << row.name;
        EXPECT_EQ(m_app.GetProfileString("Custom Colours", "Custom Colour 1"),
                  row.kept ? "220,0,0" : "")
            << row.name;
    }
}

TEST_F(ColourChooserTest, SaveAsDefaultsShowsOnlyWhenAskedAndIsPassedOut)
{
    struct Row {
        bool show, start, click;
        bool visible, result;
    };
    const Row rows[] = {{false, true, false, false, true}, // hidden: the flag stays
                        {true, true, false, true, true},
                        {true, false, true, true, true},
                        {true, true, true, true, false}};
    for (const Row& row : rows) {
        bool flag = row.start;
        Run(
            [&row](CDialog& dialog) {
                EXPECT_EQ(dialog.GetDlgItem(IDC_SAVE_AS_DEFAULTS)->IsWindowVisible() != FALSE,
                          row.visible);
                if (row.click)
                    TestHooks::Click(dialog, IDC_SAVE_AS_DEFAULTS);
                TestHooks::Click(dialog, IDC_COLOURS_OK);
            },
            row.show, &flag);
        EXPECT_EQ(flag, row.result) << row.show << row.start << row.click;
    }
}

TEST_F(ColourChooserTest, StoredCustomColoursAreReadAtStartUp)
{
    const std::pair<int, const char*> stored[] = {
        {2, "10,20,30"}, {3, "10,20"}, {4, ""}, {5, "300,-4,7"}};
    for (const auto& [index, value] : stored)
        m_app.WriteProfileString("Custom Colours", Key(index).c_str(), value);
    ASSERT_TRUE(InitColourChooser());
    CustomColours expected = Greys();
    expected[2] = RGB(10, 20, 30);
    expected[3] = RGB(0, 0, 0);   // too few numbers
    expected[5] = RGB(255, 0, 7); // each limited to 0 to 255
    EXPECT_EQ(GetCustomColours(), expected);

    GetCustomColours()[15] = RGB(1, 2, 3);
    SaveCustomColours();
    EXPECT_EQ(m_app.GetProfileString("Custom Colours", "Custom Colour 16"), "1,2,3");
    EXPECT_EQ(m_app.GetProfileString("Custom Colours", "Custom Colour 1"), "255,255,255");
    m_app.WriteProfileString("Custom Colours", nullptr, nullptr);
}

} // namespace
