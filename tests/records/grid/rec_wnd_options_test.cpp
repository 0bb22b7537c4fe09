// tests/records/grid/rec_wnd_options_test.cpp: the Record Window options read from an empty and
// a hostile profile, written back, each type's colours taken from its own keys, and the defaults
// restored by section.
#include "records/grid/rec_wnd_options.h"

#include "platform/base/app_profile.h"
#include "tests/database/records/record_test_support.h"

#include <gtest/gtest.h>

#include <string>

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

/// Every option of the two blocks, the loaded mark aside, is the same.
void ExpectSameOptions(const CRecWndOptions& got, const CRecWndOptions& expected)
{
    EXPECT_EQ(got.m_surnamesFirst, expected.m_surnamesFirst);
    EXPECT_EQ(got.m_showPedigree, expected.m_showPedigree);
    EXPECT_EQ(got.m_displayChoice, expected.m_displayChoice);
    EXPECT_EQ(got.m_showSpouse, expected.m_showSpouse);
    EXPECT_EQ(got.m_showChild, expected.m_showChild);
    EXPECT_EQ(got.m_showFamilyAsSpouse, expected.m_showFamilyAsSpouse);
    EXPECT_EQ(got.m_showFamilyAsChild, expected.m_showFamilyAsChild);
    for (int i = 0; i < kRecWndColourCount; ++i) {
        EXPECT_EQ(got.GetColour(i), expected.GetColour(i)) << i;
        EXPECT_EQ(got.m_colours[std::size_t(i)].transparent,
                  expected.m_colours[std::size_t(i)].transparent)
            << i;
    }
}

TEST_F(RecWndOptionsTest, AnEmptyProfileLoadsTheDefaults)
{
    const CRecWndOptions defaults;
    EXPECT_FALSE(defaults.m_loaded);
    CRecWndOptions options;
    options.Load(m_profile);
    EXPECT_TRUE(options.m_loaded);
    ExpectSameOptions(options, defaults);
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

    const CRecWndOptions defaults;
    CRecWndOptions options;
    options.Load(m_profile);
    EXPECT_FALSE(options.m_surnamesFirst);
    EXPECT_EQ(options.m_showPedigree, defaults.m_showPedigree); // 5 is out of range
    EXPECT_EQ(options.m_showSpouse, defaults.m_showSpouse);     // 7 is out of range
    EXPECT_EQ(options.m_showChild, 0);
    EXPECT_EQ(options.m_showFamilyAsSpouse, defaults.m_showFamilyAsSpouse);
    EXPECT_EQ(options.m_displayChoice[0], 0); // "Individuals" is never read
    EXPECT_EQ(options.m_displayChoice[1], defaults.m_displayChoice[1]); // 7
    EXPECT_EQ(options.m_displayChoice[2], 2);
    EXPECT_EQ(options.m_displayChoice[3], defaults.m_displayChoice[3]); // unreadable
    EXPECT_EQ(options.m_displayChoice[8], 0);
    for (const int row : {1, 4, 7, 23}) // "300,x,", "1,2", "1,2,3,4", ""
        EXPECT_EQ(options.GetColour(row), defaults.GetColour(row))
            << options.m_colours[std::size_t(row)].name;
    EXPECT_EQ(options.GetColour(10), RGB(10, 20, 30)); // spaces around the numbers are read
    EXPECT_FALSE(options.m_colours[0].transparent);    // rows that may not be transparent
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
    const CRecWndOptions defaults;
    options.SetDefaults(CRecWndOptions::kColours);
    EXPECT_EQ(options.GetColour(5), defaults.GetColour(5));
    EXPECT_EQ(options.m_displayChoice[2], 2);
    EXPECT_FALSE(options.m_surnamesFirst);
    options.SetDefaults(CRecWndOptions::kNames);
    EXPECT_TRUE(options.m_surnamesFirst);
    EXPECT_EQ(options.m_showSpouse, 0);
    options.SetDefaults(CRecWndOptions::kBackLinks);
    EXPECT_EQ(options.m_showSpouse, defaults.m_showSpouse);
}

TEST_F(RecWndOptionsTest, EveryColourIsSavedUnderAKeyOfItsOwn)
{
    CRecWndOptions options;
    for (int i = 0; i < kRecWndColourCount; ++i)
        options.m_colours[std::size_t(i)].colour = RGB(i + 1, 2 * i, 255 - i);
    options.Save(m_profile);
    CRecWndOptions read;
    read.Load(m_profile);
    for (int i = 0; i < kRecWndColourCount; ++i)
        EXPECT_EQ(read.GetColour(i), options.GetColour(i)) << read.m_colours[std::size_t(i)].name;
}

TEST_F(RecWndOptionsTest, EachRecordTypeTakesItsColoursFromItsOwnKeys)
{
    // The keys a profile holds for each list index's record, tag label and tag value colours.
    const char* const types[CRecWndOptions::kTypeCount] = {"Individual", "Family",     "Note",
                                                           "Source",     "Repository", "Submitter",
                                                           "Submission", "Object",     "Header"};
    for (int listIndex = 0; listIndex < CRecWndOptions::kTypeCount; ++listIndex) {
        const std::string type = types[listIndex];
        const BYTE tone = BYTE(10 * listIndex);
        m_profile.WriteProfileString(kRecWndColoursSection, (type + " - record").c_str(),
                                     (std::to_string(tone) + ",1,1").c_str());
        m_profile.WriteProfileString(kRecWndColoursSection, (type + " - tag label").c_str(),
                                     (std::to_string(tone) + ",2,2").c_str());
        m_profile.WriteProfileString(kRecWndColoursSection, (type + " - tag value").c_str(),
                                     (std::to_string(tone) + ",3,3").c_str());
    }
    CRecWndOptions options;
    options.Load(m_profile);
    for (int listIndex = 0; listIndex < CRecWndOptions::kTypeCount; ++listIndex) {
        const BYTE tone = BYTE(10 * listIndex);
        COLORREF record = 0, label = 0, value = 0;
        ASSERT_TRUE(options.GetTypeColours(listIndex, record, label, value)) << types[listIndex];
        EXPECT_EQ(record, RGB(tone, 1, 1)) << types[listIndex];
        EXPECT_EQ(label, RGB(tone, 2, 2)) << types[listIndex];
        EXPECT_EQ(value, RGB(tone, 3, 3)) << types[listIndex];
    }
    COLORREF record = 0, label = 0, value = 0;
    EXPECT_FALSE(options.GetTypeColours(CRecWndOptions::kTypeCount, record, label, value));
    EXPECT_FALSE(options.GetTypeColours(-1, record, label, value));
}

} // namespace
