// tests/records/grid/rec_wnd_options_test.cpp: the Record Window options read from an empty and
// a hostile profile, written back, and their defaults by section.
#include "records/grid/rec_wnd_options.h"

#include "platform/base/app_profile.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

namespace {

class RecWndOptionsTest : public record_test::CRecordTest {
protected:
    CAppProfile m_profile{"OptionsMaker", "OptionsTest"};

    void TearDown() override
    {
        m_profile.WriteProfileString(kRecWndOptionsSection, nullptr, nullptr);
        m_profile.WriteProfileString(kRecWndColoursSection, nullptr, nullptr);
        CRecordTest::TearDown();
    }
};

TEST_F(RecWndOptionsTest, AnEmptyProfileGivesTheDefaults)
{
    CRecWndOptions options;
    EXPECT_FALSE(options.m_loaded);
    // The display choices hold the profile defaults before any load.
    const std::array<int, 9> expected = {0, 2, 0, 0, 1, 1, 1, 2, 2};
    EXPECT_EQ(options.m_displayChoice, expected);
    options.Load(m_profile);
    EXPECT_TRUE(options.m_loaded);
    EXPECT_TRUE(options.m_surnamesFirst);
    EXPECT_TRUE(options.m_showPedigree);
    EXPECT_EQ(options.m_displayChoice, expected);
    EXPECT_EQ(options.m_showSpouse, 1);
    EXPECT_EQ(options.m_showChild, 2);
    EXPECT_EQ(options.m_showFamilyAsSpouse, 2);
    EXPECT_EQ(options.m_showFamilyAsChild, 2);
    EXPECT_EQ(options.GetColour(1), RGB(32, 72, 157));
    EXPECT_EQ(options.GetColour(12), RGB(255, 255, 191));
    EXPECT_STREQ(options.m_colours[12].name, "Source - background");
    EXPECT_EQ(options.GetColour(kColourMessagePrompt), RGB(153, 153, 153));
    EXPECT_STREQ(options.m_colours[kColourMessagePrompt].name, "Message Prompt");
}

TEST_F(RecWndOptionsTest, AHostileProfileKeepsTheDefaultOfEachBadValue)
{
    struct IntKey {
        const char* key;
        int value;
    };
    for (const IntKey& k : {IntKey{"Surnames First", 0}, IntKey{"Show Pedigree", 5},
                            IntKey{"Show Spouse Opt", 7}, IntKey{"Show Child Opt", 0},
                            IntKey{"Show Family As Spouse Opt", -3}, IntKey{"Families", 7},
                            IntKey{"Notes", 2}, IntKey{"Individuals", 2}, IntKey{"Headers", 0}})
        m_profile.WriteProfileInt(kRecWndOptionsSection, k.key, k.value);
    m_profile.WriteProfileString(kRecWndOptionsSection, "Sources", "x");
    const struct {
        const char* name;
        const char* text;
    } colours[] = {{"Individual - tag label", "300,x,"},
                   {"Family - tag label", "1,2"},
                   {"Note - tag label", "1,2,3,4"},
                   {"Source - tag label", "10, 20,30"},
                   {"Object - tag label", ""}};
    for (const auto& c : colours)
        m_profile.WriteProfileString(kRecWndColoursSection, c.name, c.text);
    m_profile.WriteProfileInt(kRecWndColoursSection, "Individual - record-transparent", 1);

    CRecWndOptions options;
    options.Load(m_profile);
    EXPECT_FALSE(options.m_surnamesFirst);
    EXPECT_TRUE(options.m_showPedigree); // 5 is out of range
    EXPECT_EQ(options.m_showSpouse, 1);  // 7 is out of range
    EXPECT_EQ(options.m_showChild, 0);
    EXPECT_EQ(options.m_showFamilyAsSpouse, 2);
    EXPECT_EQ(options.m_displayChoice[0], 0); // "Individuals" is never read
    EXPECT_EQ(options.m_displayChoice[1], 2); // 7: the default
    EXPECT_EQ(options.m_displayChoice[2], 2);
    EXPECT_EQ(options.m_displayChoice[3], 0); // unreadable: the default
    EXPECT_EQ(options.m_displayChoice[8], 0);
    EXPECT_EQ(options.GetColour(1), RGB(32, 72, 157));
    EXPECT_EQ(options.GetColour(4), RGB(128, 64, 0));
    EXPECT_EQ(options.GetColour(7), RGB(0, 128, 0));
    EXPECT_EQ(options.GetColour(10), RGB(10, 20, 30));
    EXPECT_EQ(options.GetColour(23), RGB(143, 37, 131));
    EXPECT_FALSE(options.m_colours[0].transparent); // rows that may not be transparent
}

TEST_F(RecWndOptionsTest, SaveWritesEveryKeyButIndividualsAndLoadReadsThemBack)
{
    CRecWndOptions options;
    options.m_surnamesFirst = false;
    options.m_showChild = 1;
    options.m_displayChoice[4] = 2;
    options.m_colours[2].colour = RGB(1, 2, 3);
    options.Save(m_profile);

    EXPECT_EQ(m_profile.GetProfileInt(kRecWndOptionsSection, "Individuals", -1), UINT(-1));
    EXPECT_EQ(m_profile.GetProfileString(kRecWndColoursSection, "Individual - tag value"), "1,2,3");
    for (const RecWndColour& row : options.m_colours)
        EXPECT_EQ(m_profile.GetProfileInt(kRecWndColoursSection,
                                          (std::string(row.name) + "-transparent").c_str(), -1),
                  0u)
            << row.name;

    CRecWndOptions read;
    read.Load(m_profile);
    EXPECT_FALSE(read.m_surnamesFirst);
    EXPECT_EQ(read.m_showChild, 1);
    EXPECT_EQ(read.m_displayChoice, options.m_displayChoice);
    EXPECT_EQ(read.GetColour(2), RGB(1, 2, 3));
}

TEST_F(RecWndOptionsTest, DefaultsBySectionLeaveTheOthers)
{
    CRecWndOptions options;
    options.m_displayChoice[2] = 2;
    options.m_colours[5].colour = RGB(9, 9, 9);
    options.m_surnamesFirst = false;
    options.m_showSpouse = 0;
    options.SetDefaults(CRecWndOptions::kColours);
    EXPECT_EQ(options.GetColour(5), RGB(128, 64, 0));
    EXPECT_EQ(options.m_displayChoice[2], 2);
    EXPECT_FALSE(options.m_surnamesFirst);
    options.SetDefaults(CRecWndOptions::kNames);
    EXPECT_TRUE(options.m_surnamesFirst);
    EXPECT_EQ(options.m_showSpouse, 0);
    options.SetDefaults(CRecWndOptions::kBackLinks);
    EXPECT_EQ(options.m_showSpouse, 1);

    COLORREF record = 0, label = 0, value = 0;
    ASSERT_TRUE(options.GetTypeColours(4, record, label, value)); // repositories, after the
    EXPECT_EQ(label, RGB(128, 128, 0));                           // sources' background
    EXPECT_FALSE(options.GetTypeColours(9, record, label, value));
}

} // namespace
